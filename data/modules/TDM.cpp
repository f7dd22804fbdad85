#include "data/modules/TDM.h"

#include "data/dataset/TField.h"
#include "data/modules/FieldDecls.h"
#include "data/modules/TDM_PUM.h"

namespace zel {

using namespace fields;

TDM::TDM(TDM_PUM& dmPum, QObject* parent) : QObject(parent), m_dmPum(dmPum)
{
    setObjectName(QStringLiteral("DM"));
    for (TADOQuery* query : {&ADOQ_obrazovanie_teacher, &ADOQ_teacher_struktura, &ADOQ_teacher_stepen})
        query->SetConnection(&m_dmPum.ADO_PUM);

    ADOQ_teacher_struktura.SetSQL(QStringList{QStringLiteral("SELECT    *"),
                                              QStringLiteral("FROM       teacher_struktura")});
    ADOQ_teacher_struktura.DeclareFields({
        integer("id_teacher_struktura"),
        text("teacher_struktura", 250),
        text("s_teacher_struktura", 100),
    });
    ADOQ_teacher_stepen.SetSQL(QStringList{QStringLiteral("SELECT    *"),
                                           QStringLiteral("FROM       teacher_stepen")});
    ADOQ_teacher_stepen.DeclareFields({
        integer("id_teacher_stepen"),
        text("teacher_stepen", 250),
    });

    ADOQ_obrazovanie_teacher.DeclareFields({
        integer("id_obrazovanie_teacher"),
        integer("id_teacher"),
        integer("id_teacher_struktura"),
        dateTime("Dates", QStringLiteral("dd.MM.yyyy")),
        text("Number", 100),
        integer("id_teacher_stepen"),
        lookup("teacher_stepen", 250, "id_teacher_stepen", ADOQ_teacher_stepen, "id_teacher_stepen",
               "teacher_stepen"),
        integer("id_user"),
        lookup("teacher_struktura", 250, "id_teacher_struktura", ADOQ_teacher_struktura, "id_teacher_struktura",
               "teacher_struktura"),
        lookup("s_teacher_struktura", 100, "id_teacher_struktura", ADOQ_teacher_struktura,
               "id_teacher_struktura", "s_teacher_struktura"),
    });

    // The employee key as an integer: 0 when no employee is current.
    ADOQ_obrazovanie_teacher.BeforePost = [this](TDataSet& dataSet) {
        TADOQuery& master = m_dmPum.ADO_TEACHER;
        const bool hasRow = master.Active() && !master.IsEmpty();
        dataSet.FieldByName(QStringLiteral("id_teacher"))
            ->SetAsInteger(hasRow ? master.FieldByName(QStringLiteral("id_teacher"))->AsInteger() : 0);
    };
}

TDM::~TDM()
{
    emit aboutToBeDestroyed();
}

QString TDM::DocumentsStatement(const QString& employeeKey)
{
    return QStringLiteral("Select * FROM obrazovanie_teacher WHERE id_teacher =") + employeeKey
        + QStringLiteral(" ORDER BY Dates");
}

}  // namespace zel
