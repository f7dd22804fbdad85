#include "directory/CopyDeleteStatements.h"

namespace zel::CopyDeleteStatements {

namespace {

QString literalBody(const QString& raw)
{
    QString text = raw;
    return text.replace(u'\'', QStringLiteral("''"));
}

QString authorArguments(const Author& author)
{
    return QStringLiteral(", @zel_user = '") + literalBody(author.login) + QStringLiteral("'")
        + QStringLiteral(", @ip = '") + literalBody(author.workstation) + QStringLiteral("'");
}

}  // namespace

QString Workstation(const QString& computerName, const QString& ipAddress)
{
    return computerName + u'\\' + ipAddress;
}

QString CopyStatement(int from, int to, const Author& author)
{
    return QStringLiteral("EXEC CopyDataFromTeacher @id_teacherFrom = ") + QString::number(from)
        + QStringLiteral(", @id_teacherTo = ") + QString::number(to) + authorArguments(author);
}

QString DeleteStatement(int key, const Author& author)
{
    return QStringLiteral("EXEC [DeleteTeacher] @id_teacher = ") + QString::number(key) + authorArguments(author);
}

QString ForcedDeleteStatement(int key, const Author& author)
{
    return QStringLiteral("EXEC DeleteTeacher2 @id_teacher=") + QString::number(key) + authorArguments(author);
}

QString ProtectedEmployeeStatement(int key)
{
    return QStringLiteral(" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = ")
        + QString::number(key);
}

}  // namespace zel::CopyDeleteStatements
