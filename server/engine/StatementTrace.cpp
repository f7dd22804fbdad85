#include "server/engine/StatementTrace.h"

#include "server/engine/DateText.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/SchemaCatalog.h"
#include "server/engine/SqlTokenizer.h"

#include <QDateTime>

#include <sqlite3.h>

namespace zel::server {

namespace {

void bindText(sqlite3_stmt* st, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

const QLatin1StringView kSignInProcedure("GET_USER");

bool isSecretValue(const SqlToken& token)
{
    return token.kind == SqlToken::Kind::String || token.kind == SqlToken::Kind::Number
        || token.kind == SqlToken::Kind::Binary;
}

// Index of the token after "EXEC[UTE] [db.][schema.]GET_USER", or 0 when at
// position i no call of it starts.
std::size_t signInArguments(const std::vector<SqlToken>& tokens, std::size_t i)
{
    if (!tokens[i].isWord(QLatin1StringView("EXEC")) && !tokens[i].isWord(QLatin1StringView("EXECUTE")))
        return 0;
    std::size_t j = i + 1;
    const SqlToken* last = nullptr;
    while (j < tokens.size() && tokens[j].isName()) {
        last = &tokens[j++];
        if (j < tokens.size() && tokens[j].isOperator(QLatin1StringView(".")))
            ++j;
        else
            break;
    }
    if (!last || last->text.compare(kSignInProcedure, Qt::CaseInsensitive) != 0)
        return 0;
    return j;
}

}  // namespace

QString StatementTrace::masked(const QString& statement)
{
    const qsizetype named = statement.indexOf(kSignInProcedure, 0, Qt::CaseInsensitive);
    if (named < 0)
        return statement;
    std::vector<SqlToken> tokens;
    try {
        tokens = SqlTokenizer::tokenize(statement);
    } catch (...) {
        return statement.left(named + kSignInProcedure.size()) + QStringLiteral(" ") + kMask;
    }
    // Spans to replace, in text order.
    std::vector<std::pair<int, int>> spans;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::size_t j = signInArguments(tokens, i);
        if (j == 0)
            continue;
        int position = 0;
        while (j < tokens.size() && tokens[j].kind != SqlToken::Kind::End && !tokens[j].isOperator(QLatin1StringView(";"))) {
            QString parameter;
            if (tokens[j].kind == SqlToken::Kind::Variable && j + 1 < tokens.size()
                && tokens[j + 1].isOperator(QLatin1StringView("="))) {
                parameter = tokens[j].text;
                j += 2;
            }
            const bool secret = parameter.isEmpty()
                ? (position == 1 || position == 2)
                : (parameter.compare(QLatin1StringView("@password"), Qt::CaseInsensitive) == 0
                   || parameter.compare(QLatin1StringView("@new_password"), Qt::CaseInsensitive) == 0);
            // A value is everything up to the next comma at this level.
            int depth = 0;
            while (j < tokens.size() && tokens[j].kind != SqlToken::Kind::End) {
                const SqlToken& t = tokens[j];
                if (depth == 0 && (t.isOperator(QLatin1StringView(",")) || t.isOperator(QLatin1StringView(";"))))
                    break;
                if (t.isOperator(QLatin1StringView("(")))
                    ++depth;
                else if (t.isOperator(QLatin1StringView(")")))
                    --depth;
                if (secret && isSecretValue(t))
                    spans.emplace_back(t.offset, t.length);
                ++j;
            }
            if (j < tokens.size() && tokens[j].isOperator(QLatin1StringView(",")))
                ++j;
            else
                break;
            ++position;
        }
        i = j;
    }
    QString out = statement;
    for (auto it = spans.rbegin(); it != spans.rend(); ++it)
        out.replace(it->first, it->second, kMask);
    return out;
}

bool StatementTrace::isOn(EmbeddedSession& session)
{
    unsigned version = 0;
    sqlite3_file_control(session.db(), "main", SQLITE_FCNTL_DATA_VERSION, &version);
    if (m_known && version == m_dataVersion)
        return m_on;
    m_known = true;
    m_dataVersion = version;
    m_on = false;
    if (!session.catalog().find(QStringLiteral("zel_settings")) || !session.catalog().find(QStringLiteral("zel_trace")))
        return false;
    EmbeddedSession::Trusted trusted(session, false);
    sqlite3_stmt* setting =
        session.statements().prepare(QStringLiteral("SELECT value FROM zel_settings WHERE name = 'trace'"));
    if (!setting)
        return false;
    StatementReset reset(setting);
    if (sqlite3_step(setting) == SQLITE_ROW) {
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(setting, 0));
        m_on = value && std::string_view(value) == "1";
    }
    return m_on;
}

void StatementTrace::record(EmbeddedSession& session, const QString& statement, qint64 receivedAtMs) noexcept
{
    try {
        if (!isOn(session))
            return;
        if (session.inClientTransaction())
            m_heldBack.push_back({statement, receivedAtMs});
    } catch (...) {
        return;
    }
    write(session, statement, receivedAtMs);
}

void StatementTrace::transactionRolledBack(EmbeddedSession& session) noexcept
{
    std::vector<Entry> entries;
    entries.swap(m_heldBack);
    for (const Entry& entry : entries)
        write(session, entry.statement, entry.receivedAtMs);
}

void StatementTrace::write(EmbeddedSession& session, const QString& statement, qint64 receivedAtMs) noexcept
{
    EmbeddedSession::Trusted trusted(session, true);
    sqlite3_stmt* insert = session.statements().prepare(
        QStringLiteral("INSERT INTO zel_trace (at, login, statement) VALUES (?1, ?2, ?3)"));
    if (!insert)
        return;
    StatementReset reset(insert);
    bindText(insert, 1, DateText::storedDateTime(QDateTime::fromMSecsSinceEpoch(receivedAtMs)));
    bindText(insert, 2, session.account().login);
    bindText(insert, 3, masked(statement));
    // The trace row must not become the connection's last inserted row: the
    // caller's identity (@@IDENTITY in the next batch) stays what it was.
    const sqlite3_int64 lastRowId = sqlite3_last_insert_rowid(session.db());
    sqlite3_step(insert);
    sqlite3_set_last_insert_rowid(session.db(), lastRowId);
}

}  // namespace zel::server
