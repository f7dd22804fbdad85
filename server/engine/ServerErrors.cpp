#include "server/engine/ServerErrors.h"

#include "server/engine/SchemaCatalog.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace zel::server {

namespace {

QString afterColon(const QString& message)
{
    const qsizetype colon = message.indexOf(QLatin1String(": "));
    return colon < 0 ? QString() : message.mid(colon + 2).trimmed();
}

// "T.c" -> {"T", "c"}
std::pair<QString, QString> tableAndColumn(const QString& qualified)
{
    const QString first = qualified.split(u',').first().trimmed();
    const qsizetype dot = first.indexOf(u'.');
    if (dot < 0)
        return {QString(), first};
    return {first.left(dot), first.mid(dot + 1)};
}

DbError constraint(const QString& message, int native)
{
    return DbError(message, DbError::Kind::Constraint, QStringLiteral("23000"), native);
}

}  // namespace

DbError ServerErrors::fromSqlite(sqlite3* db, int code, const ErrorContext& c)
{
    const int extended = sqlite3_extended_errcode(db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    const QString verb = c.verb.isEmpty() ? QStringLiteral("INSERT") : c.verb;
    const QString database = c.databaseName;

    switch (extended) {
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        if (verb == QLatin1String("DELETE"))
            return constraint(QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint \"FK_%1\". "
                                             "The conflict occurred in database \"%2\", table \"dbo.%1\".")
                                  .arg(c.table, database),
                              547);
        return constraint(QStringLiteral("The %1 statement conflicted with the FOREIGN KEY constraint \"FK_%2\". "
                                         "The conflict occurred in database \"%3\", table \"dbo.%2\".")
                              .arg(verb, c.table, database),
                          547);
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_ROWID: {
        const auto [table, column] = tableAndColumn(afterColon(message));
        const QString t = table.isEmpty() ? c.table : table;
        return constraint(QStringLiteral("Violation of PRIMARY KEY constraint 'PK_%1'. Cannot insert duplicate key in object 'dbo.%1'.")
                              .arg(t),
                          2627);
    }
    case SQLITE_CONSTRAINT_UNIQUE: {
        const auto [table, column] = tableAndColumn(afterColon(message));
        const QString t = table.isEmpty() ? c.table : table;
        bool primary = false;
        if (c.catalog)
            if (const CatalogTable* ct = c.catalog->find(t))
                if (const CatalogColumn* cc = ct->column(column))
                    primary = cc->primaryKey;
        if (primary)
            return constraint(QStringLiteral("Violation of PRIMARY KEY constraint 'PK_%1'. Cannot insert duplicate key in object 'dbo.%1'.")
                                  .arg(t),
                              2627);
        return constraint(QStringLiteral("Violation of UNIQUE KEY constraint 'UQ_%1_%2'. Cannot insert duplicate key in object 'dbo.%1'.")
                              .arg(t, column),
                          2627);
    }
    case SQLITE_CONSTRAINT_NOTNULL: {
        const auto [table, column] = tableAndColumn(afterColon(message));
        return constraint(QStringLiteral("Cannot insert the value NULL into column '%1', table '%2.dbo.%3'; column does not allow nulls. %4 fails.")
                              .arg(column, database, table.isEmpty() ? c.table : table,
                                   verb == QLatin1String("UPDATE") ? QStringLiteral("UPDATE") : QStringLiteral("INSERT")),
                          515);
    }
    case SQLITE_CONSTRAINT_CHECK:
        return constraint(QStringLiteral("The %1 statement conflicted with the CHECK constraint \"%2\". "
                                         "The conflict occurred in database \"%3\", table \"dbo.%4\".")
                              .arg(verb, afterColon(message), database, c.table),
                          547);
    case SQLITE_CONSTRAINT_TRIGGER:
        return constraint(message, 50000);  // a trigger's RAISE carries the server's own text
    default:
        break;
    }

    const int primary = code & 0xFF;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return DbError(QStringLiteral("Lock request time out period exceeded."), DbError::Kind::Timeout,
                       QStringLiteral("HYT00"), 1222);
    if (primary == SQLITE_AUTH || primary == SQLITE_READONLY)
        return DbError(QStringLiteral("The %1 permission was denied on the object '%2', database '%3', schema 'dbo'.")
                           .arg(c.verb.isEmpty() ? QStringLiteral("SELECT") : c.verb,
                                c.table.isEmpty() ? QStringLiteral("?") : c.table, database),
                       DbError::Kind::PermissionDenied, QStringLiteral("42000"), 229);
    if (primary == SQLITE_CONSTRAINT)
        return constraint(message, 547);
    if (message.startsWith(QLatin1String("no such table: ")))
        return DbError(QStringLiteral("Invalid object name '%1'.").arg(afterColon(message)), DbError::Kind::InvalidObject,
                       QStringLiteral("42S02"), 208);
    if (message.startsWith(QLatin1String("no such column: "))) {
        const QString name = afterColon(message);
        return DbError(QStringLiteral("Invalid column name '%1'.").arg(name.mid(name.lastIndexOf(u'.') + 1)),
                       DbError::Kind::InvalidObject, QStringLiteral("42S22"), 207);
    }
    if (message.startsWith(QLatin1String("ambiguous column name: ")))
        return DbError(QStringLiteral("Ambiguous column name '%1'.").arg(afterColon(message)),
                       DbError::Kind::InvalidObject, QStringLiteral("42000"), 209);
    if (message.startsWith(QLatin1String("no such function: ")))
        return DbError(QStringLiteral("'%1' is not a recognized built-in function name.").arg(afterColon(message)),
                       DbError::Kind::InvalidObject, QStringLiteral("42000"), 195);
    if (message == QLatin1String("parser stack overflow") || message.startsWith(QLatin1String("Expression tree is too large")))
        return nestedTooDeeply();
    // Statements the server refuses for their shape, found by SQLite as it prepares them.
    if (message.startsWith(QLatin1String("SELECTs to the left and right of ")))
        return DbError(QStringLiteral("All queries combined using a UNION, INTERSECT or EXCEPT operator must have an "
                                      "equal number of expressions in their target lists."),
                       DbError::Kind::Syntax, QStringLiteral("42000"), 205);
    if (message.startsWith(QLatin1String("sub-select returns ")) || message == QLatin1String("row value misused")
        || (message.startsWith(QLatin1String("table zel_value has ")) && message.endsWith(QLatin1String(" values for 1 columns"))))
        return subqueryOfSeveralColumns();
    static const QRegularExpression insertRows(QStringLiteral("^table zel_rows has (\\d+) values for (\\d+) columns$"));
    if (const QRegularExpressionMatch m = insertRows.match(message); m.hasMatch()) {
        const bool fewer = m.captured(1).toLongLong() < m.captured(2).toLongLong();
        return DbError(QStringLiteral("The select list for the INSERT statement contains %1 items than the insert "
                                      "list. The number of SELECT values must match the number of INSERT columns.")
                           .arg(fewer ? QStringLiteral("fewer") : QStringLiteral("more")),
                       DbError::Kind::Syntax, QStringLiteral("21S01"), fewer ? 120 : 121);
    }
    if (message.contains(QLatin1String("syntax error"))) {
        QString near = message;
        const qsizetype q1 = message.indexOf(u'"');
        const qsizetype q2 = message.indexOf(u'"', q1 + 1);
        if (q1 >= 0 && q2 > q1)
            near = message.mid(q1 + 1, q2 - q1 - 1);
        return DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(near), DbError::Kind::Syntax,
                       QStringLiteral("42000"), 102);
    }
    if (primary == SQLITE_IOERR || primary == SQLITE_CORRUPT || primary == SQLITE_FULL)
        return DbError(QStringLiteral("The database file cannot be used: %1").arg(message), DbError::Kind::Storage,
                       QStringLiteral("HY000"), code);
    if (primary == SQLITE_CANTOPEN || primary == SQLITE_NOTADB)
        return DbError(QStringLiteral("The database file cannot be used: %1").arg(message), DbError::Kind::ConnectionLost,
                       QStringLiteral("08S01"), code);
    return DbError(message, DbError::Kind::Other, QStringLiteral("42000"), code);
}

DbError ServerErrors::nestedTooDeeply()
{
    return DbError(QStringLiteral("Some part of your SQL statement is nested too deeply. "
                                  "Rewrite the query or break it up into smaller queries."),
                   DbError::Kind::Syntax, QStringLiteral("42000"), 191);
}

DbError ServerErrors::subqueryOfSeveralColumns()
{
    return DbError(QStringLiteral("Only one expression can be specified in the select list when the subquery is not "
                                  "introduced with EXISTS."),
                   DbError::Kind::Syntax, QStringLiteral("42000"), 116);
}

}  // namespace zel::server
