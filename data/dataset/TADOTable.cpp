#include "data/dataset/TADOTable.h"

namespace zel {

void TADOTable::SetTableName(const QString& tableName)
{
    Close();
    m_tableName = tableName;
}

QString TADOTable::commandText() const
{
    if (m_tableName.isEmpty())
        return {};
    QString name = m_tableName;
    name.replace(QStringLiteral("]"), QStringLiteral("]]"));
    return QStringLiteral("select * from [%1]").arg(name);
}

}  // namespace zel
