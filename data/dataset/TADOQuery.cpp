#include "data/dataset/TADOQuery.h"

#include "data/DbError.h"
#include "data/Driver.h"

namespace zel {

void TADOQuery::SetSQL(const QString& sql)
{
    Close();
    m_sql = sql;
}

qint64 TADOQuery::ExecSQL()
{
    if (m_sql.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задан текст команды.").arg(Name()));
    m_rowsAffected = driver().execute(m_sql);
    return m_rowsAffected;
}

}  // namespace zel
