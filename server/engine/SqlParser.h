#pragma once

#include "server/engine/SqlAst.h"
#include "server/engine/SqlToken.h"

#include <QString>

#include <vector>

namespace zel::server {

/// Parses a batch in the server's dialect (SELECT, INSERT, UPDATE, DELETE, EXEC,
/// SET) into statements. Statements end at ';' or where the next one begins, so a
/// batch may put them on separate lines. Anything else throws zel::DbError
/// (Kind::Syntax) naming the token and quoting the statement.
class SqlParser {
public:
    explicit SqlParser(const QString& batch);
    /// With the batch's tokens already made by tokenize().
    SqlParser(const QString& batch, std::vector<SqlToken> tokens);

    /// The batch's tokens; errors quote the statement like parse errors do.
    static std::vector<SqlToken> tokenize(const QString& batch);
    /// Whether a number token is read as an integer (else as a real).
    static bool isIntegerLiteral(const QString& number);

    std::vector<SqlStatement> parseBatch();

    /// Whether a bare word is reserved (never taken as an alias).
    static bool isReserved(const QString& word);

private:
    const SqlToken& peek(int ahead = 0) const;
    const SqlToken& take();
    bool takeWord(QLatin1StringView keyword);
    bool takeOperator(QLatin1StringView op);
    void expectWord(QLatin1StringView keyword);
    void expectOperator(QLatin1StringView op);
    [[noreturn]] void fail(const SqlToken& at) const;
    bool atStatementStart() const;
    bool atStatementEnd() const;

    SqlStatement parseStatement();
    void parseInsert(SqlStatement& s);
    void parseUpdate(SqlStatement& s);
    void parseDelete(SqlStatement& s);
    void parseExec(SqlStatement& s);
    void parseSet(SqlStatement& s);

    std::unique_ptr<SqlSelect> parseSelect();
    /// A select inside an expression; height is that of its highest expression.
    std::unique_ptr<SqlSelect> parseSubquery(int& height);
    /// A derived table or subquery: ORDER BY only with TOP, as the server has it.
    std::unique_ptr<SqlSelect> parseNestedSelect();
    std::unique_ptr<SqlSelect> parseSelectCore();
    void parseFrom(SqlSelect& select);
    SqlTableSource parseTableSource();
    QStringList parseMultiPartName();
    QString parseAlias();
    QString parseTypeName();

    SqlExprPtr parseExpression();
    SqlExprPtr parseOr();
    SqlExprPtr parseAnd();
    SqlExprPtr parseNot();
    SqlExprPtr parsePredicate();
    SqlExprPtr parseAdditive();
    SqlExprPtr parseMultiplicative();
    SqlExprPtr parseUnary();
    SqlExprPtr parsePrimary();
    SqlExprPtr parseNameOrFunction();
    SqlExprPtr parseCase();
    SqlExprPtr parseCast(bool isConvert);

    const QString& m_text;
    std::vector<SqlToken> m_tokens;
    std::size_t m_pos = 0;
    int m_statementStart = 0;
    int m_nesting = 0;  ///< expressions open inside one another
    int m_deepest = 0;  ///< height of the highest expression parsed since the last subquery began
};

}  // namespace zel::server
