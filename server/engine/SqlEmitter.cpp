#include "server/engine/SqlEmitter.h"

#include "data/DbError.h"
#include "server/engine/AccessPolicy.h"
#include "server/engine/DateText.h"
#include "server/engine/SchemaCatalog.h"
#include "server/engine/ServerErrors.h"

namespace zel::server {

namespace {

using db::SqlType;
using Kind = SqlExpr::Kind;

QString joinedName(const QStringList& parts)
{
    return parts.join(u'.');
}

[[noreturn]] void unsupported(const QString& what)
{
    throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(what), DbError::Kind::Syntax);
}

ValueClass classOfType(SqlType type)
{
    if (type == SqlType::Unknown)
        return ValueClass::Unknown;
    if (db::isTextType(type))
        return ValueClass::Text;
    if (type == SqlType::Date || type == SqlType::DateTime)
        return ValueClass::Date;
    if (db::isBinaryType(type))
        return ValueClass::Binary;
    return ValueClass::Number;
}

bool isTextLike(ValueClass c)
{
    return c == ValueClass::Text || c == ValueClass::Null;
}

bool isNumberLike(ValueClass c)
{
    return c == ValueClass::Number || c == ValueClass::Null;
}

}  // namespace

SqlEmitter::SqlEmitter(const SchemaCatalog& catalog, const AccessPolicy& policy, const QString& dateFormat)
    : m_catalog(catalog), m_policy(policy), m_dateFormat(dateFormat)
{
}

QString SqlEmitter::quoted(const QString& name)
{
    // SQLite ends a statement at a NUL character, so a name holding one cannot be written.
    if (name.contains(QChar(u'\0')))
        throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(QString(name).remove(QChar(u'\0'))),
                      DbError::Kind::Syntax, QStringLiteral("42000"), 102);
    QString out = name;
    out.replace(u'"', QLatin1String("\"\""));
    return u'"' + out + u'"';
}

ValueClass SqlEmitter::classOf(const CatalogColumn& column)
{
    return classOfType(column.type);
}

void SqlEmitter::invalidColumn(const QString& name)
{
    throw DbError(QStringLiteral("Invalid column name '%1'.").arg(name), DbError::Kind::InvalidObject,
                  QStringLiteral("42S22"), 207);
}

void SqlEmitter::invalidObject(const QString& name)
{
    throw DbError(QStringLiteral("Invalid object name '%1'.").arg(name), DbError::Kind::InvalidObject,
                  QStringLiteral("42S02"), 208);
}

QString SqlEmitter::bind(const QVariant& value, int token)
{
    m_parameters.push_back(value);
    m_sources.push_back({token, nullptr});
    return u'?' + QString::number(m_parameters.size());
}

const CatalogTable& SqlEmitter::resolveTable(const QStringList& parts) const
{
    const QString written = joinedName(parts);
    QStringList rest = parts;
    if (rest.size() == 4)
        invalidObject(written);  // no linked servers here
    if (rest.size() == 3) {
        if (rest.first().compare(m_policy.databaseName(), Qt::CaseInsensitive) != 0)
            invalidObject(written);
        rest.removeFirst();
    }
    if (rest.size() == 2) {
        if (!rest.first().isEmpty() && rest.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) != 0)
            invalidObject(written);
        rest.removeFirst();
    }
    const CatalogTable* table = m_catalog.find(rest.first());
    if (!table || !m_policy.canSee(*table))
        invalidObject(written);
    return *table;
}

QVariant SqlEmitter::coerceValue(const QVariant& literal, const CatalogColumn& column, const QString& dateFormat)
{
    const QString text = literal.toString();
    const ValueClass target = classOf(column);
    if (target == ValueClass::Date) {
        const auto parsed = DateText::parse(text, dateFormat);
        if (!parsed)
            throw DbError(QStringLiteral("Conversion failed when converting date and/or time from character string."),
                          DbError::Kind::Other, QStringLiteral("22007"), 241);
        return column.type == SqlType::Date ? DateText::storedDate(*parsed) : DateText::storedDateTime(*parsed);
    }
    if (target == ValueClass::Number) {
        bool ok = false;
        const QString trimmed = text.trimmed();
        QVariant value;
        if (column.type == SqlType::Bit && (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
                                            || trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)) {
            ok = true;
            value = trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? 1 : 0;
        } else if (db::isIntegerType(column.type) || column.type == SqlType::Bit) {
            const qlonglong n = trimmed.toLongLong(&ok);
            if (ok)
                value = column.type == SqlType::Bit ? QVariant(n != 0 ? 1 : 0) : QVariant(n);
        } else {
            const double d = trimmed.toDouble(&ok);
            if (ok)
                value = d;
        }
        if (!ok)
            throw DbError(QStringLiteral("Conversion failed when converting the varchar value '%1' to data type %2.")
                              .arg(text, db::sqlTypeName(column.type)),
                          DbError::Kind::Other, QStringLiteral("22018"), 245);
        return value;
    }
    return literal;
}

