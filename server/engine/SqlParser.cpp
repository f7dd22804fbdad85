#include "server/engine/SqlParser.h"

#include "data/DbError.h"
#include "server/engine/ServerErrors.h"
#include "server/engine/SqlTokenizer.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace zel::server {

namespace {

using Kind = SqlToken::Kind;

SqlExprPtr makeExpr(SqlExpr::Kind kind, int offset)
{
    auto e = std::make_unique<SqlExpr>();
    e->kind = kind;
    e->offset = offset;
    return e;
}

// Whatever walks a parsed expression recurses once per level, and a long chain
// of operators is as high as it is long; higher ones are refused as the server
// refuses statements nested too deeply.
constexpr int kMaxHeight = 400;

// e with its height taken from its children, which are complete; selectHeight is
// that of the highest expression of a subquery it holds.
SqlExprPtr measured(SqlExprPtr e, int selectHeight = 0)
{
    int below = selectHeight;
    for (const SqlExprPtr& arg : e->args)
        below = std::max(below, arg->height);
    if (e->caseOperand)
        below = std::max(below, e->caseOperand->height);
    if (e->caseElse)
        below = std::max(below, e->caseElse->height);
    e->height = below + 1;
    if (e->height > kMaxHeight)
        throw ServerErrors::nestedTooDeeply();
    return e;
}

SqlExprPtr makeBinary(const QString& op, SqlExprPtr left, SqlExprPtr right)
{
    auto e = makeExpr(SqlExpr::Kind::Binary, left->offset);
    e->text = op;
    e->args.push_back(std::move(left));
    e->args.push_back(std::move(right));
    return measured(std::move(e));
}

bool isComparison(const SqlToken& t)
{
    if (t.kind != Kind::Operator)
        return false;
    static const QSet<QString> ops = {QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("!="),
                                      QStringLiteral("<"),  QStringLiteral(">"),  QStringLiteral("<="),
                                      QStringLiteral(">="), QStringLiteral("!<"), QStringLiteral("!>")};
    return ops.contains(t.text);
}

// The statement as the error message quotes it: trimmed, long ones cut.
QString quotedStatement(const QString& text)
{
    QString statement = text.trimmed();
    if (statement.size() > 300)
        statement = statement.left(300) + QStringLiteral("...");
    return statement;
}

}  // namespace

bool SqlParser::isReserved(const QString& word)
{
    static const QSet<QString> reserved = [] {
        QSet<QString> s;
        for (const char* w :
             {"ADD",      "ALL",     "ALTER",   "AND",      "ANY",     "AS",      "ASC",       "BEGIN",
              "BETWEEN",  "BREAK",   "BY",      "CASE",     "CAST",    "CHECK",   "COLLATE",   "COMMIT",
              "CONVERT",  "CREATE",  "CROSS",   "DECLARE",  "DEFAULT", "DELETE",  "DESC",      "DISTINCT",
              "DROP",     "ELSE",    "END",     "ESCAPE",   "EXCEPT",  "EXEC",    "EXECUTE",   "EXISTS",
              "FOR",      "FROM",    "FULL",    "GO",       "GROUP",   "HAVING",  "IF",        "IN",
              "INNER",    "INSERT",  "INTERSECT", "INTO",   "IS",      "JOIN",    "LEFT",      "LIKE",
              "NOT",      "NULL",    "ON",      "OR",       "ORDER",   "OUTER",   "PERCENT",   "PRINT",
              "PROCEDURE", "RETURN", "RIGHT",   "ROLLBACK", "SELECT",  "SET",     "SOME",      "TABLE",
              "THEN",     "TOP",     "TRAN",    "TRANSACTION", "UNION", "UPDATE", "VALUES",    "WHEN",
              "WHERE",    "WHILE",   "WITH"})
            s.insert(QString::fromLatin1(w));
        return s;
    }();
    return reserved.contains(word.toUpper());
}

SqlParser::SqlParser(const QString& batch) : m_text(batch), m_tokens(tokenize(batch)) {}

