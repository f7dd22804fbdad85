#include "server/engine/DialectTranslator.h"

#include "data/DbError.h"
#include "server/engine/AccessPolicy.h"
#include "server/engine/DateText.h"
#include "server/engine/SchemaCatalog.h"
#include "server/engine/SqlEmitter.h"
#include "server/engine/SqlParser.h"
#include "server/engine/StatementTrace.h"

namespace zel::server {

namespace {

const CatalogTable& writableTable(const SqlEmitter& emitter, const QStringList& name)
{
    const CatalogTable& table = emitter.resolveTable(name);
    if (table.view)
        throw DbError(QStringLiteral("View or function '%1' is not updatable because the modification affects multiple base tables.")
                          .arg(table.name),
                      DbError::Kind::Other, QStringLiteral("HY000"), 4405);
    return table;
}

const CatalogColumn& targetColumn(const CatalogTable& table, const QString& name)
{
    const CatalogColumn* c = table.column(name);
    if (!c)
        SqlEmitter::invalidColumn(name);
    return *c;
}

QVariant argumentValue(const SqlExpr& e)
{
    if (e.kind == SqlExpr::Kind::Literal) {
        switch (e.literalType) {
        case SqlExpr::LiteralType::String: return e.text;
        case SqlExpr::LiteralType::Integer: return e.text.toLongLong();
        case SqlExpr::LiteralType::Real: return e.text.toDouble();
        case SqlExpr::LiteralType::Binary: return QByteArray::fromHex(e.text.toLatin1());
        case SqlExpr::LiteralType::Null: return {};
        }
    }
    if (e.kind == SqlExpr::Kind::Unary && (e.text == QLatin1String("-") || e.text == QLatin1String("+"))
        && e.args[0]->kind == SqlExpr::Kind::Literal) {
        const QVariant v = argumentValue(*e.args[0]);
        if (e.text == QLatin1String("+"))
            return v;
        if (v.typeId() == QMetaType::LongLong)
            return -v.toLongLong();
        if (v.typeId() == QMetaType::Double)
            return -v.toDouble();
    }
    if (e.kind == SqlExpr::Kind::Variable)
        throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(e.text), DbError::Kind::Syntax);
    throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(e.text.isEmpty() ? e.name.join(u'.') : e.text),
                  DbError::Kind::Syntax);
}

}  // namespace

DialectTranslator::DialectTranslator(const SchemaCatalog& catalog, const AccessPolicy& policy)
    : m_catalog(catalog), m_policy(policy)
{
}

std::vector<TranslatedStatement> DialectTranslator::translate(const QString& batch, const QString& dateFormat) const
{
    return translate(batch, SqlParser::tokenize(batch), dateFormat);
}

std::vector<TranslatedStatement> DialectTranslator::translate(const QString& batch, std::vector<SqlToken> tokens,
                                                              const QString& dateFormat) const
{
    SqlParser parser(batch, std::move(tokens));
    const std::vector<SqlStatement> statements = parser.parseBatch();
    std::vector<TranslatedStatement> out;
    out.reserve(statements.size());
    QString format = dateFormat;
    for (const auto& s : statements) {
        try {
            out.push_back(translateOne(s, format));
        } catch (const DbError& e) {
            // What this server refuses to run says which statement it was.
            if (e.kind() != DbError::Kind::Syntax || e.message().contains(QLatin1String("\nStatement: ")))
                throw;
            QString statement = StatementTrace::masked(s.text.trimmed());
            if (statement.size() > 300)
                statement = statement.left(300) + QStringLiteral("...");
            throw DbError(e.message() + QStringLiteral("\nStatement: ") + statement, e.kind(), e.sqlState(),
                          e.nativeCode());
        }
    }
    return out;
}