void SqlEmitter::coerceLiteral(Value& literal, const CatalogColumn& column)
{
    if (literal.parameter < 0 || !literal.textLiteral)
        return;
    const ValueClass target = classOf(column);
    if (target != ValueClass::Date && target != ValueClass::Number)
        return;
    const auto index = std::size_t(literal.parameter);
    m_parameters[index] = coerceValue(m_parameters[index], column, m_dateFormat);
    m_sources[index].coercion = &column;
    if (target == ValueClass::Number) {
        literal.textLiteral = false;
        literal.cls = ValueClass::Number;
    }
}

void SqlEmitter::coercePair(Value& a, Value& b)
{
    if (a.column && b.textLiteral)
        coerceLiteral(b, *a.column);
    else if (b.column && a.textLiteral)
        coerceLiteral(a, *b.column);
}

void SqlEmitter::collateText(Value& v)
{
    if (v.column || (v.cls != ValueClass::Text && v.cls != ValueClass::Unknown))
        return;
    v.sql += QStringLiteral(" COLLATE ZEL_CI");
}

QString SqlEmitter::fitted(const Value& value, const CatalogColumn& column)
{
    if (db::isTextType(column.type) && column.size > 0 && column.type != db::SqlType::Text
        && column.type != db::SqlType::NText)
        return QStringLiteral("zel_fit(%1, 'char', %2)").arg(value.sql).arg(column.size);
    switch (column.type) {
    case db::SqlType::TinyInt:
        return QStringLiteral("zel_fit(%1, 'tinyint', 0)").arg(value.sql);
    case db::SqlType::SmallInt:
        return QStringLiteral("zel_fit(%1, 'smallint', 0)").arg(value.sql);
    case db::SqlType::Int:
        return QStringLiteral("zel_fit(%1, 'int', 0)").arg(value.sql);
    default:
        return value.sql;
    }
}

QString SqlEmitter::list(const std::vector<SqlExprPtr>& exprs, const Scope& scope, std::size_t from)
{
    QStringList out;
    for (std::size_t i = from; i < exprs.size(); ++i)
        out << expression(*exprs[i], scope).sql;
    return out.join(QLatin1String(", "));
}

