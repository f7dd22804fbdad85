#include "data/odbc/OdbcKeyCache.h"

#include "data/odbc/OdbcStatement.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <map>

namespace zel::db {

QStringList OdbcKeyCache::keysOf(SQLHDBC connection, OdbcTextMode mode, const QString& table)
{
    const QString cacheKey = table.toLower();
    if (const auto it = m_keys.constFind(cacheKey); it != m_keys.constEnd())
        return *it;

    QString schema, name = table;
    if (const qsizetype dot = table.lastIndexOf(u'.'); dot > 0) {
        schema = table.left(dot);
        name = table.mid(dot + 1);
    }
    OdbcStatement statement(connection, mode, 0);
    const QString what = QStringLiteral("Reading the primary key of %1").arg(table);
    if (mode == OdbcTextMode::Wide) {
        std::u16string wideSchema = OdbcText::toWide(schema), wideName = OdbcText::toWide(name);
        statement.check(SQLPrimaryKeysW(statement.handle(), nullptr, 0,
                                        schema.isEmpty() ? nullptr : OdbcText::data(wideSchema),
                                        SQLSMALLINT(wideSchema.size()), OdbcText::data(wideName),
                                        SQLSMALLINT(wideName.size())),
                        what);
    } else {
        QByteArray narrowSchema = schema.toUtf8(), narrowName = name.toUtf8();
        statement.check(SQLPrimaryKeys(statement.handle(), nullptr, 0,
                                       schema.isEmpty() ? nullptr : reinterpret_cast<SQLCHAR*>(narrowSchema.data()),
                                       SQLSMALLINT(narrowSchema.size()),
                                       reinterpret_cast<SQLCHAR*>(narrowName.data()), SQLSMALLINT(narrowName.size())),
                        what);
    }
    std::map<int, QString> bySequence;
    int unordered = 1000;
    while (SQL_SUCCEEDED(SQLFetch(statement.handle()))) {
        QString column;
        SQLLEN length = 0;
        if (mode == OdbcTextMode::Wide) {
            SQLWCHAR text[256] = {};
            SQLGetData(statement.handle(), 4, SQL_C_WCHAR, text, sizeof text, &length);
            if (length > 0)
                column = OdbcText::fromWide(text, std::min<SQLLEN>(length / 2, std::size(text) - 1));
        } else {
            SQLCHAR text[512] = {};
            SQLGetData(statement.handle(), 4, SQL_C_CHAR, text, sizeof text, &length);
            if (length > 0)
                column = OdbcText::fromNarrow(text, std::min<SQLLEN>(length, sizeof text - 1));
        }
        SQLSMALLINT sequence = 0;
        SQLLEN sequenceIndicator = 0;
        SQLGetData(statement.handle(), 5, SQL_C_SSHORT, &sequence, 0, &sequenceIndicator);
        if (column.isEmpty())
            continue;
        const int order = sequenceIndicator == SQL_NULL_DATA ? unordered++ : sequence;
        bySequence[order] = column;
    }
    statement.closeCursor();
    QStringList keys;
    for (const auto& [order, column] : bySequence)
        keys << column;
    m_keys.insert(cacheKey, keys);
    return keys;
}

}  // namespace zel::db
