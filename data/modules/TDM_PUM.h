#pragma once

#include "data/Driver.h"
#include "data/dataset/TADOConnection.h"

#include <QObject>

namespace zel {

/// The main data module: the program's one database connection ADO_PUM and the
/// card, dictionary and address datasets. Lives for the whole run.
class TDM_PUM : public QObject {
    Q_OBJECT
public:
    explicit TDM_PUM(QObject* parent = nullptr);
    ~TDM_PUM() override;

    /// Closed at creation, no connection string, never prompts.
    TADOConnection ADO_PUM;

    /// Opens the datasets a successful sign-in opens, in their order.
    void OpenSignInDataSets();
};

}  // namespace zel
