#pragma once

#include <QDialog>

namespace zel {

/// The blank title window "ZEL 4": created at start-up, never filled, never shown.
class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};

}  // namespace zel
