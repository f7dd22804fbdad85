// The T-SQL scripts for SQL Server, read as batches of tokens: no SQL Server
// runs here, so their refusals and rights are checked by reading them.
#include "QtPrinters.h"
#include "server/engine/SqlTokenizer.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

using zel::server::SqlToken;
using zel::server::SqlTokenizer;

namespace {

QString script(const char* name)
{
    QFile file(qEnvironmentVariable("ZEL_SOURCE_DIR") + QStringLiteral("/sql/mssql/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// The batches of a script: the texts between lines that hold only GO.
QStringList batches(const QString& text)
{
    static const QRegularExpression go(QStringLiteral("^[ \\t]*GO[ \\t]*\\r?$"),
                                       QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& batch : text.split(go))
        if (!batch.trimmed().isEmpty())
            out << batch;
    return out;
}

// sqlcmd's $(NAME) variables read as plain words.
std::vector<SqlToken> tokens(const QString& batch)
{
    QString text = batch;
    text.replace(QRegularExpression(QStringLiteral("\\$\\((\\w+)\\)")), QStringLiteral("sqlcmd_\\1"));
    text.replace(QStringLiteral("::"), QStringLiteral(" "));  // SCHEMA::[dbo]
    return SqlTokenizer::tokenize(text);
}

struct Procedure {
    QString name;
    QSet<QString> parameters;  // lower case
    std::vector<SqlToken> body;
};

// Every CREATE [OR ALTER] PROCEDURE of a script.
std::vector<Procedure> procedures(const QString& text)
{
    std::vector<Procedure> out;
    for (const QString& batch : batches(text)) {
        const std::vector<SqlToken> t = tokens(batch);
        std::size_t i = 0;
        while (i < t.size() && !t[i].isWord(QLatin1StringView("PROCEDURE")))
            ++i;
        if (i + 1 >= t.size())
            continue;
        Procedure p;
        ++i;
        while (i < t.size() && (t[i].isName() || t[i].isOperator(QLatin1StringView("."))))
            p.name = t[i++].text;
        for (; i < t.size() && !t[i].isWord(QLatin1StringView("AS")); ++i)
            if (t[i].kind == SqlToken::Kind::Variable)
                p.parameters.insert(t[i].text.toLower());
        p.body.assign(t.begin() + qsizetype(i), t.end());
        out.push_back(std::move(p));
    }
    return out;
}

struct Condition {
    std::vector<SqlToken> tokens;
    bool throws = false;  // the statement the IF guards is THROW
    QString text() const
    {
        QStringList words;
        for (const auto& t : tokens)
            words << (t.kind == SqlToken::Kind::String ? u'\'' + t.text + u'\'' : t.text);
        return words.join(u' ');
    }
};

// The conditions of every IF in a body, in order: what lies between IF and the
// statement it guards, outside parentheses.
std::vector<Condition> conditions(const std::vector<SqlToken>& body)
{
    static const QSet<QString> statementWords = {
        QStringLiteral("THROW"), QStringLiteral("BEGIN"), QStringLiteral("SET"), QStringLiteral("SELECT"),
        QStringLiteral("RETURN"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
        QStringLiteral("EXEC"), QStringLiteral("DECLARE"), QStringLiteral("WHILE"), QStringLiteral("ROLLBACK"),
        QStringLiteral("COMMIT")};
    std::vector<Condition> out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (!body[i].isWord(QLatin1StringView("IF")))
            continue;
        Condition c;
        int depth = 0;
        std::size_t j = i + 1;
        for (; j < body.size() && body[j].kind != SqlToken::Kind::End; ++j) {
            const SqlToken& t = body[j];
            if (t.isOperator(QLatin1StringView("(")))
                ++depth;
            else if (t.isOperator(QLatin1StringView(")")))
                --depth;
            else if (depth == 0 && t.kind == SqlToken::Kind::Word && statementWords.contains(t.text.toUpper()))
                break;
            c.tokens.push_back(t);
        }
        c.throws = j < body.size() && body[j].isWord(QLatin1StringView("THROW"));
        out.push_back(std::move(c));
    }
    return out;
}

bool testsForNull(const Condition& c, const QString& variable, bool alsoNotNull)
{
    for (std::size_t k = 0; k + 2 < c.tokens.size(); ++k) {
        if (c.tokens[k].kind != SqlToken::Kind::Variable || c.tokens[k].text.toLower() != variable
            || !c.tokens[k + 1].isWord(QLatin1StringView("IS")))
            continue;
        if (c.tokens[k + 2].isWord(QLatin1StringView("NULL")))
            return true;
        if (alsoNotNull && c.tokens[k + 2].isWord(QLatin1StringView("NOT")))
            return true;
    }
    return false;
}

bool wrappedInIsNull(const Condition& c, const QString& variable)
{
    for (std::size_t k = 0; k + 2 < c.tokens.size(); ++k)
        if (c.tokens[k].isWord(QLatin1StringView("ISNULL")) && c.tokens[k + 2].kind == SqlToken::Kind::Variable
            && c.tokens[k + 2].text.toLower() == variable)
            return true;
    return false;
}

// (grant or deny, permission, object, role), lower case; object "schema::dbo" for the schema.
using Permission = std::tuple<QString, QString, QString, QString>;

std::set<Permission> permissions(const QString& text)
{
    std::set<Permission> out;
    for (const QString& batch : batches(text)) {
        const std::vector<SqlToken> t = tokens(batch);
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (!t[i].isWord(QLatin1StringView("GRANT")) && !t[i].isWord(QLatin1StringView("DENY")))
                continue;
            const QString kind = t[i].text.toLower();
            QStringList verbs;
            std::size_t j = i + 1;
            for (; j < t.size() && !t[j].isWord(QLatin1StringView("ON")); ++j)
                if (t[j].kind == SqlToken::Kind::Word)
                    verbs << t[j].text.toLower();
            QString object;
            for (++j; j < t.size() && !t[j].isWord(QLatin1StringView("TO")); ++j)
                if (t[j].isName())
                    object = t[j].isWord(QLatin1StringView("SCHEMA")) ? QStringLiteral("schema::") : object + t[j].text.toLower();
            // "dbo.X" and "X" name the same object.
            if (object.startsWith(QLatin1StringView("dbo")))
                object = object.mid(3);
            for (++j; j < t.size() && t[j].isName(); ++j) {
                for (const QString& verb : verbs)
                    out.insert({kind, verb, object, t[j].text.toLower()});
                if (j + 1 < t.size() && t[j + 1].isOperator(QLatin1StringView(",")))
                    ++j;
                else
                    break;
            }
        }
    }
    return out;
}

// Whether role may run permission on object: a DENY on the object wins over a
// GRANT on it or on the schema.
bool allowed(const std::set<Permission>& rights, const QString& role, const QString& permission, const QString& object)
{
    const QString name = object.toLower();
    if (rights.count({QStringLiteral("deny"), permission, name, role}))
        return false;
    return rights.count({QStringLiteral("grant"), permission, name, role})
        || rights.count({QStringLiteral("grant"), permission, QStringLiteral("schema::dbo"), role});
}

}  // namespace

TEST(MssqlScripts, EveryRefusalOnAParameterFailsClosedWhenItIsNull)
{
    // With a NULL operand a comparison is UNKNOWN and IF ... THROW does not
    // throw: each parameter a refusal compares must be tested for NULL in the
    // same condition, wrapped in ISNULL, or refused as NULL by an earlier THROW.
    int checked = 0;
    for (const char* name : {"02_procedures.sql", "03_security.sql"}) {
        for (const Procedure& p : procedures(script(name))) {
            QSet<QString> refusedWhenNull;
            for (const Condition& c : conditions(p.body)) {
                if (!c.throws)
                    continue;
                ++checked;
                for (const SqlToken& t : c.tokens) {
                    const QString v = t.text.toLower();
                    if (t.kind != SqlToken::Kind::Variable || !p.parameters.contains(v))
                        continue;
                    EXPECT_TRUE(testsForNull(c, v, true) || wrappedInIsNull(c, v) || refusedWhenNull.contains(v))
                        << p.name.toStdString() << ": " << v.toStdString() << " may be NULL in IF " << c.text().toStdString();
                }
                for (const QString& parameter : p.parameters)
                    if (testsForNull(c, parameter, false))
                        refusedWhenNull.insert(parameter);
            }
        }
    }
    EXPECT_GE(checked, 10);
}

TEST(MssqlScripts, GetUserLetsInOnlyOnAPositiveMatchAndDerivesForUnknownLogins)
{
    const std::vector<Procedure> all = procedures(script("02_procedures.sql"));
    const auto getUser = std::find_if(all.begin(), all.end(), [](const Procedure& p) { return p.name == QLatin1String("GET_USER"); });
    ASSERT_NE(getUser, all.end());
    const std::vector<Condition> ifs = conditions(getUser->body);

    // The refusal of the credentials throws unless a flag that starts at 0 was
    // set by a condition that holds only when nothing in it is NULL.
    const auto refusal = std::find_if(ifs.begin(), ifs.end(), [](const Condition& c) {
        return c.throws && c.text().contains(QLatin1String("@accepted = 0"));
    });
    ASSERT_NE(refusal, ifs.end()) << "the credentials are not refused by a flag";
    QString body;
    for (const SqlToken& t : getUser->body)
        body += (t.kind == SqlToken::Kind::String ? u'\'' + t.text + u'\'' : t.text) + u' ';
    EXPECT_TRUE(body.contains(QLatin1String("DECLARE @accepted bit = 0 ;"))) << body.toStdString();
    EXPECT_EQ(body.count(QLatin1String("SET @accepted =")), 1);
    const auto acceptance = std::find_if(ifs.begin(), ifs.end(), [](const Condition& c) { return !c.throws && c.text().contains(QLatin1String("@verifier")); });
    ASSERT_NE(acceptance, ifs.end());
    for (const char* operand : {"@verifier IS NOT NULL", "@password IS NOT NULL", "LEN ( @password ) = 32"})
        EXPECT_TRUE(acceptance->text().contains(QLatin1String(operand))) << acceptance->text().toStdString();
    EXPECT_FALSE(acceptance->text().contains(QLatin1String(" OR "))) << acceptance->text().toStdString();
    EXPECT_LT(std::distance(ifs.begin(), acceptance), std::distance(ifs.begin(), refusal));

    // The verifier is derived outside any condition on the login being found,
    // with stand-ins for a missing salt and cost.
    const qsizetype derived = body.indexOf(QLatin1String("DECLARE @candidate varbinary ( 32 ) = dbo . ZEL_PasswordVerifier ( ISNULL ( @salt ,"));
    EXPECT_GE(derived, 0) << body.toStdString();
    EXPECT_LT(derived, body.indexOf(QLatin1String("IF @verifier")));
}

TEST(MssqlScripts, EditorsMayNotRewriteSettingsOrTheAuditLog)
{
    const std::set<Permission> rights = permissions(script("03_security.sql"));
    const QString editors = QStringLiteral("zel_editors");
    for (const char* verb : {"insert", "update", "delete"})
        EXPECT_FALSE(allowed(rights, editors, QLatin1String(verb), QStringLiteral("VuzDefaults"))) << verb;
    EXPECT_TRUE(allowed(rights, editors, QStringLiteral("select"), QStringLiteral("VuzDefaults")));
    EXPECT_FALSE(allowed(rights, editors, QStringLiteral("update"), QStringLiteral("ZEL_LOG")));
    EXPECT_FALSE(allowed(rights, editors, QStringLiteral("delete"), QStringLiteral("ZEL_LOG")));
    EXPECT_TRUE(allowed(rights, editors, QStringLiteral("insert"), QStringLiteral("ZEL_LOG")));
    EXPECT_TRUE(allowed(rights, editors, QStringLiteral("update"), QStringLiteral("TEACHER")));
    EXPECT_TRUE(allowed(rights, editors, QStringLiteral("execute"), QStringLiteral("Update_Family_Staus")));
    EXPECT_FALSE(allowed(rights, editors, QStringLiteral("select"), QStringLiteral("ZEL_USERS")));

    for (const char* verb : {"insert", "update", "delete"})
        EXPECT_FALSE(allowed(rights, QStringLiteral("zel_readers"), QLatin1String(verb), QStringLiteral("TEACHER"))) << verb;
    EXPECT_TRUE(allowed(rights, QStringLiteral("zel_readers"), QStringLiteral("select"), QStringLiteral("TEACHER")));
    EXPECT_TRUE(allowed(rights, QStringLiteral("zel_signin"), QStringLiteral("execute"), QStringLiteral("GET_USER")));
    EXPECT_FALSE(allowed(rights, QStringLiteral("zel_signin"), QStringLiteral("select"), QStringLiteral("TEACHER")));
    EXPECT_FALSE(allowed(rights, QStringLiteral("zel_signin"), QStringLiteral("execute"), QStringLiteral("DeleteTeacher2")));
}

TEST(MssqlScripts, EveryScriptCanRunAgainOverAnExistingDatabase)
{
    // Each object is created only when missing, or created-or-altered, so an
    // administrator re-runs the scripts after an upgrade.
    const QRegularExpression guardedCreate(QStringLiteral(
        "^\\s*(?:IF\\s+(?:OBJECT_ID|DATABASE_PRINCIPAL_ID|SUSER_ID)\\s*\\([^\\n]*\\)\\s+IS\\s+NULL|"
        "IF\\s+NOT\\s+EXISTS\\s*\\([^\\n]*\\))\\s*\\n\\s*CREATE\\s"),
        QRegularExpression::CaseInsensitiveOption);
    int statements = 0;
    for (const char* name : {"01_schema.sql", "02_procedures.sql", "03_security.sql", "04_dictionaries.sql"}) {
        for (const QString& batch : batches(script(name))) {
            QString code;
            for (const QString& line : batch.split(u'\n'))
                if (!line.trimmed().startsWith(QLatin1String("--")))
                    code += line + u'\n';
            static const QRegularExpression create(QStringLiteral("(^|\\n)\\s*(IF[^\\n]*\\n\\s*)?CREATE\\s+(\\w+)(\\s+ALTER\\s+\\w+)?"),
                                                  QRegularExpression::CaseInsensitiveOption);
            for (auto it = create.globalMatch(code); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                ++statements;
                if (m.captured(3).compare(QLatin1String("OR"), Qt::CaseInsensitive) == 0)
                    continue;  // CREATE OR ALTER
                EXPECT_TRUE(guardedCreate.match(m.captured(0)).hasMatch())
                    << name << ": unguarded " << m.captured(0).trimmed().toStdString();
            }
            static const QRegularExpression alterAdd(QStringLiteral("(^|\\n)([^\\n]*)\\n\\s*ALTER\\s+TABLE[^\\n]*ADD\\s+CONSTRAINT"),
                                                     QRegularExpression::CaseInsensitiveOption);
            for (auto it = alterAdd.globalMatch(code); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                EXPECT_TRUE(m.captured(2).trimmed().startsWith(QLatin1String("IF OBJECT_ID(")))
                    << name << ": unguarded constraint after " << m.captured(2).toStdString();
            }
            // Reference rows go in only where the table is still empty.
            if (QLatin1String(name) == QLatin1String("04_dictionaries.sql") && code.contains(QLatin1String("INSERT INTO")))
                EXPECT_TRUE(code.trimmed().startsWith(QLatin1String("IF NOT EXISTS (SELECT 1 FROM")))
                    << code.left(120).toStdString();
        }
    }
    EXPECT_GE(statements, 100);

    // The security script names its database only through the sqlcmd variable.
    const QString security = script("03_security.sql");
    EXPECT_FALSE(security.contains(QLatin1String("[ZEL]")));
    EXPECT_TRUE(security.contains(QLatin1String("USE [$(DATABASE)]")));
    EXPECT_EQ(security.count(QLatin1String("DEFAULT_DATABASE = [$(DATABASE)]")), 3);
}
