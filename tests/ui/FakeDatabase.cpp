#include "FakeDatabase.h"

#include "data/DbError.h"
#include "data/RowSet.h"

#include <QRegularExpression>

namespace fake {

using namespace zel::db;

qint64 Table::add(std::vector<QVariant> values)
{
    values.resize(columns.size());
    if (values[0].isNull())
        values[0] = nextId;
    nextId = std::max(nextId, values[0].toLongLong() + 1);
    rows.push_back(values);
    return values[0].toLongLong();
}

int Table::columnIndex(const QString& column) const
{
    for (int i = 0; i < int(columns.size()); ++i) {
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const std::vector<QVariant>* Table::rowWithKey(const QVariant& key) const
{
    for (const auto& row : rows) {
        if (row[0].toLongLong() == key.toLongLong())
            return &row;
    }
    return nullptr;
}

Database& Database::instance()
{
    static Database db;
    return db;
}

Table& Database::create(const QString& name, const std::vector<Column>& columns)
{
    Table table;
    table.name = name;
    for (const Column& c : columns) {
        ColumnInfo info;
        info.name = c.name;
        info.type = c.type;
        info.size = c.size;
        info.baseTable = name;
        info.baseColumn = c.name;
        table.columns.push_back(info);
    }
    table.columns[0].identity = true;
    table.columns[0].key = true;
    table.columns[0].nullable = false;
    m_tables[name.toLower()] = table;
    return m_tables[name.toLower()];
}

Table& Database::table(const QString& name)
{
    auto it = m_tables.find(name.toLower());
    if (it == m_tables.end())
        throw zel::DbError(QStringLiteral("Invalid object name '%1'.").arg(name), zel::DbError::Kind::InvalidObject);
    return it->second;
}

namespace {

class Driver : public zel::db::Driver {
public:
    void open(const ConnectionParams&) override { m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    void query(const QString& sql, RowSet& result) override
    {
        static const QRegularExpression select(QStringLiteral(R"(^\s*select\s+\*\s+from\s+(\w+)\s*$)"),
                                               QRegularExpression::CaseInsensitiveOption);
        const auto match = select.match(sql);
        if (!match.hasMatch())
            throw zel::DbError(QStringLiteral("Incorrect syntax: %1").arg(sql), zel::DbError::Kind::Syntax);
        const Table& table = Database::instance().table(match.captured(1));
        result.clear();
        result.setColumns(table.columns);
        for (const auto& row : table.rows) {
            result.beginRow();
            for (int c = 0; c < int(row.size()); ++c)
                result.setVariant(c, row[c]);
        }
    }

    qint64 execute(const QString&) override { return 0; }

    qint64 update(const QString& tableName, const QString& keyColumn, const QVariant& key,
                  const std::vector<ColumnValue>& values) override
    {
        Table& table = Database::instance().table(tableName);
        const int keyIndex = table.columnIndex(keyColumn);
        for (auto& row : table.rows) {
            if (row[keyIndex].toLongLong() != key.toLongLong())
                continue;
            for (const ColumnValue& v : values)
                row[table.columnIndex(v.column)] = v.value;
            Database::instance().countWrite();
            return 1;
        }
        return 0;
    }

    QVariant insert(const QString& tableName, const std::vector<ColumnValue>& values,
                    const QString&) override
    {
        Table& table = Database::instance().table(tableName);
        std::vector<QVariant> row(table.columns.size());
        for (const ColumnValue& v : values)
            row[table.columnIndex(v.column)] = v.value;
        row[0] = QVariant();
        Database::instance().countWrite();
        return table.add(row);
    }

    qint64 remove(const QString& tableName, const QString& keyColumn, const QVariant& key) override
    {
        Table& table = Database::instance().table(tableName);
        const int keyIndex = table.columnIndex(keyColumn);
        const auto before = table.rows.size();
        std::erase_if(table.rows, [&](const auto& row) { return row[keyIndex].toLongLong() == key.toLongLong(); });
        Database::instance().countWrite();
        return qint64(before - table.rows.size());
    }

    void callProcedure(const QString& name, std::vector<ProcedureParameter>&) override
    {
        throw zel::DbError(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    }

private:
    bool m_open = false;
};

}  // namespace

void registerDriver()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    DriverRegistry::add(
        "fake",
        [](const ConnectionParams& params) { return params.value(QStringLiteral("Provider")) == QLatin1String("Fake"); },
        []() -> std::unique_ptr<zel::db::Driver> { return std::make_unique<Driver>(); });
}

}  // namespace fake
