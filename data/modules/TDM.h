#pragma once

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TDataSource.h"

#include <QObject>

namespace zel {

class TDM_PUM;

/// The second data module: the academic documents of the education tab and their two
/// dictionaries. Its datasets run on DM_PUM.ADO_PUM; the main module must outlive it.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(TDM_PUM& dmPum, QObject* parent = nullptr);
    ~TDM() override;

    /// No initial text; the education tab gives it its statement.
    TADOQuery ADOQ_obrazovanie_teacher{QStringLiteral("ADOQ_obrazovanie_teacher")};
    TADOQuery ADOQ_teacher_struktura{QStringLiteral("ADOQ_teacher_struktura")};
    TADOQuery ADOQ_teacher_stepen{QStringLiteral("ADOQ_teacher_stepen")};

    TDataSource DS_obrazovanie_teacher{&ADOQ_obrazovanie_teacher};
    TDataSource DS_teacher_struktura{&ADOQ_teacher_struktura};
    TDataSource DS_teacher_stepen{&ADOQ_teacher_stepen};

    /// The statement of the education tab for one employee.
    static QString DocumentsStatement(const QString& employeeKey);

signals:
    /// The module is going: its datasets and data sources still exist, so that
    /// controls bound to them can let go.
    void aboutToBeDestroyed();

private:
    TDM_PUM& m_dmPum;
};

}  // namespace zel