SqlParser::SqlParser(const QString& batch, std::vector<SqlToken> tokens) : m_text(batch), m_tokens(std::move(tokens)) {}

std::vector<SqlToken> SqlParser::tokenize(const QString& batch)
{
    try {
        return SqlTokenizer::tokenize(batch);
    } catch (const DbError& e) {
        throw DbError(e.message() + QStringLiteral("\nStatement: ") + quotedStatement(batch), e.kind());
    }
}

bool SqlParser::isIntegerLiteral(const QString& number)
{
    if (number.contains(u'.') || number.contains(u'e') || number.contains(u'E'))
        return false;
    bool fits = false;
    number.toLongLong(&fits);
    return fits;
}

const SqlToken& SqlParser::peek(int ahead) const
{
    const std::size_t i = std::min(m_pos + std::size_t(ahead), m_tokens.size() - 1);
    return m_tokens[i];
}

const SqlToken& SqlParser::take()
{
    const SqlToken& t = m_tokens[m_pos];
    if (m_pos + 1 < m_tokens.size())
        ++m_pos;
    return t;
}

bool SqlParser::takeWord(QLatin1StringView keyword)
{
    if (!peek().isWord(keyword))
        return false;
    take();
    return true;
}

bool SqlParser::takeOperator(QLatin1StringView op)
{
    if (!peek().isOperator(op))
        return false;
    take();
    return true;
}

void SqlParser::expectWord(QLatin1StringView keyword)
{
    if (!takeWord(keyword))
        fail(peek());
}

void SqlParser::expectOperator(QLatin1StringView op)
{
    if (!takeOperator(op))
        fail(peek());
}

void SqlParser::fail(const SqlToken& at) const
{
    const SqlToken* near = &at;
    if (at.kind == Kind::End && m_pos > 0) {  // statement cut short: name its last token
        std::size_t i = m_tokens.size() - 1;
        while (i > 0 && m_tokens[i].kind == Kind::End)
            --i;
        near = &m_tokens[i];
    }
    QString what;
    if (near->kind == Kind::End)
        what = QStringLiteral("Incorrect syntax near the end of the statement.");
    else if (near->kind == Kind::Word && isReserved(near->text))
        what = QStringLiteral("Incorrect syntax near the keyword '%1'.").arg(near->text);
    else
        what = QStringLiteral("Incorrect syntax near '%1'.").arg(m_text.mid(near->offset, near->length));
    throw DbError(what + QStringLiteral("\nStatement: ") + quotedStatement(m_text.mid(m_statementStart)),
                  DbError::Kind::Syntax);
}

bool SqlParser::atStatementStart() const
{
    const SqlToken& t = peek();
    return t.isWord(QLatin1String("SELECT")) || t.isWord(QLatin1String("INSERT")) || t.isWord(QLatin1String("UPDATE"))
        || t.isWord(QLatin1String("DELETE")) || t.isWord(QLatin1String("EXEC"))
        || t.isWord(QLatin1String("EXECUTE")) || t.isWord(QLatin1String("SET"));
}

bool SqlParser::atStatementEnd() const
{
    return peek().kind == Kind::End || peek().isOperator(QLatin1String(";")) || atStatementStart();
}

std::vector<SqlStatement> SqlParser::parseBatch()
{
    std::vector<SqlStatement> statements;
    for (;;) {
        while (takeOperator(QLatin1String(";"))) {
        }
        if (peek().kind == Kind::End)
            break;
        m_statementStart = peek().offset;
        SqlStatement s = parseStatement();
        const int end = m_pos > 0 ? m_tokens[m_pos - 1].offset + m_tokens[m_pos - 1].length : 0;
        s.offset = m_statementStart;
        s.text = m_text.mid(m_statementStart, end - m_statementStart);
        if (!atStatementEnd())
            fail(peek());
        statements.push_back(std::move(s));
    }
    return statements;
}