QString SqlEmitter::select(const SqlSelect& select, const Scope* parent)
{
    QString limit;
    if (select.top) {
        const SqlExpr* count = select.top.get();
        while (count->kind == Kind::Paren)
            count = count->args[0].get();
        if (count->kind != Kind::Literal
            || (count->literalType != SqlExpr::LiteralType::Integer && !(select.topPercent && count->literalType == SqlExpr::LiteralType::Real)))
            unsupported(QStringLiteral("TOP"));
        const double n = count->text.toDouble();
        if (select.next)
            unsupported(select.setOperator);
        if (select.topPercent) {
            if (n <= 0)
                limit = QStringLiteral(" LIMIT 0");
            else if (n < 100)
                unsupported(QStringLiteral("PERCENT"));
        } else {
            limit = QStringLiteral(" LIMIT ") + count->text;
        }
    }

    Scope scope;
    QString sql = selectCore(select, parent, scope);
    if (!parent)
        m_resultTextSizes = scope.textSizes;
    for (const SqlSelect* part = &select; part->next; part = part->next.get()) {
        Scope partScope;
        partScope.inCompound = true;
        sql += u' ' + part->setOperator + u' ' + selectCore(*part->next, parent, partScope);
    }
    if (!select.orderBy.empty()) {
        scope.orderBy = true;
        QStringList terms;
        for (const auto& term : select.orderBy) {
            const int outerBefore = m_outerOrderColumns;
            const QString written = orderTerm(term, select, scope);
            if (m_outerOrderColumns == outerBefore) {
                terms << written;
                continue;
            }
            // SQLite cannot order a nested select by the enclosing row; a column of that
            // row is one value for all of its rows and orders nothing.
            if (term.expr->kind != Kind::Column)
                throw DbError(QStringLiteral("ORDER BY of a subquery by an expression over the outer query's "
                                             "columns is not supported by this server; nothing was run."),
                              DbError::Kind::Syntax, QStringLiteral("42000"));
        }
        if (!terms.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + terms.join(QLatin1String(", "));
    }
    return sql + limit;
}

QString SqlEmitter::selectCore(const SqlSelect& select, const Scope* parent, Scope& scope)
{
    scope.parent = parent;
    const QString from = fromClause(select, scope);

    QStringList items;
    for (const auto& item : select.items) {
        if (item.expr->kind == Kind::Star) {
            items << star(*item.expr, scope).sql;
            continue;
        }
        Value v = expression(*item.expr, scope);
        // DISTINCT and UNION tell rows apart by the items' collation.
        if (select.distinct || select.next || scope.inCompound)
            collateText(v);
        QString text = v.sql;
        if (!item.alias.isEmpty()) {
            text += QStringLiteral(" AS ") + quoted(item.alias);
            scope.aliases.insert(item.alias.toLower(), v.cls);
            if (v.cls == ValueClass::Text && v.size != 0)
                scope.textSizes.insert(item.alias.toLower(), v.size);
        } else if (item.expr->kind == Kind::Column) {
            scope.aliases.insert(item.expr->name.last().toLower(), v.cls);
        } else {
            text += QStringLiteral(" AS \"\"");  // the server leaves computed columns unnamed
        }
        items << text;
    }

    QString sql = QStringLiteral("SELECT ");
    if (select.distinct)
        sql += QStringLiteral("DISTINCT ");
    sql += items.join(QLatin1String(", "));
    sql += from;
    if (select.where)
        sql += QStringLiteral(" WHERE ") + expression(*select.where, scope).sql;
    if (!select.groupBy.empty()) {
        QStringList terms;
        for (const auto& e : select.groupBy) {
            Value v = expression(*e, scope);
            collateText(v);
            terms << v.sql;
        }
        sql += QStringLiteral(" GROUP BY ") + terms.join(QLatin1String(", "));
    }
    if (select.having)
        sql += QStringLiteral(" HAVING ") + expression(*select.having, scope).sql;
    return sql;
}

QString SqlEmitter::fromClause(const SqlSelect& select, Scope& scope)
{
    if (select.from.empty())
        return {};
    QString sql = QStringLiteral(" FROM ");
    for (const auto& source : select.from) {
        if (!source.join.isEmpty())
            sql += source.join == QLatin1String(",") ? QStringLiteral(", ") : u' ' + source.join + u' ';
        Source s;
        if (source.subquery) {
            if (source.alias.isEmpty())
                unsupported(QStringLiteral(")"));
            sql += u'(' + this->select(*source.subquery, &scope) + u')';
            s.qualifier = source.alias;
        } else {
            const CatalogTable& table = resolveTable(source.name);
            m_policy.checkRead(table);
            if (table.view)
                m_readsViews = true;
            else if (!m_tablesRead.contains(table.name))
                m_tablesRead << table.name;
            s.table = &table;
            s.qualifier = source.alias.isEmpty() ? table.name : source.alias;
            sql += quoted(table.name);
        }
        if (!source.alias.isEmpty())
            sql += QStringLiteral(" AS ") + quoted(source.alias);
        s.sqlName = quoted(s.qualifier);
        scope.sources.push_back(s);
        if (source.on)
            sql += QStringLiteral(" ON ") + expression(*source.on, scope).sql;
    }
    return sql;
}

QString SqlEmitter::orderTerm(const SqlOrderTerm& term, const SqlSelect& select, Scope& scope)
{
    const SqlExpr& e = *term.expr;
    QString sql;
    ValueClass cls = ValueClass::Unknown;
    if (e.kind == Kind::Literal && e.literalType == SqlExpr::LiteralType::Integer) {
        // ORDER BY 2: a position in the select list, not a value.
        const int position = e.text.toInt();
        if (position < 1 || position > int(select.items.size()))
            throw DbError(QStringLiteral("The ORDER BY position number %1 is out of range of the number of items in the select list.")
                              .arg(e.text),
                          DbError::Kind::Other);
        sql = e.text;
    } else {
        const Value v = expression(e, scope);
        sql = v.sql;
        cls = v.cls;
    }
    // Text order follows the server's collation, computed texts included.
    if (e.kind != Kind::Collate && (cls == ValueClass::Text || cls == ValueClass::Unknown))
        sql += QStringLiteral(" COLLATE ZEL_CI");
    if (term.descending)
        sql += QStringLiteral(" DESC");
    return sql;
}

SqlEmitter::Value SqlEmitter::star(const SqlExpr& expr, const Scope& scope)
{
    Value v;
    if (scope.sources.empty())
        throw DbError(QStringLiteral("Must specify table to select from."), DbError::Kind::Syntax);
    if (expr.name.isEmpty()) {
        v.sql = QStringLiteral("*");
        return v;
    }
    QStringList parts = expr.name;
    const QString written = joinedName(parts) + QStringLiteral(".*");
    if (parts.size() == 3 && parts.first().compare(m_policy.databaseName(), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() == 2 && (parts.first().isEmpty() || parts.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0))
        parts.removeFirst();
    if (parts.size() == 1)
        for (const auto& s : scope.sources)
            if (s.qualifier.compare(parts.first(), Qt::CaseInsensitive) == 0) {
                v.sql = s.sqlName + QStringLiteral(".*");
                return v;
            }
    throw DbError(QStringLiteral("The multi-part identifier \"%1\" could not be bound.").arg(written.chopped(2)),
                  DbError::Kind::InvalidObject, QStringLiteral("42000"), 4104);
}

SqlEmitter::Value SqlEmitter::column(const SqlExpr& expr, const Scope& scope)
{
    QStringList parts = expr.name;
    const QString written = joinedName(parts);
    if (parts.size() == 4) {
        if (parts.first().compare(m_policy.databaseName(), Qt::CaseInsensitive) != 0)
            invalidObject(written);
        parts.removeFirst();
    }
    if (parts.size() == 3) {
        if (!parts.first().isEmpty() && parts.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) != 0)
            invalidObject(written);
        parts.removeFirst();
    }
    Value v;
    const QString name = parts.last();
    if (parts.size() == 2) {
        for (const Scope* s = &scope; s; s = s->parent)
            for (const auto& source : s->sources)
                if (source.qualifier.compare(parts.first(), Qt::CaseInsensitive) == 0) {
                    if (scope.orderBy && s != &scope)
                        ++m_outerOrderColumns;
                    if (source.table) {
                        const CatalogColumn* c = source.table->column(name);
                        if (!c)
                            invalidColumn(name);
                        v.column = c;
                        v.cls = classOf(*c);
                        v.size = c->size;
                        v.sql = source.sqlName + u'.' + quoted(c->name);
                    } else {
                        v.sql = source.sqlName + u'.' + quoted(name);
                    }
                    return v;
                }
        throw DbError(QStringLiteral("The multi-part identifier \"%1\" could not be bound.").arg(written),
                      DbError::Kind::InvalidObject, QStringLiteral("42000"), 4104);
    }

    if (scope.orderBy) {
        const auto alias = scope.aliases.constFind(name.toLower());
        if (alias != scope.aliases.constEnd()) {
            v.cls = *alias;
            v.sql = quoted(name);
            return v;
        }
    }
    for (const Scope* s = &scope; s; s = s->parent) {
        const Source* found = nullptr;
        const CatalogColumn* foundColumn = nullptr;
        bool unknownSource = false;
        for (const auto& source : s->sources) {
            if (!source.table) {
                unknownSource = true;
                continue;
            }
            if (const CatalogColumn* c = source.table->column(name)) {
                if (found)
                    throw DbError(QStringLiteral("Ambiguous column name '%1'.").arg(name), DbError::Kind::InvalidObject,
                                  QStringLiteral("42000"), 209);
                found = &source;
                foundColumn = c;
            }
        }
        if ((found || unknownSource) && scope.orderBy && s != &scope)
            ++m_outerOrderColumns;
        if (found) {
            v.column = foundColumn;
            v.cls = classOf(*foundColumn);
            v.size = foundColumn->size;
            v.sql = found->sqlName + u'.' + quoted(foundColumn->name);
            return v;
        }
        if (unknownSource) {  // a derived table: SQLite knows its columns
            v.sql = quoted(name);
            return v;
        }
    }
    invalidColumn(name);
}

SqlEmitter::Value SqlEmitter::literal(const SqlExpr& expr)
{
    Value v;
    switch (expr.literalType) {
    case SqlExpr::LiteralType::String:
        v.cls = ValueClass::Text;
        v.textLiteral = true;
        v.size = std::max<int>(1, int(expr.text.size()));
        v.parameter = int(m_parameters.size());
        v.sql = bind(expr.text, expr.token);
        break;
    case SqlExpr::LiteralType::Integer:
        v.cls = ValueClass::Number;
        v.parameter = int(m_parameters.size());
        v.sql = bind(expr.text.toLongLong(), expr.token);
        break;
    case SqlExpr::LiteralType::Real:
        v.cls = ValueClass::Number;
        v.parameter = int(m_parameters.size());
        v.sql = bind(expr.text.toDouble(), expr.token);
        break;
    case SqlExpr::LiteralType::Binary: {
        v.cls = ValueClass::Binary;
        v.parameter = int(m_parameters.size());
        QString hex = expr.text;
        if (hex.size() % 2)
            hex.prepend(u'0');
        v.sql = bind(QByteArray::fromHex(hex.toLatin1()), expr.token);
        break;
    }
    case SqlExpr::LiteralType::Null:
        v.cls = ValueClass::Null;
        v.sql = QStringLiteral("NULL");
        break;
    }
    return v;
}

namespace {

// A select that cannot give two rows: no table to read, TOP 1, or one aggregate
// over all its rows.
bool givesOneRowAtMost(const SqlSelect& select)
{
    if (select.next)
        return false;
    if (select.from.empty())
        return true;
    const SqlExpr* top = select.top.get();
    if (top && !select.topPercent && top->kind == SqlExpr::Kind::Literal
        && top->literalType == SqlExpr::LiteralType::Integer && (top->text == QLatin1String("1") || top->text == QLatin1String("0")))
        return true;
    if (select.items.size() != 1 || !select.groupBy.empty())
        return false;
    const SqlExpr& item = *select.items.front().expr;
    static const QStringList aggregates = {QStringLiteral("count"), QStringLiteral("sum"), QStringLiteral("min"),
                                           QStringLiteral("max"), QStringLiteral("avg")};
    return item.kind == SqlExpr::Kind::Function && item.name.size() == 1
        && aggregates.contains(item.name.first(), Qt::CaseInsensitive);
}

// A subquery that stands for a value or a list has one column.
void requireOneColumn(const SqlSelect& select)
{
    if (select.items.size() > 1)
        throw ServerErrors::subqueryOfSeveralColumns();
}

// A chain as binary() wrote it, not wrapped or extended since.
bool isUntouchedChain(const SqlEmitter::Value& a)
{
    return !a.chainOperator.isEmpty() && a.sql.size() == a.chainText.size()
        && a.sql.constData() == a.chainText.constData();
}

// The left operand of "op": a chain of the same operator joins the new link
// without another pair of parentheses.
QString leftOperand(const SqlEmitter::Value& a, const QString& op)
{
    return a.chainOperator == op && isUntouchedChain(a) ? a.sql.mid(1, a.sql.size() - 2) : a.sql;
}

// "(a op b)", marked as a link of a chain of op.
void writeChain(SqlEmitter::Value& v, const SqlEmitter::Value& a, const QString& op, const QString& b)
{
    v.sql = u'(' + leftOperand(a, op) + u' ' + op + u' ' + b + u')';
    v.chainOperator = op;
    v.chainText = v.sql;
}

// "fn(a, b)", or a chain of fn taking b as one more argument.
void writeFoldedCall(SqlEmitter::Value& v, const SqlEmitter::Value& a, const QString& fn, const QString& b)
{
    v.sql = a.chainOperator == fn && isUntouchedChain(a) ? a.sql.left(a.sql.size() - 1) + QStringLiteral(", ") + b + u')'
                      : fn + u'(' + a.sql + QStringLiteral(", ") + b + u')';
    v.chainOperator = fn;
    v.chainText = v.sql;
}

}  // namespace

SqlEmitter::Value SqlEmitter::binary(const SqlExpr& expr, const Scope& scope)
{
    Value a = expression(*expr.args[0], scope);
    Value b = expression(*expr.args[1], scope);
    const QString& op = expr.text;
    Value v;
    if (op == QLatin1String("+")) {
        if (isTextLike(a.cls) && isTextLike(b.cls) && !(a.cls == ValueClass::Null && b.cls == ValueClass::Null)) {
            writeChain(v, a, QStringLiteral("||"), b.sql);
            v.cls = ValueClass::Text;
            if (a.size < 0 || b.size < 0)
                v.size = -1;
            else if (a.size > 0 && b.size > 0)
                v.size = std::min(a.size + b.size, 8000);
        } else if (isNumberLike(a.cls) && isNumberLike(b.cls)) {
            writeChain(v, a, QStringLiteral("+"), b.sql);
            v.cls = ValueClass::Number;
        } else {
            // Decided per row: texts are joined, a text with a number is read as a number.
            v.sql = QStringLiteral("zel_add(") + a.sql + QStringLiteral(", ") + b.sql + u')';
            v.cls = (a.cls == ValueClass::Number || b.cls == ValueClass::Number) ? ValueClass::Number
                                                                                 : ValueClass::Unknown;
        }
        return v;
    }
    if (op == QLatin1String("AND") || op == QLatin1String("OR")) {
        writeChain(v, a, op, b.sql);
        v.cls = ValueClass::Number;
        return v;
    }
    QString sqliteOp = op;
    const bool comparison = op == QLatin1String("=") || op == QLatin1String("<>") || op == QLatin1String("!=")
        || op == QLatin1String("<") || op == QLatin1String(">") || op == QLatin1String("<=")
        || op == QLatin1String(">=") || op == QLatin1String("!<") || op == QLatin1String("!>");
    if (comparison) {
        coercePair(a, b);
        if (op == QLatin1String("!="))
            sqliteOp = QStringLiteral("<>");
        else if (op == QLatin1String("!<"))
            sqliteOp = QStringLiteral(">=");
        else if (op == QLatin1String("!>"))
            sqliteOp = QStringLiteral("<=");
        // Texts compare without regard to case; a column brings its own collation,
        // computed texts and literals need it said.
        if ((a.cls == ValueClass::Text || b.cls == ValueClass::Text) && !a.column && !b.column)
            a.sql += QStringLiteral(" COLLATE ZEL_CI");
    }
    if (op == QLatin1String("^")) {
        writeFoldedCall(v, a, QStringLiteral("zel_xor"), b.sql);
    } else if (op == QLatin1String("/")) {
        writeFoldedCall(v, a, QStringLiteral("zel_divide"), b.sql);
    } else if (op == QLatin1String("%")) {
        writeFoldedCall(v, a, QStringLiteral("zel_modulo"), b.sql);
    } else {
        writeChain(v, a, sqliteOp, b.sql);
    }
    v.cls = ValueClass::Number;
    return v;
}

SqlEmitter::Value SqlEmitter::cast(const SqlExpr& expr, const Scope& scope)
{
    int size = 0, precision = 0, scale = 0;
    const SqlType type = db::parseSqlTypeName(expr.text, &size, &precision, &scale);
    if (type == SqlType::Unknown)
        throw DbError(QStringLiteral("Type %1 is not a defined system type.").arg(expr.text), DbError::Kind::Other);
    Value value = expression(*expr.args[0], scope);
    QString style = expr.args.size() > 1 ? expression(*expr.args[1], scope).sql : QStringLiteral("NULL");
    Value v;
    v.cls = classOfType(type);
    v.size = db::isTextType(type) ? (size == 0 ? 30 : size) : 0;  // varchar without a length is varchar(30)
    // Without a style, date texts are read in the connection's date format.
    v.sql = QStringLiteral("zel_convert('%1', %2, %3, '%4')").arg(expr.text, value.sql, style, m_dateFormat);
    return v;
}

SqlEmitter::Value SqlEmitter::function(const SqlExpr& expr, const Scope& scope)
{
    if (expr.name.size() > 1)
        invalidObject(joinedName(expr.name));
    const QString name = expr.name.first().toLower();
    Value v;
    auto args = [&] { return list(expr.args, scope); };
    auto argc = [&](std::size_t low, std::size_t high) {
        if (expr.args.size() < low || expr.args.size() > high)
            throw DbError(QStringLiteral("The %1 function requires %2 argument(s).").arg(expr.name.first()).arg(low),
                          DbError::Kind::Syntax);
    };

    if (name == QLatin1String("isnull")) {
        argc(2, 2);
        const Value a = expression(*expr.args[0], scope);
        const Value b = expression(*expr.args[1], scope);
        v.sql = QStringLiteral("ifnull(") + a.sql + QStringLiteral(", ") + b.sql + u')';
        v.cls = a.cls == ValueClass::Null ? b.cls : a.cls;
        v.size = a.cls == ValueClass::Null ? b.size : a.size;  // the type of its first argument
        return v;
    }
    if (name == QLatin1String("coalesce") || name == QLatin1String("nullif")) {
        if (name == QLatin1String("nullif"))
            argc(2, 2);
        else if (expr.args.size() < 2)
            throw DbError(QStringLiteral("The coalesce function requires at least 2 arguments."), DbError::Kind::Syntax,
                          QStringLiteral("42000"), 189);
        QStringList parts;
        ValueClass cls = ValueClass::Null;
        for (const auto& arg : expr.args) {
            const Value a = expression(*arg, scope);
            if (cls == ValueClass::Null)
                cls = a.cls;
            parts << a.sql;
        }
        v.sql = name + u'(' + parts.join(QLatin1String(", ")) + u')';
        v.cls = cls;
        return v;
    }
    if (name == QLatin1String("getdate") || name == QLatin1String("sysdatetime")) {
        argc(0, 0);
        v.sql = QStringLiteral("zel_getdate()");
        v.cls = ValueClass::Date;
        return v;
    }
    if (name == QLatin1String("scope_identity")) {
        argc(0, 0);
        v.sql = QStringLiteral("last_insert_rowid()");
        v.cls = ValueClass::Number;
        return v;
    }
    if (name == QLatin1String("count") || name == QLatin1String("count_big")) {
        if (!expr.starArgument)
            argc(1, 1);
        v.sql = expr.starArgument ? QStringLiteral("count(*)")
                                  : QStringLiteral("count(") + (expr.distinct ? QStringLiteral("DISTINCT ") : QString()) + args() + u')';
        v.cls = ValueClass::Number;
        return v;
    }
    if (expr.starArgument)
        unsupported(QStringLiteral("*"));
    if (name == QLatin1String("min") || name == QLatin1String("max")) {
        argc(1, 1);
        Value a = expression(*expr.args[0], scope);
        collateText(a);
        v.sql = name + u'(' + (expr.distinct ? QStringLiteral("DISTINCT ") : QString()) + a.sql + u')';
        v.cls = a.cls;
        return v;
    }
    if (name == QLatin1String("sum") || name == QLatin1String("avg")) {
        argc(1, 1);
        v.sql = name + u'(' + (expr.distinct ? QStringLiteral("DISTINCT ") : QString()) + args() + u')';
        v.cls = ValueClass::Number;
        return v;
    }
    if (expr.distinct)
        unsupported(QStringLiteral("DISTINCT"));

    struct Mapping {
        const char* tsql;
        const char* sqlite;
        std::size_t low, high;
        ValueClass cls;
    };
    static const Mapping mappings[] = {
        {"upper", "upper", 1, 1, ValueClass::Text},        {"lower", "lower", 1, 1, ValueClass::Text},
        {"ltrim", "ltrim", 1, 1, ValueClass::Text},        {"rtrim", "rtrim", 1, 1, ValueClass::Text},
        {"replace", "replace", 3, 3, ValueClass::Text},    {"substring", "substr", 3, 3, ValueClass::Text},
        {"len", "zel_len", 1, 1, ValueClass::Number},      {"datalength", "length", 1, 1, ValueClass::Number},
        {"charindex", "zel_charindex", 2, 3, ValueClass::Number}, {"abs", "abs", 1, 1, ValueClass::Number},
        {"round", "round", 1, 2, ValueClass::Number},      {"floor", "floor", 1, 1, ValueClass::Number},
        {"ceiling", "ceil", 1, 1, ValueClass::Number},     {"year", "zel_year", 1, 1, ValueClass::Number},
        {"month", "zel_month", 1, 1, ValueClass::Number},  {"day", "zel_day", 1, 1, ValueClass::Number},
        {"space", "zel_space", 1, 1, ValueClass::Text},    {"replicate", "zel_replicate", 2, 2, ValueClass::Text},
        {"reverse", "zel_reverse", 1, 1, ValueClass::Text},
    };
    for (const auto& m : mappings) {
        if (name == QLatin1String(m.tsql)) {
            argc(m.low, m.high);
            v.sql = QLatin1String(m.sqlite) + u'(' + args() + u')';
            v.cls = m.cls;
            return v;
        }
    }
    if (name == QLatin1String("left") || name == QLatin1String("right")) {
        argc(2, 2);
        const Value text = expression(*expr.args[0], scope);
        const Value count = expression(*expr.args[1], scope);
        v.sql = name == QLatin1String("left")
            ? QStringLiteral("substr(%1, 1, %2)").arg(text.sql, count.sql)
            : QStringLiteral("zel_right(%1, %2)").arg(text.sql, count.sql);
        v.cls = ValueClass::Text;
        return v;
    }
    throw DbError(QStringLiteral("'%1' is not a recognized built-in function name.").arg(expr.name.first()),
                  DbError::Kind::InvalidObject, QStringLiteral("42000"), 195);
}

SqlEmitter::Value SqlEmitter::expression(const SqlExpr& expr, const Scope& scope)
{
    Value v;
    switch (expr.kind) {
    case Kind::Literal:
        return literal(expr);
    case Kind::Column:
        return column(expr, scope);
    case Kind::Star:
        unsupported(QStringLiteral("*"));
    case Kind::Variable: {
        const QString name = expr.text.toUpper();
        if (name == QLatin1String("@@IDENTITY")) {
            v.sql = QStringLiteral("last_insert_rowid()");
            v.cls = ValueClass::Number;
            return v;
        }
        if (name == QLatin1String("@@ROWCOUNT")) {
            v.sql = QStringLiteral("changes()");
            v.cls = ValueClass::Number;
            return v;
        }
        throw DbError(QStringLiteral("Must declare the scalar variable \"%1\".").arg(expr.text), DbError::Kind::Syntax,
                      QStringLiteral("42000"), 137);
    }
    case Kind::Function:
        return function(expr, scope);
    case Kind::Unary: {
        const Value a = expression(*expr.args[0], scope);
        v.sql = u'(' + expr.text + (expr.text == QLatin1String("NOT") ? QStringLiteral(" ") : QString()) + a.sql + u')';
        v.cls = expr.text == QLatin1String("NOT") ? ValueClass::Number : a.cls;
        return v;
    }
    case Kind::Binary:
        return binary(expr, scope);
    case Kind::Between: {
        Value a = expression(*expr.args[0], scope);
        Value low = expression(*expr.args[1], scope);
        Value high = expression(*expr.args[2], scope);
        coercePair(a, low);
        coercePair(a, high);
        if (low.cls == ValueClass::Text || high.cls == ValueClass::Text || a.cls == ValueClass::Text)
            collateText(a);
        v.sql = u'(' + a.sql + (expr.negated ? QStringLiteral(" NOT") : QString()) + QStringLiteral(" BETWEEN ")
            + low.sql + QStringLiteral(" AND ") + high.sql + u')';
        v.cls = ValueClass::Number;
        return v;
    }
    case Kind::InList: {
        Value a = expression(*expr.args[0], scope);
        QStringList items;
        bool texts = a.cls == ValueClass::Text;
        for (std::size_t i = 1; i < expr.args.size(); ++i) {
            Value item = expression(*expr.args[i], scope);
            coercePair(a, item);
            texts = texts || item.cls == ValueClass::Text;
            items << item.sql;
        }
        if (texts)
            collateText(a);
        v.sql = u'(' + a.sql + (expr.negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN ("))
            + items.join(QLatin1String(", ")) + QStringLiteral("))");
        v.cls = ValueClass::Number;
        return v;
    }
    case Kind::InSelect: {
        requireOneColumn(*expr.select);
        Value a = expression(*expr.args[0], scope);
        collateText(a);
        v.sql = u'(' + a.sql + (expr.negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN ("))
            + select(*expr.select, &scope) + QStringLiteral("))");
        v.cls = ValueClass::Number;
        return v;
    }
    case Kind::Exists:
        v.sql = QStringLiteral("EXISTS (") + select(*expr.select, &scope) + u')';
        v.cls = ValueClass::Number;
        return v;
    case Kind::Subquery:
        requireOneColumn(*expr.select);
        // The server refuses a value that is several rows: zel_single fails on the
        // second one. The subquery is written once, however deeply they nest.
        v.sql = givesOneRowAtMost(*expr.select)
            ? u'(' + select(*expr.select, &scope) + u')'
            : QStringLiteral("(WITH zel_value(v) AS (%1) SELECT zel_single(v) FROM zel_value)")
                  .arg(select(*expr.select, &scope));
        return v;
    case Kind::Case: {
        QString sql = QStringLiteral("CASE");
        Value operand;
        if (expr.caseOperand) {
            operand = expression(*expr.caseOperand, scope);
            sql += u' ' + operand.sql;
        }
        ValueClass cls = ValueClass::Null;
        for (std::size_t i = 0; i + 1 < expr.args.size(); i += 2) {
            Value when = expression(*expr.args[i], scope);
            if (expr.caseOperand)
                coercePair(operand, when);
            const Value then = expression(*expr.args[i + 1], scope);
            if (cls == ValueClass::Null)
                cls = then.cls;
            sql += QStringLiteral(" WHEN ") + when.sql + QStringLiteral(" THEN ") + then.sql;
        }
        if (expr.caseElse) {
            const Value otherwise = expression(*expr.caseElse, scope);
            if (cls == ValueClass::Null)
                cls = otherwise.cls;
            sql += QStringLiteral(" ELSE ") + otherwise.sql;
        }
        v.sql = sql + QStringLiteral(" END");
        v.cls = cls;
        return v;
    }
    case Kind::Cast:
        return cast(expr, scope);
    case Kind::IsNull: {
        const Value a = expression(*expr.args[0], scope);
        v.sql = u'(' + a.sql + (expr.negated ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
        v.cls = ValueClass::Number;
        return v;
    }
    case Kind::Like: {
        const Value a = expression(*expr.args[0], scope);
        const Value pattern = expression(*expr.args[1], scope);
        v.sql = u'(' + a.sql + (expr.negated ? QStringLiteral(" NOT LIKE ") : QStringLiteral(" LIKE ")) + pattern.sql;
        if (expr.args.size() > 2)
            v.sql += QStringLiteral(" ESCAPE ") + expression(*expr.args[2], scope).sql;
        v.sql += u')';
        v.cls = ValueClass::Number;
        return v;
    }
    case Kind::Collate: {
        Value a = expression(*expr.args[0], scope);
        const QString upper = expr.text.toUpper();
        const bool binary = upper.contains(QLatin1String("_BIN")) || upper.contains(QLatin1String("_CS"));
        a.sql = a.sql + (binary ? QStringLiteral(" COLLATE BINARY") : QStringLiteral(" COLLATE ZEL_CI"));
        a.parameter = -1;
        a.textLiteral = false;
        return a;
    }
    case Kind::Paren: {
        Value a = expression(*expr.args[0], scope);
        if (!isUntouchedChain(a))
            a.sql = u'(' + a.sql + u')';  // a chain is in parentheses, or one call, already
        return a;
    }
    }
    unsupported(QString());
}

}  // namespace zel::server
