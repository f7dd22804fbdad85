#include "data/DbError.h"
#include "server/engine/SqlParser.h"
#include "server/engine/SqlTokenizer.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using zel::DbError;
using zel::server::SqlParser;
using zel::server::SqlStatement;
using zel::server::SqlToken;
using zel::server::SqlTokenizer;
using Kind = SqlToken::Kind;

namespace {

std::vector<SqlToken> tokens(const char* text)
{
    return SqlTokenizer::tokenize(QString::fromUtf8(text));
}

QString syntaxError(const char* text)
{
    try {
        SqlParser(QString::fromUtf8(text)).parseBatch();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Syntax) << e.message().toStdString();
        return e.message();
    }
    ADD_FAILURE() << "no error for: " << text;
    return {};
}

}  // namespace

TEST(SqlTokenizer, StringLiteralsUndoDoubledQuotesAndKnowNationalPrefix)
{
    const auto t = tokens("select 'O''Brien', N'д''Артаньян', '', n'x'");
    ASSERT_EQ(t.size(), 9u);
    EXPECT_EQ(t[1].kind, Kind::String);
    EXPECT_EQ(t[1].text, QStringLiteral("O'Brien"));
    EXPECT_FALSE(t[1].national);
    EXPECT_EQ(t[3].text, QStringLiteral("д'Артаньян"));
    EXPECT_TRUE(t[3].national);
    EXPECT_EQ(t[5].text, QString());
    EXPECT_EQ(t[5].kind, Kind::String);
    EXPECT_TRUE(t[7].national);
    EXPECT_EQ(t[8].kind, Kind::End);
}

TEST(SqlTokenizer, BackslashBeforeLineBreakContinuesTheLiteral)
{
    const auto t = tokens("'ab\\\ncd' 'x\\y'");
    EXPECT_EQ(t[0].text, QStringLiteral("abcd"));
    EXPECT_EQ(t[1].text, QStringLiteral("x\\y"));
}

TEST(SqlTokenizer, QuotedNamesAndOperators)
{
    const auto t = tokens("[p25-2] [a]]b] \"col \"\"x\"\"\" <> <= != . * @id @@IDENTITY");
    EXPECT_EQ(t[0].kind, Kind::QuotedName);
    EXPECT_EQ(t[0].text, QStringLiteral("p25-2"));
    EXPECT_EQ(t[1].text, QStringLiteral("a]b"));
    EXPECT_EQ(t[2].text, QStringLiteral("col \"x\""));
    EXPECT_TRUE(t[3].isOperator(QLatin1String("<>")));
    EXPECT_TRUE(t[4].isOperator(QLatin1String("<=")));
    EXPECT_TRUE(t[5].isOperator(QLatin1String("!=")));
    EXPECT_EQ(t[8].kind, Kind::Variable);
    EXPECT_EQ(t[8].text, QStringLiteral("@id"));
    EXPECT_EQ(t[9].text, QStringLiteral("@@IDENTITY"));
}

TEST(SqlTokenizer, CommentsAreSkippedButNotInsideLiterals)
{
    const auto t = tokens("select -- a comment 'x\n 1 /* block /* nested */ still */ , '--not' /*x*/2");
    ASSERT_EQ(t.size(), 6u);
    EXPECT_TRUE(t[0].isWord(QLatin1String("SELECT")));
    EXPECT_EQ(t[1].text, QStringLiteral("1"));
    EXPECT_EQ(t[3].text, QStringLiteral("--not"));
    EXPECT_EQ(t[4].text, QStringLiteral("2"));
}

TEST(SqlTokenizer, NumbersAndBinaries)
{
    const auto t = tokens("12 1.5 .5 2e3 0x1F");
    EXPECT_EQ(t[0].kind, Kind::Number);
    EXPECT_EQ(t[2].text, QStringLiteral(".5"));
    EXPECT_EQ(t[3].text, QStringLiteral("2e3"));
    EXPECT_EQ(t[4].kind, Kind::Binary);
    EXPECT_EQ(t[4].text, QStringLiteral("1F"));
}