TranslatedStatement DialectTranslator::translateOne(const SqlStatement& s, QString& dateFormat) const
{
    TranslatedStatement out;
    out.sourceText = s.text;
    out.dateFormat = dateFormat;
    switch (s.kind) {
    case SqlStatement::Kind::Select: {
        SqlEmitter emitter(m_catalog, m_policy, dateFormat);
        out.kind = TranslatedStatement::Kind::Query;
        out.sql = emitter.select(*s.select);
        out.parameters = emitter.takeParameters();
        out.parameterSources = emitter.takeParameterSources();
        out.tablesRead = emitter.tablesRead();
        out.readsTables = emitter.readsTables();
        out.resultTextSizes = emitter.resultTextSizes();
        break;
    }
    case SqlStatement::Kind::Insert:
        translateInsert(s, out, dateFormat);
        break;
    case SqlStatement::Kind::Update:
        translateUpdate(s, out, dateFormat);
        break;
    case SqlStatement::Kind::Delete:
        translateDelete(s, out, dateFormat);
        break;
    case SqlStatement::Kind::Exec:
        translateExec(s, out);
        break;
    case SqlStatement::Kind::SetOption:
        out.kind = TranslatedStatement::Kind::SetOption;
        out.option = s.option;
        out.optionValue = s.optionValue;
        // With these off a comparison or a join with NULL would answer
        // differently from the server; the statements of the program rely on ON.
        if ((s.option == QLatin1String("ANSI_NULLS") || s.option == QLatin1String("CONCAT_NULL_YIELDS_NULL")
             || s.option == QLatin1String("ANSI_WARNINGS"))
            && s.optionValue == QLatin1String("OFF"))
            throw DbError(QStringLiteral("SET %1 OFF is not supported by this server; nothing was run.").arg(s.option),
                          DbError::Kind::Syntax, QStringLiteral("42000"));
        if (s.option == QLatin1String("DATEFORMAT")) {
            if (!DateText::isValidDateFormat(s.optionValue))
                throw DbError(QStringLiteral("Invalid argument for SET DATEFORMAT. Must be one of mdy, dmy, ymd, ydm, myd, or dym."),
                              DbError::Kind::Other, QStringLiteral("42000"), 2741);
            dateFormat = s.optionValue;
        }
        break;
    }
    return out;
}

void DialectTranslator::translateInsert(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const
{
    SqlEmitter emitter(m_catalog, m_policy, dateFormat);
    const CatalogTable& table = writableTable(emitter, s.table);
    m_policy.checkWrite(QStringLiteral("INSERT"), table);
    out.kind = TranslatedStatement::Kind::Write;
    out.verb = QStringLiteral("INSERT");
    out.table = table.name;

    std::vector<const CatalogColumn*> columns;
    if (s.columns.isEmpty()) {
        for (const auto& c : table.columns)
            if (!c.identity)
                columns.push_back(&c);
    } else {
        for (const auto& name : s.columns) {
            const CatalogColumn& c = targetColumn(table, name);
            if (c.identity)
                throw DbError(QStringLiteral("Cannot insert explicit value for identity column in table '%1' when IDENTITY_INSERT is set to OFF.")
                                  .arg(table.name),
                              DbError::Kind::Constraint, QStringLiteral("23000"), 544);
            columns.push_back(&c);
        }
    }
    QStringList names;
    for (const auto* c : columns)
        names << SqlEmitter::quoted(c->name);

    QString sql = QStringLiteral("INSERT INTO ") + SqlEmitter::quoted(table.name);
    if (s.defaultValues) {
        out.sql = sql + QStringLiteral(" DEFAULT VALUES");
        return;
    }
    sql += QStringLiteral(" (") + names.join(QLatin1String(", ")) + u')';
    if (s.select) {
        // The selected rows pass through a named row source, so that each value
        // is checked against its column as VALUES are.
        QStringList sourceNames, fittedValues;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            SqlEmitter::Value v;
            v.sql = QStringLiteral("zel_c%1").arg(i + 1);
            sourceNames << v.sql;
            fittedValues << SqlEmitter::fitted(v, *columns[i]);
        }
        sql += QStringLiteral(" WITH zel_rows(%1) AS (%2) SELECT %3 FROM zel_rows")
                   .arg(sourceNames.join(QLatin1String(", ")), emitter.select(*s.select),
                        fittedValues.join(QLatin1String(", ")));
        out.readsTables = true;
    } else {
        QStringList rows;
        SqlEmitter::Scope empty;
        for (const auto& row : s.values) {
            if (row.size() != columns.size())
                throw DbError(row.size() < columns.size()
                                  ? QStringLiteral("There are more columns in the INSERT statement than values specified in the VALUES clause. The number of values in the VALUES clause must match the number of columns specified in the INSERT statement.")
                                  : QStringLiteral("There are fewer columns in the INSERT statement than values specified in the VALUES clause. The number of values in the VALUES clause must match the number of columns specified in the INSERT statement."),
                              DbError::Kind::Syntax, QStringLiteral("21S01"), 109);
            QStringList values;
            for (std::size_t i = 0; i < row.size(); ++i) {
                SqlEmitter::Value v = emitter.expression(*row[i], empty);
                emitter.coerceLiteral(v, *columns[i]);
                values << SqlEmitter::fitted(v, *columns[i]);
            }
            rows << u'(' + values.join(QLatin1String(", ")) + u')';
        }
        sql += QStringLiteral(" VALUES ") + rows.join(QLatin1String(", "));
        out.readsTables = emitter.readsTables();
    }
    out.sql = sql;
    out.parameters = emitter.takeParameters();
    out.parameterSources = emitter.takeParameterSources();
}

