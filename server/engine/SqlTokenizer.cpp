#include "server/engine/SqlTokenizer.h"

#include "data/DbError.h"

namespace zel::server {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'#';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$' || c == u'@';
}

[[noreturn]] void unclosed(const QString& text, int from)
{
    throw DbError(QStringLiteral("Unclosed quotation mark after the character string '%1'.")
                      .arg(text.mid(from)),
                  DbError::Kind::Syntax);
}

class Scanner {
public:
    explicit Scanner(const QString& text) : m_text(text), m_size(int(text.size())) {}

    std::vector<SqlToken> run()
    {
        std::vector<SqlToken> tokens;
        while (skipSpaceAndComments()) {
            SqlToken t = next();
            tokens.push_back(std::move(t));
        }
        SqlToken end;
        end.offset = m_size;
        tokens.push_back(end);
        return tokens;
    }

private:
    QChar at(int i) const { return i < m_size ? m_text[i] : QChar(); }

    bool skipSpaceAndComments()
    {
        while (m_pos < m_size) {
            const QChar c = m_text[m_pos];
            if (c.isSpace()) {
                ++m_pos;
            } else if (c == u'-' && at(m_pos + 1) == u'-') {
                while (m_pos < m_size && m_text[m_pos] != u'\n')
                    ++m_pos;
            } else if (c == u'/' && at(m_pos + 1) == u'*') {
                // Block comments nest in this dialect.
                int depth = 1;
                m_pos += 2;
                while (depth > 0) {
                    if (m_pos >= m_size)
                        throw DbError(QStringLiteral("Missing end comment mark '*/'."), DbError::Kind::Syntax);
                    if (m_text[m_pos] == u'*' && at(m_pos + 1) == u'/') {
                        --depth;
                        m_pos += 2;
                    } else if (m_text[m_pos] == u'/' && at(m_pos + 1) == u'*') {
                        ++depth;
                        m_pos += 2;
                    } else {
                        ++m_pos;
                    }
                }
            } else {
                return true;
            }
        }
        return false;
    }

    SqlToken make(SqlToken::Kind kind, int start, QString text)
    {
        SqlToken t;
        t.kind = kind;
        t.offset = start;
        t.length = m_pos - start;
        t.text = std::move(text);
        return t;
    }

    // The value of a literal opened by quote at m_pos; doubled quotes stand for one,
    // a backslash before a line break continues the line.
    QString quoted(QChar quote, QChar close)
    {
        const int start = m_pos;
        ++m_pos;
        QString value;
        for (;;) {
            if (m_pos >= m_size)
                unclosed(m_text, start + 1);
            const QChar c = m_text[m_pos];
            if (c == close) {
                if (at(m_pos + 1) == close) {
                    value += close;
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return value;
            }
            if (quote == u'\'' && c == u'\\' && (at(m_pos + 1) == u'\n' || at(m_pos + 1) == u'\r')) {
                m_pos += (at(m_pos + 1) == u'\r' && at(m_pos + 2) == u'\n') ? 3 : 2;
                continue;
            }
            value += c;
            ++m_pos;
        }
    }

    SqlToken next()
    {
        const int start = m_pos;
        const QChar c = m_text[m_pos];

        if ((c == u'N' || c == u'n') && at(m_pos + 1) == u'\'') {
            ++m_pos;
            QString value = quoted(u'\'', u'\'');
            SqlToken t = make(SqlToken::Kind::String, start, std::move(value));
            t.national = true;
            return t;
        }
        if (c == u'\'')
            return make(SqlToken::Kind::String, start, quoted(u'\'', u'\''));
        if (c == u'[')
            return make(SqlToken::Kind::QuotedName, start, quoted(u'[', u']'));
        if (c == u'"')
            return make(SqlToken::Kind::QuotedName, start, quoted(u'"', u'"'));

        if (c == u'0' && (at(m_pos + 1) == u'x' || at(m_pos + 1) == u'X')) {
            m_pos += 2;
            const int digits = m_pos;
            while (m_pos < m_size && isxdigit(m_text[m_pos].toLatin1()) && m_text[m_pos].unicode() < 128)
                ++m_pos;
            return make(SqlToken::Kind::Binary, start, m_text.mid(digits, m_pos - digits));
        }
        if (c.isDigit() || (c == u'.' && at(m_pos + 1).isDigit())) {
            while (at(m_pos).isDigit())
                ++m_pos;
            if (at(m_pos) == u'.') {
                ++m_pos;
                while (at(m_pos).isDigit())
                    ++m_pos;
            }
            if ((at(m_pos) == u'e' || at(m_pos) == u'E')
                && (at(m_pos + 1).isDigit()
                    || ((at(m_pos + 1) == u'+' || at(m_pos + 1) == u'-') && at(m_pos + 2).isDigit()))) {
                m_pos += 2;
                while (at(m_pos).isDigit())
                    ++m_pos;
            }
            if (isWordStart(at(m_pos)))  // "12abc" is no number
                throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(m_text.mid(start, m_pos - start + 1)),
                              DbError::Kind::Syntax);
            return make(SqlToken::Kind::Number, start, m_text.mid(start, m_pos - start));
        }
        if (c == u'@') {
            ++m_pos;
            if (at(m_pos) == u'@')
                ++m_pos;
            while (m_pos < m_size && isWordPart(m_text[m_pos]))
                ++m_pos;
            return make(SqlToken::Kind::Variable, start, m_text.mid(start, m_pos - start));
        }
        if (isWordStart(c)) {
            while (m_pos < m_size && isWordPart(m_text[m_pos]))
                ++m_pos;
            return make(SqlToken::Kind::Word, start, m_text.mid(start, m_pos - start));
        }

        static const char* const twoChar[] = {"<>", "<=", ">=", "!=", "!<", "!>", "||"};
        for (const char* op : twoChar) {
            if (c == QLatin1Char(op[0]) && at(m_pos + 1) == QLatin1Char(op[1])) {
                m_pos += 2;
                return make(SqlToken::Kind::Operator, start, QString::fromLatin1(op));
            }
        }
        static const QString single = QStringLiteral("=<>+-*/%(),.;~&|^!");
        if (single.contains(c)) {
            ++m_pos;
            return make(SqlToken::Kind::Operator, start, QString(c));
        }
        throw DbError(QStringLiteral("Incorrect syntax near '%1'.").arg(c), DbError::Kind::Syntax);
    }

    const QString& m_text;
    const int m_size;
    int m_pos = 0;
};

}  // namespace

std::vector<SqlToken> SqlTokenizer::tokenize(const QString& text)
{
    return Scanner(text).run();
}

}  // namespace zel::server
