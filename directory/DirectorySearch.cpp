#include "directory/DirectorySearch.h"

namespace zel::DirectorySearch {

QString ColumnName(Field field)
{
    switch (field) {
    case Field::FirstName:
        return QStringLiteral("p27");
    case Field::Patronymic:
        return QStringLiteral("p28");
    case Field::Surname:
        break;
    }
    return QStringLiteral("p26");
}

QString LiteralText(const QString& typed)
{
    QString text = typed;
    return text.replace(u'\'', QStringLiteral("''"));
}

QString SearchStatement(Field field, const QString& typed)
{
    return QStringLiteral("Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '"
                          "+ISNULL(teacher.p28,'')) as t_fio from teacher where teacher.id_teacher <> 1 AND teacher.")
        + ColumnName(field) + QStringLiteral(" LIKE '%") + LiteralText(typed) + QStringLiteral("%'")
        + QStringLiteral(" Order by t_fio");
}

QString ExaminationsStatement(const QString& key)
{
    return QStringLiteral("Select * From teacher_medosmotr WHERE id_teacher =") + key
        + QStringLiteral(" ORDER BY id_teacher_medosmotr");
}

}  // namespace zel::DirectorySearch