SqlStatement SqlParser::parseStatement()
{
    SqlStatement s;
    const SqlToken& t = peek();
    if (t.isWord(QLatin1String("SELECT"))) {
        s.kind = SqlStatement::Kind::Select;
        s.select = parseSelect();
    } else if (t.isWord(QLatin1String("INSERT"))) {
        take();
        s.kind = SqlStatement::Kind::Insert;
        parseInsert(s);
    } else if (t.isWord(QLatin1String("UPDATE"))) {
        take();
        s.kind = SqlStatement::Kind::Update;
        parseUpdate(s);
    } else if (t.isWord(QLatin1String("DELETE"))) {
        take();
        s.kind = SqlStatement::Kind::Delete;
        parseDelete(s);
    } else if (t.isWord(QLatin1String("EXEC")) || t.isWord(QLatin1String("EXECUTE"))) {
        take();
        s.kind = SqlStatement::Kind::Exec;
        parseExec(s);
    } else if (t.isWord(QLatin1String("SET"))) {
        take();
        s.kind = SqlStatement::Kind::SetOption;
        parseSet(s);
    } else {
        fail(t);
    }
    return s;
}

void SqlParser::parseInsert(SqlStatement& s)
{
    takeWord(QLatin1String("INTO"));
    s.tableOffset = peek().offset;
    s.table = parseMultiPartName();
    if (takeOperator(QLatin1String("("))) {
        do {
            if (!peek().isName())
                fail(peek());
            s.columns << take().text;
        } while (takeOperator(QLatin1String(",")));
        expectOperator(QLatin1String(")"));
    }
    if (takeWord(QLatin1String("DEFAULT"))) {
        expectWord(QLatin1String("VALUES"));
        s.defaultValues = true;
    } else if (takeWord(QLatin1String("VALUES"))) {
        do {
            expectOperator(QLatin1String("("));
            std::vector<SqlExprPtr> row;
            do {
                row.push_back(parseExpression());
            } while (takeOperator(QLatin1String(",")));
            expectOperator(QLatin1String(")"));
            s.values.push_back(std::move(row));
        } while (takeOperator(QLatin1String(",")));
    } else if (peek().isWord(QLatin1String("SELECT"))) {
        s.select = parseSelect();
    } else {
        fail(peek());
    }
}

void SqlParser::parseUpdate(SqlStatement& s)
{
    s.tableOffset = peek().offset;
    s.table = parseMultiPartName();
    expectWord(QLatin1String("SET"));
    do {
        if (!peek().isName())
            fail(peek());
        QStringList target = parseMultiPartName();  // "t.col" is allowed; the last part names the column
        expectOperator(QLatin1String("="));
        s.assignments.emplace_back(target.last(), parseExpression());
    } while (takeOperator(QLatin1String(",")));
    if (takeWord(QLatin1String("WHERE")))
        s.where = parseExpression();
}

void SqlParser::parseDelete(SqlStatement& s)
{
    takeWord(QLatin1String("FROM"));
    s.tableOffset = peek().offset;
    s.table = parseMultiPartName();
    if (takeWord(QLatin1String("WHERE")))
        s.where = parseExpression();
}

void SqlParser::parseExec(SqlStatement& s)
{
    if (peek().kind == Kind::Variable && peek(1).isOperator(QLatin1String("=")))
        fail(peek());  // return-value capture needs variables, which batches here do not declare
    if (!peek().isName())
        fail(peek());
    s.procedure = parseMultiPartName();
    if (atStatementEnd())
        return;
    do {
        SqlExecArgument argument;
        argument.offset = peek().offset;
        if (peek().kind == Kind::Variable && peek(1).isOperator(QLatin1String("="))) {
            argument.name = take().text;
            take();
        }
        if (peek().kind == Kind::Word && !isReserved(peek().text) && !peek(1).isOperator(QLatin1String("("))
            && !peek(1).isOperator(QLatin1String("."))) {
            // A bare word passed to a procedure is a text value.
            auto e = makeExpr(SqlExpr::Kind::Literal, peek().offset);
            e->literalType = SqlExpr::LiteralType::String;
            e->text = take().text;
            argument.value = std::move(e);
        } else if (peek().isWord(QLatin1String("DEFAULT"))) {
            fail(peek());
        } else {
            argument.value = parseExpression();
        }
        if (takeWord(QLatin1String("OUTPUT")) || takeWord(QLatin1String("OUT")))
            fail(m_tokens[m_pos - 1]);
        s.arguments.push_back(std::move(argument));
    } while (takeOperator(QLatin1String(",")));
}

