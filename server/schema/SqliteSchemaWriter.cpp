#include "server/schema/SqliteSchemaWriter.h"

#include "server/schema/LogIndexes.h"
#include "server/schema/PersonnelSchema.h"
#include "server/schema/SqliteStatement.h"

#include <QRegularExpression>

namespace zel::server::schema {

namespace {
QString quoted(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString columnSql(const ColumnDefinition& c, bool singleKey)
{
    if (c.identity)
        return quoted(c.name) + QLatin1String(" INTEGER PRIMARY KEY AUTOINCREMENT");
    QString sql = quoted(c.name) + QLatin1Char(' ') + SqliteSchemaWriter::declaredType(c.type);
    if (c.primaryKey && singleKey)
        sql += QLatin1String(" PRIMARY KEY");
    if (!c.nullable)
        sql += QLatin1String(" NOT NULL");
    if (!c.defaultSqlite.isEmpty())
        sql += QLatin1String(" DEFAULT ") + c.defaultSqlite;
    if (SqliteSchemaWriter::isTextType(c.type))
        sql += QLatin1String(" COLLATE ZEL_CI");
    return sql;
}

QString createTable(const TableDefinition& t)
{
    QStringList keys;
    for (const ColumnDefinition& c : t.columns)
        if (c.primaryKey && !c.identity)
            keys << quoted(c.name);
    QStringList parts;
    for (const ColumnDefinition& c : t.columns)
        parts << columnSql(c, keys.size() == 1);
    if (keys.size() > 1)
        parts << QLatin1String("PRIMARY KEY (") + keys.join(QLatin1String(", ")) + QLatin1Char(')');
    for (const ForeignKeyDefinition& fk : t.foreignKeys)
        parts << QStringLiteral("FOREIGN KEY (%1) REFERENCES %2 (%3)")
                     .arg(quoted(fk.column), quoted(fk.referencedTable), quoted(fk.referencedColumn));
    return QLatin1String("CREATE TABLE ") + quoted(t.name) + QLatin1String(" (\n    ")
        + parts.join(QLatin1String(",\n    ")) + QLatin1String("\n)");
}
}  // namespace

QString SqliteSchemaWriter::declaredType(const QString& sqlServerType)
{
    static const QRegularExpression max(QStringLiteral("\\s*\\(\\s*max\\s*\\)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString type = sqlServerType;
    type.remove(max);
    return type;
}

bool SqliteSchemaWriter::isTextType(const QString& sqlServerType)
{
    static const QRegularExpression text(QStringLiteral("^n?(var)?char\\b|^n?text$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return text.match(sqlServerType).hasMatch();
}

QStringList SqliteSchemaWriter::statements()
{
    return tableStatements() + indexAndViewStatements();
}

QStringList SqliteSchemaWriter::tableStatements()
{
    QStringList out;
    // TEACHER first: the per-employee tables refer to it.
    for (const TableDefinition& t : PersonnelSchema::tables())
        if (t.cardRole == CardRole::Master)
            out << createTable(t);
    for (const TableDefinition& t : PersonnelSchema::tables())
        if (t.cardRole != CardRole::Master)
            out << createTable(t);
    return out;
}

QStringList SqliteSchemaWriter::indexAndViewStatements()
{
    QStringList out;
    for (const TableDefinition& t : PersonnelSchema::tables())
        for (const IndexDefinition& index : t.indexes) {
            QStringList columns;
            for (const QString& c : index.columns)
                columns << quoted(c);
            out << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                       .arg(quoted(index.name), quoted(t.name), columns.join(QLatin1String(", ")));
        }
    for (const ViewDefinition& v : PersonnelSchema::views())
        out << QLatin1String("CREATE VIEW ") + quoted(v.name) + QLatin1String(" AS ") + v.selectSql;
    out << logIndexStatements();
    return out;
}

void SqliteSchemaWriter::create(sqlite3* db)
{
    for (const QString& sql : statements())
        execute(db, sql);
}

}  // namespace zel::server::schema