void DialectTranslator::translateUpdate(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const
{
    SqlEmitter emitter(m_catalog, m_policy, dateFormat);
    const CatalogTable& table = writableTable(emitter, s.table);
    m_policy.checkWrite(QStringLiteral("UPDATE"), table);
    out.kind = TranslatedStatement::Kind::Write;
    out.verb = QStringLiteral("UPDATE");
    out.table = table.name;

    SqlEmitter::Scope scope;
    scope.sources.push_back({table.name, SqlEmitter::quoted(table.name), &table});
    QStringList sets;
    for (const auto& [name, expr] : s.assignments) {
        const CatalogColumn& c = targetColumn(table, name);
        if (c.identity)
            throw DbError(QStringLiteral("Cannot update identity column '%1'.").arg(c.name), DbError::Kind::Constraint,
                          QStringLiteral("42000"), 8102);
        SqlEmitter::Value v = emitter.expression(*expr, scope);
        emitter.coerceLiteral(v, c);
        sets << SqlEmitter::quoted(c.name) + QStringLiteral(" = ") + SqlEmitter::fitted(v, c);
    }
    out.sql = QStringLiteral("UPDATE ") + SqlEmitter::quoted(table.name) + QStringLiteral(" SET ")
        + sets.join(QLatin1String(", "));
    if (s.where)
        out.sql += QStringLiteral(" WHERE ") + emitter.expression(*s.where, scope).sql;
    out.parameters = emitter.takeParameters();
    out.parameterSources = emitter.takeParameterSources();
    out.readsTables = emitter.readsTables();
}

void DialectTranslator::translateDelete(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const
{
    SqlEmitter emitter(m_catalog, m_policy, dateFormat);
    const CatalogTable& table = writableTable(emitter, s.table);
    m_policy.checkWrite(QStringLiteral("DELETE"), table);
    out.kind = TranslatedStatement::Kind::Write;
    out.verb = QStringLiteral("DELETE");
    out.table = table.name;
    SqlEmitter::Scope scope;
    scope.sources.push_back({table.name, SqlEmitter::quoted(table.name), &table});
    out.sql = QStringLiteral("DELETE FROM ") + SqlEmitter::quoted(table.name);
    if (s.where)
        out.sql += QStringLiteral(" WHERE ") + emitter.expression(*s.where, scope).sql;
    out.parameters = emitter.takeParameters();
    out.parameterSources = emitter.takeParameterSources();
    out.readsTables = emitter.readsTables();
}

void DialectTranslator::translateExec(const SqlStatement& s, TranslatedStatement& out) const
{
    QStringList parts = s.procedure;
    const QString written = parts.join(u'.');
    if (parts.size() == 4)
        parts.clear();
    if (parts.size() == 3) {
        if (parts.first().compare(m_policy.databaseName(), Qt::CaseInsensitive) != 0)
            parts.clear();
        else
            parts.removeFirst();
    }
    if (parts.size() == 2) {
        if (!parts.first().isEmpty() && parts.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) != 0)
            parts.clear();
        else
            parts.removeFirst();
    }
    const std::optional<ProcedureInfo> info = parts.isEmpty() ? std::nullopt : findProcedure(parts.first());
    if (!info || !info->function)
        throw DbError(QStringLiteral("Could not find stored procedure '%1'.").arg(written), DbError::Kind::InvalidObject,
                      QStringLiteral("42000"), 2812);
    m_policy.checkExecute(parts.first(), *info);
    out.kind = TranslatedStatement::Kind::Procedure;
    out.procedure = parts.first();
    out.procedureInfo = *info;
    bool named = false;
    for (const auto& a : s.arguments) {
        if (a.name.isEmpty() && named)
            throw DbError(QStringLiteral("Must pass parameter number %1 and subsequent parameters as '@name = value'. After the form '@name = value' has been used, all subsequent parameters must be passed in the form '@name = value'.")
                              .arg(out.arguments.size() + 1),
                          DbError::Kind::Syntax, QStringLiteral("42000"), 119);
        named = named || !a.name.isEmpty();
        out.arguments.push_back({a.name, argumentValue(*a.value)});
    }
}

}  // namespace zel::server