void SqlParser::parseSet(SqlStatement& s)
{
    const SqlToken& option = peek();
    if (option.isWord(QLatin1String("DATEFORMAT"))) {
        take();
        if (!peek().isName() && peek().kind != Kind::String)
            fail(peek());
        s.option = QStringLiteral("DATEFORMAT");
        s.optionValue = take().text.toLower();
        return;
    }
    static const char* const onOff[] = {"NOCOUNT", "ANSI_NULLS", "ANSI_WARNINGS", "QUOTED_IDENTIFIER",
                                        "ARITHABORT", "CONCAT_NULL_YIELDS_NULL", "XACT_ABORT", "ANSI_PADDING"};
    for (const char* name : onOff) {
        if (option.isWord(QLatin1String(name))) {
            take();
            if (!peek().isWord(QLatin1String("ON")) && !peek().isWord(QLatin1String("OFF")))
                fail(peek());
            s.option = QString::fromLatin1(name);
            s.optionValue = take().text.toUpper();
            return;
        }
    }
    fail(option);
}

std::unique_ptr<SqlSelect> SqlParser::parseSelect()
{
    auto first = parseSelectCore();
    SqlSelect* last = first.get();
    for (;;) {
        QString op;
        if (takeWord(QLatin1String("UNION")))
            op = takeWord(QLatin1String("ALL")) ? QStringLiteral("UNION ALL") : QStringLiteral("UNION");
        else if (takeWord(QLatin1String("EXCEPT")))
            op = QStringLiteral("EXCEPT");
        else if (takeWord(QLatin1String("INTERSECT")))
            op = QStringLiteral("INTERSECT");
        else
            break;
        last->setOperator = op;
        last->next = parseSelectCore();
        last = last->next.get();
    }
    if (peek().isWord(QLatin1String("ORDER"))) {
        take();
        expectWord(QLatin1String("BY"));
        do {
            SqlOrderTerm term;
            term.expr = parseExpression();
            if (takeWord(QLatin1String("DESC")))
                term.descending = true;
            else
                takeWord(QLatin1String("ASC"));
            first->orderBy.push_back(std::move(term));
        } while (takeOperator(QLatin1String(",")));
    }
    return first;
}

std::unique_ptr<SqlSelect> SqlParser::parseSelectCore()
{
    expectWord(QLatin1String("SELECT"));
    auto select = std::make_unique<SqlSelect>();
    if (takeWord(QLatin1String("DISTINCT")))
        select->distinct = true;
    else
        takeWord(QLatin1String("ALL"));
    if (takeWord(QLatin1String("TOP"))) {
        if (takeOperator(QLatin1String("("))) {
            select->top = parseExpression();
            expectOperator(QLatin1String(")"));
        } else {
            if (peek().kind != Kind::Number)
                fail(peek());
            select->top = parsePrimary();
        }
        if (takeWord(QLatin1String("PERCENT")))
            select->topPercent = true;
        if (peek().isWord(QLatin1String("WITH")))
            fail(peek());
    }
    do {
        SqlSelectItem item;
        if (peek().isOperator(QLatin1String("*"))) {
            item.expr = makeExpr(SqlExpr::Kind::Star, take().offset);
        } else {
            item.expr = parseExpression();
            item.alias = parseAlias();
        }
        select->items.push_back(std::move(item));
    } while (takeOperator(QLatin1String(",")));

    if (peek().isWord(QLatin1String("INTO")))
        fail(peek());
    if (takeWord(QLatin1String("FROM")))
        parseFrom(*select);
    if (takeWord(QLatin1String("WHERE")))
        select->where = parseExpression();
    if (peek().isWord(QLatin1String("GROUP"))) {
        take();
        expectWord(QLatin1String("BY"));
        do {
            select->groupBy.push_back(parseExpression());
        } while (takeOperator(QLatin1String(",")));
    }
    if (takeWord(QLatin1String("HAVING")))
        select->having = parseExpression();
    return select;
}

