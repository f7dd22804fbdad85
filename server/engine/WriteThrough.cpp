#include "server/engine/WriteThrough.h"

#include "data/DbError.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/ServerErrors.h"
#include "server/engine/SqlEmitter.h"
#include "server/engine/StatementTrace.h"
#include "server/engine/ValueBinder.h"

#include <QDateTime>

#include <sqlite3.h>

namespace zel::server {

namespace {

const CatalogTable& targetTable(EmbeddedSession& session, const QString& verb, const QString& name)
{
    const CatalogTable* table = session.catalog().find(name);
    if (!table) {
        session.catalog().refreshIfChanged();
        table = session.catalog().find(name);
    }
    if (!table || !session.policy().canSee(*table))
        SqlEmitter::invalidObject(name);
    session.policy().checkWrite(verb, *table);
    if (table->view)
        throw DbError(QStringLiteral("View or function '%1' is not updatable because the modification affects multiple base tables.")
                          .arg(table->name),
                      DbError::Kind::Other);
    return *table;
}

const CatalogColumn& columnOf(const CatalogTable& table, const QString& name)
{
    const CatalogColumn* c = table.column(name);
    if (!c)
        SqlEmitter::invalidColumn(name);
    return *c;
}

// insertedRowId receives the row id the statement assigned, read before
// anything else (the trace among them) can insert a row of its own.
qint64 runBound(EmbeddedSession& session, const QString& verb, const CatalogTable& table, const QString& sql,
                const std::vector<QVariant>& values, qint64* insertedRowId = nullptr)
{
    const qint64 received = QDateTime::currentMSecsSinceEpoch();
    sqlite3_stmt* st = session.statements().prepare(sql);
    const ErrorContext context{verb, table.name, session.databaseName(), &session.catalog()};
    if (!st)
        throw ServerErrors::fromSqlite(session.db(), sqlite3_errcode(session.db()), context);
    StatementReset reset(st);
    for (std::size_t i = 0; i < values.size(); ++i)
        ValueBinder::bind(st, int(i + 1), values[i]);
    const int rc = sqlite3_step(st);
    session.trace().invalidate();
    const qint64 changes = sqlite3_changes64(session.db());
    if (insertedRowId)
        *insertedRowId = sqlite3_last_insert_rowid(session.db());
    const DbError failure = rc == SQLITE_DONE ? DbError(QString()) : ServerErrors::fromSqlite(session.db(), rc, context);
    sqlite3_reset(st);
    session.trace().record(session, sql, received);
    if (rc != SQLITE_DONE)
        throw failure;
    return changes;
}

QVariant converted(EmbeddedSession& session, const CatalogTable& table, const CatalogColumn& column, const QVariant& v)
{
    return ValueBinder::toColumn(v, column, table.name, session.databaseName(), session.dateFormat());
}

// " AND <column still holds its original>" for each original, binding into bound.
QString unchangedCondition(EmbeddedSession& session, const CatalogTable& table,
                           const std::vector<db::ColumnValue>& originals, std::vector<QVariant>& bound)
{
    QString sql;
    for (const auto& o : originals) {
        const CatalogColumn& c = columnOf(table, o.column);
        const QString name = SqlEmitter::quoted(c.name);
        if (o.value.isNull()) {
            sql += QStringLiteral(" AND %1 IS NULL").arg(name);
            continue;
        }
        QVariant value;
        try {
            value = converted(session, table, c, o.value);
        } catch (const DbError&) {
            value = o.value;  // a cell that never fitted its column: compared as it was read
        }
        bound.push_back(value);
        const QString mark = u'?' + QString::number(bound.size());
        // Dates may be stored with or without a time of day: compared as instants.
        if (c.type == db::SqlType::Date || c.type == db::SqlType::DateTime)
            sql += QStringLiteral(" AND julianday(%1) = julianday(%2)").arg(name, mark);
        else
            sql += QStringLiteral(" AND %1 = %2").arg(name, mark);
    }
    return sql;
}

}  // namespace

qint64 WriteThrough::update(EmbeddedSession& session, const QString& tableName, const QString& keyColumn,
                            const QVariant& key, const std::vector<db::ColumnValue>& values,
                            const std::vector<db::ColumnValue>& originals)
{
    const CatalogTable& table = targetTable(session, QStringLiteral("UPDATE"), tableName);
    const CatalogColumn& keyCol = columnOf(table, keyColumn);
    QStringList sets;
    std::vector<QVariant> bound;
    for (const auto& v : values) {
        const CatalogColumn& c = columnOf(table, v.column);
        if (c.identity)
            throw DbError(QStringLiteral("Cannot update identity column '%1'.").arg(c.name), DbError::Kind::Constraint);
        bound.push_back(converted(session, table, c, v.value));
        sets << SqlEmitter::quoted(c.name) + QStringLiteral(" = ?") + QString::number(bound.size());
    }
    if (sets.isEmpty())
        return 0;
    bound.push_back(converted(session, table, keyCol, key));
    QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                      .arg(SqlEmitter::quoted(table.name), sets.join(QLatin1String(", ")),
                           SqlEmitter::quoted(keyCol.name))
                      .arg(bound.size());
    sql += unchangedCondition(session, table, originals, bound);
    return runBound(session, QStringLiteral("UPDATE"), table, sql, bound);
}

QVariant WriteThrough::insert(EmbeddedSession& session, const QString& tableName,
                              const std::vector<db::ColumnValue>& values, const QString& identityColumn)
{
    const CatalogTable& table = targetTable(session, QStringLiteral("INSERT"), tableName);
    QStringList names, marks;
    std::vector<QVariant> bound;
    for (const auto& v : values) {
        const CatalogColumn& c = columnOf(table, v.column);
        if (c.identity) {
            if (v.value.isNull())
                continue;  // the server assigns it
            throw DbError(QStringLiteral("Cannot insert explicit value for identity column in table '%1' when IDENTITY_INSERT is set to OFF.")
                              .arg(table.name),
                          DbError::Kind::Constraint, QStringLiteral("23000"), 544);
        }
        bound.push_back(converted(session, table, c, v.value));
        names << SqlEmitter::quoted(c.name);
        marks << u'?' + QString::number(bound.size());
    }
    QString sql = QStringLiteral("INSERT INTO ") + SqlEmitter::quoted(table.name);
    if (names.isEmpty())
        sql += QStringLiteral(" DEFAULT VALUES");
    else
        sql += QStringLiteral(" (%1) VALUES (%2)").arg(names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")));
    qint64 rowId = 0;
    runBound(session, QStringLiteral("INSERT"), table, sql, bound, &rowId);

    const CatalogColumn* identity = identityColumn.isEmpty() ? table.identityColumn() : table.column(identityColumn);
    if (!identity || !identity->identity)
        return {};
    return QVariant::fromValue<qlonglong>(rowId);
}

qint64 WriteThrough::remove(EmbeddedSession& session, const QString& tableName, const QString& keyColumn,
                            const QVariant& key, const std::vector<db::ColumnValue>& originals)
{
    const CatalogTable& table = targetTable(session, QStringLiteral("DELETE"), tableName);
    const CatalogColumn& keyCol = columnOf(table, keyColumn);
    std::vector<QVariant> bound{converted(session, table, keyCol, key)};
    QString sql = QStringLiteral("DELETE FROM %1 WHERE %2 = ?1")
                      .arg(SqlEmitter::quoted(table.name), SqlEmitter::quoted(keyCol.name));
    sql += unchangedCondition(session, table, originals, bound);
    return runBound(session, QStringLiteral("DELETE"), table, sql, bound);
}

}  // namespace zel::server
