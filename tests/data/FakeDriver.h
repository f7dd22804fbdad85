#pragma once

#include "data/DbError.h"
#include "data/Driver.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace zel::test {

/// An in-memory server for dataset tests: named tables of typed columns, answering
/// "select * from T [where col = n]" (any letter case, T may be bracketed or "dbo."),
/// canned results for other texts, and the write-through calls. Every call is logged.
/// Shared state lives in FakeServer so that tests can inspect it after the connection
/// created its own driver.
struct FakeTable {
    std::vector<db::ColumnInfo> columns;
    std::vector<std::vector<QVariant>> rows;
    int nextIdentity = 1;

    int column(const QString& name) const
    {
        for (int i = 0; i < int(columns.size()); ++i)
            if (columns[std::size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

struct FakeServer {
    QHash<QString, FakeTable> tables;            // by lower-case name
    QHash<QString, QString> cannedResults;       // statement text -> table name
    QStringList log;                             // "query: ...", "update T ..." ...
    std::function<void(const QString& operation)> failWith;  // may throw before a call
    qint64 forcedAffected = -1;                  // >= 0: update/remove report this
    std::vector<db::ProcedureParameter> lastProcedureParameters;
    QString lastProcedure;
    int opens = 0;

    FakeTable& table(const QString& name) { return tables[name.toLower()]; }

    /// Adds a table whose first column is an int identity key.
    FakeTable& addTable(const QString& name, std::vector<db::ColumnInfo> columns)
    {
        for (auto& c : columns)
            if (c.baseTable.isEmpty() && !c.name.startsWith(u"calc_"))
                c.baseTable = name;
        FakeTable& t = table(name);
        t.columns = std::move(columns);
        return t;
    }

    void addRow(const QString& name, std::vector<QVariant> values)
    {
        FakeTable& t = table(name);
        for (int i = 0; i < int(t.columns.size()); ++i)
            if (t.columns[std::size_t(i)].identity && i < int(values.size()) && !values[std::size_t(i)].isNull())
                t.nextIdentity = std::max(t.nextIdentity, values[std::size_t(i)].toInt() + 1);
        values.resize(t.columns.size());
        t.rows.push_back(std::move(values));
    }

    static db::ColumnInfo column(const QString& name, db::SqlType type, int size = 0)
    {
        db::ColumnInfo c;
        c.name = name;
        c.type = type;
        c.size = size;
        c.baseColumn = name;
        return c;
    }
    static db::ColumnInfo identity(const QString& name)
    {
        db::ColumnInfo c = column(name, db::SqlType::Int);
        c.identity = true;
        c.key = true;
        c.nullable = false;
        return c;
    }
};

class FakeDriver : public db::Driver {
public:
    explicit FakeDriver(std::shared_ptr<FakeServer> server) : m_server(std::move(server)) {}

    void open(const db::ConnectionParams&) override
    {
        check(QStringLiteral("open"));
        ++m_server->opens;
        m_open = true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    void beginTransaction() override
    {
        m_server->log << QStringLiteral("begin");
        check(QStringLiteral("begin"));
    }
    void commitTransaction() override
    {
        m_server->log << QStringLiteral("commit");
        check(QStringLiteral("commit"));
    }
    void rollbackTransaction() noexcept override { m_server->log << QStringLiteral("rollback"); }

    void query(const QString& sql, db::RowSet& result) override
    {
        m_server->log << QStringLiteral("query: ") + sql;
        check(QStringLiteral("query"));
        QString tableName = m_server->cannedResults.value(sql);
        QString whereColumn;
        QVariant whereValue;
        if (tableName.isEmpty()) {
            static const QRegularExpression select(
                QStringLiteral("^\\s*select\\s+(?:top\\s*\\(?0\\)?\\s+(?:percent\\s+)?)?(?:[\\w.]*\\.)?\\*\\s+from\\s+"
                               "(?:dbo\\.)?\\[?(\\w+)\\]?(?:\\s+where\\s+(\\w+)\\s*=\\s*(-?\\d+))?\\s*$"),
                QRegularExpression::CaseInsensitiveOption);
            const auto m = select.match(sql);
            if (!m.hasMatch())
                throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(sql.left(20)),
                              DbError::Kind::Syntax);
            tableName = m.captured(1);
            whereColumn = m.captured(2);
            whereValue = m.captured(3);
            if (sql.contains(QStringLiteral("top"), Qt::CaseInsensitive))
                whereColumn = QStringLiteral("<none>");
        }
        if (!m_server->tables.contains(tableName.toLower()))
            throw DbError(QStringLiteral("Invalid object name '%1'.").arg(tableName),
                          DbError::Kind::InvalidObject);
        const FakeTable& t = m_server->table(tableName);
        result.setColumns(t.columns);
        const int where = whereColumn.isEmpty() ? -1 : t.column(whereColumn);
        for (const auto& row : t.rows) {
            if (whereColumn == u"<none>")
                break;
            if (where >= 0 && row[std::size_t(where)].toLongLong() != whereValue.toLongLong())
                continue;
            result.beginRow();
            for (int c = 0; c < int(row.size()); ++c)
                result.setVariant(c, row[std::size_t(c)]);
        }
    }

    qint64 execute(const QString& sql) override
    {
        m_server->log << QStringLiteral("execute: ") + sql;
        check(QStringLiteral("execute"));
        return 1;
    }

    qint64 update(const QString& table, const QString& keyColumn, const QVariant& key,
                  const std::vector<db::ColumnValue>& values) override
    {
        QStringList parts;
        for (const auto& v : values)
            parts << v.column + u'=' + (v.value.isNull() ? QStringLiteral("NULL") : v.value.toString());
        m_server->log << QStringLiteral("update %1 set %2 where %3=%4")
                             .arg(table, parts.join(u','), keyColumn, key.toString());
        check(QStringLiteral("update"));
        FakeTable& t = m_server->table(table);
        const int k = t.column(keyColumn);
        qint64 affected = 0;
        for (auto& row : t.rows)
            if (row[std::size_t(k)] == key) {
                for (const auto& v : values)
                    row[std::size_t(t.column(v.column))] = v.value;
                ++affected;
            }
        return m_server->forcedAffected >= 0 ? m_server->forcedAffected : affected;
    }

    QVariant insert(const QString& table, const std::vector<db::ColumnValue>& values,
                    const QString& identityColumn) override
    {
        QStringList parts;
        for (const auto& v : values)
            parts << v.column + u'=' + (v.value.isNull() ? QStringLiteral("NULL") : v.value.toString());
        m_server->log << QStringLiteral("insert %1 %2").arg(table, parts.join(u','));
        check(QStringLiteral("insert"));
        FakeTable& t = m_server->table(table);
        std::vector<QVariant> row(t.columns.size());
        for (const auto& v : values) {
            const int c = t.column(v.column);
            if (c < 0)
                throw DbError(QStringLiteral("Invalid column name '%1'.").arg(v.column));
            row[std::size_t(c)] = v.value;
        }
        QVariant id;
        const int idColumn = identityColumn.isEmpty() ? -1 : t.column(identityColumn);
        if (idColumn >= 0) {
            id = t.nextIdentity++;
            row[std::size_t(idColumn)] = id;
        }
        t.rows.push_back(row);
        return id;
    }

    qint64 remove(const QString& table, const QString& keyColumn, const QVariant& key) override
    {
        m_server->log << QStringLiteral("delete %1 where %2=%3").arg(table, keyColumn, key.toString());
        check(QStringLiteral("delete"));
        FakeTable& t = m_server->table(table);
        const int k = t.column(keyColumn);
        const auto before = t.rows.size();
        std::erase_if(t.rows, [&](const auto& row) { return row[std::size_t(k)] == key; });
        const qint64 affected = qint64(before - t.rows.size());
        return m_server->forcedAffected >= 0 ? m_server->forcedAffected : affected;
    }

    void callProcedure(const QString& name, std::vector<db::ProcedureParameter>& parameters) override
    {
        m_server->log << QStringLiteral("call ") + name;
        check(QStringLiteral("call"));
        m_server->lastProcedure = name;
        m_server->lastProcedureParameters = parameters;
        if (!parameters.empty() && parameters[0].direction == db::ProcedureParameter::Direction::ReturnValue)
            parameters[0].value = 0;
    }

private:
    void check(const QString& operation)
    {
        if (m_server->failWith)
            m_server->failWith(operation);
    }

    std::shared_ptr<FakeServer> m_server;
    bool m_open = false;
};

/// Registers the fake for connection strings whose Data Source is "fake"; the
/// current server is the one tests install with FakeRegistry::use().
class FakeRegistry {
public:
    static std::shared_ptr<FakeServer>& current()
    {
        static std::shared_ptr<FakeServer> server;
        return server;
    }
    static std::shared_ptr<FakeServer> use()
    {
        static const bool registered = [] {
            db::DriverRegistry::add(
                "fake",
                [](const db::ConnectionParams& p) { return p.server() == u"fake"; },
                []() -> std::unique_ptr<db::Driver> { return std::make_unique<FakeDriver>(current()); });
            return true;
        }();
        (void)registered;
        current() = std::make_shared<FakeServer>();
        return current();
    }
    static QString connectionString()
    {
        return QStringLiteral("Provider=SQLOLEDB.1;Password=p;Persist Security Info=True;User ID=u;"
                              "Initial Catalog=db;Data Source=fake");
    }
};

}  // namespace zel::test