QString SqlParser::parseAlias()
{
    if (takeWord(QLatin1String("AS"))) {
        if (!peek().isName() && peek().kind != Kind::String)
            fail(peek());
        return take().text;
    }
    const SqlToken& t = peek();
    if (t.kind == Kind::QuotedName || t.kind == Kind::String || (t.kind == Kind::Word && !isReserved(t.text)))
        return take().text;
    return {};
}

void SqlParser::parseFrom(SqlSelect& select)
{
    select.from.push_back(parseTableSource());
    for (;;) {
        QString join;
        if (takeOperator(QLatin1String(","))) {
            join = QStringLiteral(",");
        } else if (takeWord(QLatin1String("JOIN"))) {
            join = QStringLiteral("JOIN");
        } else if (takeWord(QLatin1String("INNER"))) {
            expectWord(QLatin1String("JOIN"));
            join = QStringLiteral("JOIN");
        } else if (takeWord(QLatin1String("CROSS"))) {
            expectWord(QLatin1String("JOIN"));
            join = QStringLiteral("CROSS JOIN");
        } else if (peek().isWord(QLatin1String("LEFT")) || peek().isWord(QLatin1String("RIGHT"))
                   || peek().isWord(QLatin1String("FULL"))) {
            const QString side = take().text.toUpper();
            takeWord(QLatin1String("OUTER"));
            expectWord(QLatin1String("JOIN"));
            join = side + QStringLiteral(" JOIN");
        } else {
            break;
        }
        SqlTableSource source = parseTableSource();
        source.join = join;
        if (join != QLatin1String(",") && join != QLatin1String("CROSS JOIN")) {
            expectWord(QLatin1String("ON"));
            source.on = parseExpression();
        }
        select.from.push_back(std::move(source));
    }
}

SqlTableSource SqlParser::parseTableSource()
{
    SqlTableSource source;
    source.offset = peek().offset;
    if (takeOperator(QLatin1String("("))) {
        if (!peek().isWord(QLatin1String("SELECT")))
            fail(peek());
        source.subquery = parseNestedSelect();
        expectOperator(QLatin1String(")"));
    } else {
        source.name = parseMultiPartName();
    }
    source.alias = parseAlias();
    if (peek().isWord(QLatin1String("WITH")))
        fail(peek());
    return source;
}

QStringList SqlParser::parseMultiPartName()
{
    QStringList parts;
    if (!peek().isName() || (peek().kind == Kind::Word && isReserved(peek().text)))
        fail(peek());
    parts << take().text;
    while (peek().isOperator(QLatin1String("."))) {
        take();
        if (peek().isOperator(QLatin1String("."))) {  // "ZEL..TEACHER": the default schema
            parts << QString();
            continue;
        }
        if (!peek().isName())
            fail(peek());
        parts << take().text;
    }
    if (parts.size() > 4)
        fail(peek());
    return parts;
}

QString SqlParser::parseTypeName()
{
    if (peek().kind != Kind::Word)
        fail(peek());
    QString type = take().text.toLower();
    if (takeOperator(QLatin1String("("))) {
        type += u'(';
        if (peek().isWord(QLatin1String("MAX")))
            type += take().text.toLower();
        else if (peek().kind == Kind::Number)
            type += take().text;
        else
            fail(peek());
        if (takeOperator(QLatin1String(","))) {
            if (peek().kind != Kind::Number)
                fail(peek());
            type += u',' + take().text;
        }
        expectOperator(QLatin1String(")"));
        type += u')';
    }
    return type;
}

