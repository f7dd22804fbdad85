#include "server/demo/TableInserter.h"

#include "data/DbError.h"
#include "server/schema/PersonnelSchema.h"

#include <sqlite3.h>

namespace zel::server::demo {

namespace {
QString insertSql(const QString& table, std::vector<QByteArray>& columns)
{
    const schema::TableDefinition* definition = schema::PersonnelSchema::findTable(table);
    if (!definition)
        throw DataError(QStringLiteral("Unknown table %1").arg(table));
    QStringList names;
    QStringList placeholders;
    for (const schema::ColumnDefinition& c : definition->columns) {
        if (c.identity)
            continue;
        columns.push_back(c.name.toLower().toUtf8());
        names << QLatin1Char('"') + c.name + QLatin1Char('"');
        placeholders << QStringLiteral("?%1").arg(columns.size());
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
        .arg(definition->name, names.join(QLatin1String(", ")), placeholders.join(QLatin1String(", ")));
}

bool equalsLower(const QByteArray& lower, std::string_view name)
{
    if (qsizetype(name.size()) != lower.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lower[qsizetype(i)])
            return false;
    }
    return true;
}
}  // namespace

TableInserter::TableInserter(sqlite3* db, const QString& table)
    : m_db(db), m_table(table), m_statement(db, insertSql(table, m_columns))
{
}

TableInserter& TableInserter::set(std::string_view column, const QVariant& value)
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (equalsLower(m_columns[i], column)) {
            m_statement.bind(int(i) + 1, value);
            return *this;
        }
    throw DataError(QStringLiteral("Table %1 has no column %2")
                        .arg(m_table, QString::fromUtf8(column.data(), qsizetype(column.size()))));
}

qint64 TableInserter::insert()
{
    m_statement.run();
    ++m_inserted;
    return sqlite3_last_insert_rowid(m_db);
}

}  // namespace zel::server::demo