TEST(SqlTokenizer, UnclosedLiteralsAndCommentsAreServerErrors)
{
    EXPECT_THROW(tokens("select 'abc"), DbError);
    EXPECT_THROW(SqlParser(QStringLiteral("select 'abc")).parseBatch(), DbError);
    EXPECT_THROW(tokens("select [abc"), DbError);
    EXPECT_THROW(tokens("select 1 /* open"), DbError);
    try {
        tokens("select * from teacher where p26 like '%O'Brien%'");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unclosed quotation mark after the character string ''."));
    }
}

TEST(SqlParser, SplitsBatchesAtSemicolonsAndStatementStarts)
{
    const auto batch = SqlParser(QStringLiteral("SET NOCOUNT ON; select 1\nselect * from a\n\nORDER BY b\n"
                                                "INSERT INTO t(a) VALUES(1) UPDATE t SET a = 2 EXEC p 1, 'x'"))
                           .parseBatch();
    ASSERT_EQ(batch.size(), 6u);
    EXPECT_EQ(batch[0].kind, SqlStatement::Kind::SetOption);
    EXPECT_EQ(batch[1].kind, SqlStatement::Kind::Select);
    EXPECT_EQ(batch[2].text, QStringLiteral("select * from a\n\nORDER BY b"));
    EXPECT_EQ(batch[2].select->orderBy.size(), 1u);
    EXPECT_EQ(batch[3].kind, SqlStatement::Kind::Insert);
    EXPECT_EQ(batch[4].kind, SqlStatement::Kind::Update);
    EXPECT_EQ(batch[5].kind, SqlStatement::Kind::Exec);
    EXPECT_EQ(batch[5].arguments.size(), 2u);
}

TEST(SqlParser, ExecArgumentsPositionalAndNamed)
{
    const auto batch = SqlParser(QStringLiteral("EXEC [DeleteTeacher] @id_teacher=5, @zel_user = 'u', @ip = 'pc\\10.0.0.1'"))
                           .parseBatch();
    ASSERT_EQ(batch.size(), 1u);
    EXPECT_EQ(batch[0].procedure, QStringList{QStringLiteral("DeleteTeacher")});
    ASSERT_EQ(batch[0].arguments.size(), 3u);
    EXPECT_EQ(batch[0].arguments[0].name, QStringLiteral("@id_teacher"));
    EXPECT_EQ(batch[0].arguments[2].value->text, QStringLiteral("pc\\10.0.0.1"));
}

TEST(SqlParser, SyntaxErrorsNameTheTokenAndQuoteTheStatement)
{
    const QString cut = syntaxError("Select * from");
    EXPECT_TRUE(cut.startsWith(QStringLiteral("Incorrect syntax near the keyword 'from'."))) << cut.toStdString();
    EXPECT_TRUE(cut.contains(QStringLiteral("Select * from")));
    EXPECT_EQ(syntaxError("select * from teacher where p26 = 'a' 'b'").section(u'\n', 0, 0), QStringLiteral("Incorrect syntax near ''b''."));
    EXPECT_TRUE(syntaxError("select a,, b from t").contains(QStringLiteral("near ','")));
    // A card statement whose key is missing.
    EXPECT_TRUE(syntaxError("Select * from Educ where id_teacher=").startsWith(QStringLiteral("Incorrect syntax near '='.")));
    EXPECT_TRUE(syntaxError("drop table teacher").contains(QStringLiteral("near the keyword 'drop'")));
    syntaxError("select * from teacher where id_teacher = (1");
    syntaxError("update teacher p26 = 1");
    syntaxError("select p26 || p27 from teacher");
    // An apostrophe typed into a search closes the literal early: the rest is no valid statement.
    const QString apostrophe = syntaxError("Select * from teacher where p26 LIKE '%д'Арт%' Order by t_fio");
    EXPECT_TRUE(apostrophe.startsWith(QStringLiteral("Unclosed quotation mark after the character string ' Order by t_fio'.")))
        << apostrophe.toStdString();
    EXPECT_TRUE(apostrophe.contains(QStringLiteral("Statement: Select * from teacher")));
}