namespace {

// Deeper nesting than this is refused the way the server refuses it; SQLite's own
// parser gives up not far beyond.
constexpr int kMaxNesting = 32;

class NestingLevel {
public:
    explicit NestingLevel(int& depth) : m_depth(depth)
    {
        if (++m_depth > kMaxNesting) {
            --m_depth;
            throw ServerErrors::nestedTooDeeply();
        }
    }
    ~NestingLevel() { --m_depth; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& m_depth;
};

}  // namespace

SqlExprPtr SqlParser::parseExpression()
{
    const NestingLevel level(m_nesting);
    SqlExprPtr e = parseOr();
    m_deepest = std::max(m_deepest, e->height);
    return e;
}

std::unique_ptr<SqlSelect> SqlParser::parseSubquery(int& height)
{
    const int outer = std::exchange(m_deepest, 0);
    std::unique_ptr<SqlSelect> select = parseNestedSelect();
    height = std::exchange(m_deepest, outer);
    return select;
}

std::unique_ptr<SqlSelect> SqlParser::parseNestedSelect()
{
    std::unique_ptr<SqlSelect> select = parseSelect();
    // A nested select has no order of its own to give, unless it picks its TOP rows by it.
    if (!select->orderBy.empty() && !select->top)
        throw DbError(QStringLiteral("The ORDER BY clause is invalid in views, inline functions, derived tables, "
                                     "subqueries, and common table expressions, unless TOP, OFFSET or FOR XML is "
                                     "also specified."),
                      DbError::Kind::Syntax, QStringLiteral("42000"), 1033);
    return select;
}

SqlExprPtr SqlParser::parseOr()
{
    SqlExprPtr left = parseAnd();
    while (takeWord(QLatin1String("OR")))
        left = makeBinary(QStringLiteral("OR"), std::move(left), parseAnd());
    return left;
}

SqlExprPtr SqlParser::parseAnd()
{
    SqlExprPtr left = parseNot();
    while (takeWord(QLatin1String("AND")))
        left = makeBinary(QStringLiteral("AND"), std::move(left), parseNot());
    return left;
}

SqlExprPtr SqlParser::parseNot()
{
    if (peek().isWord(QLatin1String("NOT"))) {
        const NestingLevel level(m_nesting);
        auto e = makeExpr(SqlExpr::Kind::Unary, take().offset);
        e->text = QStringLiteral("NOT");
        e->args.push_back(parseNot());
        return measured(std::move(e));
    }
    return parsePredicate();
}

SqlExprPtr SqlParser::parsePredicate()
{
    SqlExprPtr left = parseAdditive();
    for (;;) {
        if (isComparison(peek())) {
            const QString op = take().text;
            left = makeBinary(op, std::move(left), parseAdditive());
            continue;
        }
        bool negated = false;
        if (peek().isWord(QLatin1String("NOT"))
            && (peek(1).isWord(QLatin1String("LIKE")) || peek(1).isWord(QLatin1String("IN"))
                || peek(1).isWord(QLatin1String("BETWEEN")))) {
            take();
            negated = true;
        }
        if (takeWord(QLatin1String("LIKE"))) {
            auto e = makeExpr(SqlExpr::Kind::Like, left->offset);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(parseAdditive());
            if (takeWord(QLatin1String("ESCAPE")))
                e->args.push_back(parseAdditive());
            left = measured(std::move(e));
        } else if (takeWord(QLatin1String("BETWEEN"))) {
            auto e = makeExpr(SqlExpr::Kind::Between, left->offset);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(parseAdditive());
            expectWord(QLatin1String("AND"));
            e->args.push_back(parseAdditive());
            left = measured(std::move(e));
        } else if (takeWord(QLatin1String("IN"))) {
            expectOperator(QLatin1String("("));
            SqlExprPtr e;
            int selectHeight = 0;
            if (peek().isWord(QLatin1String("SELECT"))) {
                e = makeExpr(SqlExpr::Kind::InSelect, left->offset);
                e->args.push_back(std::move(left));
                e->select = parseSubquery(selectHeight);
            } else {
                e = makeExpr(SqlExpr::Kind::InList, left->offset);
                e->args.push_back(std::move(left));
                do {
                    e->args.push_back(parseExpression());
                } while (takeOperator(QLatin1String(",")));
            }
            expectOperator(QLatin1String(")"));
            e->negated = negated;
            left = measured(std::move(e), selectHeight);
        } else if (peek().isWord(QLatin1String("IS"))) {
            take();
            auto e = makeExpr(SqlExpr::Kind::IsNull, left->offset);
            e->negated = takeWord(QLatin1String("NOT"));
            expectWord(QLatin1String("NULL"));
            e->args.push_back(std::move(left));
            left = measured(std::move(e));
        } else {
            return left;
        }
    }
}

SqlExprPtr SqlParser::parseAdditive()
{
    SqlExprPtr left = parseMultiplicative();
    for (;;) {
        const SqlToken& t = peek();
        if (t.isOperator(QLatin1String("+")) || t.isOperator(QLatin1String("-")) || t.isOperator(QLatin1String("&"))
            || t.isOperator(QLatin1String("|")) || t.isOperator(QLatin1String("^"))) {
            const QString op = take().text;
            left = makeBinary(op, std::move(left), parseMultiplicative());
        } else {
            return left;
        }
    }
}

SqlExprPtr SqlParser::parseMultiplicative()
{
    SqlExprPtr left = parseUnary();
    for (;;) {
        const SqlToken& t = peek();
        if (t.isOperator(QLatin1String("*")) || t.isOperator(QLatin1String("/")) || t.isOperator(QLatin1String("%"))) {
            const QString op = take().text;
            left = makeBinary(op, std::move(left), parseUnary());
        } else {
            return left;
        }
    }
}

SqlExprPtr SqlParser::parseUnary()
{
    const SqlToken& t = peek();
    if (t.isOperator(QLatin1String("-")) || t.isOperator(QLatin1String("+")) || t.isOperator(QLatin1String("~"))) {
        const NestingLevel level(m_nesting);
        auto e = makeExpr(SqlExpr::Kind::Unary, t.offset);
        e->text = take().text;
        e->args.push_back(parseUnary());
        return measured(std::move(e));
    }
    SqlExprPtr e = parsePrimary();
    while (peek().isWord(QLatin1String("COLLATE"))) {
        take();
        if (peek().kind != Kind::Word)
            fail(peek());
        auto c = makeExpr(SqlExpr::Kind::Collate, e->offset);
        c->text = take().text;
        c->args.push_back(std::move(e));
        e = measured(std::move(c));
    }
    return e;
}

SqlExprPtr SqlParser::parsePrimary()
{
    const SqlToken& t = peek();
    switch (t.kind) {
    case Kind::String: {
        auto e = makeExpr(SqlExpr::Kind::Literal, t.offset);
        e->token = int(m_pos);
        e->literalType = SqlExpr::LiteralType::String;
        e->text = take().text;
        return e;
    }
    case Kind::Number: {
        auto e = makeExpr(SqlExpr::Kind::Literal, t.offset);
        e->token = int(m_pos);
        e->literalType = isIntegerLiteral(t.text) ? SqlExpr::LiteralType::Integer : SqlExpr::LiteralType::Real;
        e->text = take().text;
        return e;
    }
    case Kind::Binary: {
        auto e = makeExpr(SqlExpr::Kind::Literal, t.offset);
        e->token = int(m_pos);
        e->literalType = SqlExpr::LiteralType::Binary;
        e->text = take().text;
        return e;
    }
    case Kind::Variable: {
        auto e = makeExpr(SqlExpr::Kind::Variable, t.offset);
        e->text = take().text;
        return e;
    }
    case Kind::Operator:
        if (t.isOperator(QLatin1String("("))) {
            const int offset = take().offset;
            if (peek().isWord(QLatin1String("SELECT"))) {
                auto e = makeExpr(SqlExpr::Kind::Subquery, offset);
                int selectHeight = 0;
                e->select = parseSubquery(selectHeight);
                expectOperator(QLatin1String(")"));
                return measured(std::move(e), selectHeight);
            }
            auto e = makeExpr(SqlExpr::Kind::Paren, offset);
            e->args.push_back(parseExpression());
            expectOperator(QLatin1String(")"));
            return measured(std::move(e));
        }
        fail(t);
    case Kind::Word:
        if (t.isWord(QLatin1String("NULL"))) {
            auto e = makeExpr(SqlExpr::Kind::Literal, take().offset);
            e->literalType = SqlExpr::LiteralType::Null;
            return e;
        }
        if (t.isWord(QLatin1String("CASE")))
            return parseCase();
        if (t.isWord(QLatin1String("CAST")))
            return parseCast(false);
        if (t.isWord(QLatin1String("CONVERT")))
            return parseCast(true);
        if (t.isWord(QLatin1String("EXISTS"))) {
            auto e = makeExpr(SqlExpr::Kind::Exists, take().offset);
            expectOperator(QLatin1String("("));
            int selectHeight = 0;
            e->select = parseSubquery(selectHeight);
            expectOperator(QLatin1String(")"));
            return measured(std::move(e), selectHeight);
        }
        if (t.isWord(QLatin1String("CURRENT_TIMESTAMP"))) {
            auto e = makeExpr(SqlExpr::Kind::Function, take().offset);
            e->name << QStringLiteral("GETDATE");
            return e;
        }
        if (isReserved(t.text) && !t.isWord(QLatin1String("LEFT")) && !t.isWord(QLatin1String("RIGHT")))
            fail(t);
        return parseNameOrFunction();
    case Kind::QuotedName:
        return parseNameOrFunction();
    case Kind::End:
        break;
    }
    fail(t);
}

SqlExprPtr SqlParser::parseNameOrFunction()
{
    const int offset = peek().offset;
    QStringList parts;
    parts << take().text;
    while (peek().isOperator(QLatin1String("."))) {
        take();
        if (peek().isOperator(QLatin1String("*"))) {
            take();
            auto e = makeExpr(SqlExpr::Kind::Star, offset);
            e->name = parts;
            return e;
        }
        if (peek().isOperator(QLatin1String("."))) {
            parts << QString();
            continue;
        }
        if (!peek().isName())
            fail(peek());
        parts << take().text;
    }
    if (peek().isOperator(QLatin1String("("))) {
        take();
        auto e = makeExpr(SqlExpr::Kind::Function, offset);
        e->name = parts;
        if (takeOperator(QLatin1String("*"))) {
            e->starArgument = true;
        } else if (!peek().isOperator(QLatin1String(")"))) {
            if (takeWord(QLatin1String("DISTINCT")))
                e->distinct = true;
            do {
                e->args.push_back(parseExpression());
            } while (takeOperator(QLatin1String(",")));
        }
        expectOperator(QLatin1String(")"));
        return measured(std::move(e));
    }
    if (parts.size() > 4)
        fail(peek());
    auto e = makeExpr(SqlExpr::Kind::Column, offset);
    e->name = parts;
    return e;
}

SqlExprPtr SqlParser::parseCase()
{
    auto e = makeExpr(SqlExpr::Kind::Case, take().offset);
    if (!peek().isWord(QLatin1String("WHEN")))
        e->caseOperand = parseExpression();
    if (!peek().isWord(QLatin1String("WHEN")))
        fail(peek());
    while (takeWord(QLatin1String("WHEN"))) {
        e->args.push_back(parseExpression());
        expectWord(QLatin1String("THEN"));
        e->args.push_back(parseExpression());
    }
    if (takeWord(QLatin1String("ELSE")))
        e->caseElse = parseExpression();
    expectWord(QLatin1String("END"));
    return measured(std::move(e));
}

SqlExprPtr SqlParser::parseCast(bool isConvert)
{
    auto e = makeExpr(SqlExpr::Kind::Cast, take().offset);
    expectOperator(QLatin1String("("));
    if (isConvert) {
        e->text = parseTypeName();
        expectOperator(QLatin1String(","));
        e->args.push_back(parseExpression());
        if (takeOperator(QLatin1String(",")))
            e->args.push_back(parseExpression());
    } else {
        e->args.push_back(parseExpression());
        expectWord(QLatin1String("AS"));
        e->text = parseTypeName();
    }
    expectOperator(QLatin1String(")"));
    return measured(std::move(e));
}

}  // namespace zel::server
