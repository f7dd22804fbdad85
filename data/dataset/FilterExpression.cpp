#include "data/dataset/FilterExpression.h"

#include "data/DbError.h"

namespace zel {

namespace {

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    std::vector<FilterExpression::Condition> parse()
    {
        std::vector<FilterExpression::Condition> conditions;
        skipBlanks();
        if (atEnd())
            return conditions;
        for (;;) {
            conditions.push_back(condition());
            skipBlanks();
            if (atEnd())
                break;
            if (!takeWord(u"AND"))
                fail(QStringLiteral("ожидается AND"));
        }
        return conditions;
    }

private:
    FilterExpression::Condition condition()
    {
        FilterExpression::Condition c;
        c.field = name();
        skipBlanks();
        c.op = op();
        skipBlanks();
        literal(c);
        return c;
    }

    QString name()
    {
        skipBlanks();
        if (peek() == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_pos);
            if (close < 0)
                fail(QStringLiteral("нет закрывающей скобки"));
            const QString result = m_text.mid(m_pos + 1, close - m_pos - 1);
            if (result.trimmed().isEmpty())
                fail(QStringLiteral("ожидается имя поля"));
            m_pos = close + 1;
            return result;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'_'))
            ++m_pos;
        if (m_pos == start)
            fail(QStringLiteral("ожидается имя поля"));
        return m_text.mid(start, m_pos - start);
    }

    FilterExpression::Op op()
    {
        using Op = FilterExpression::Op;
        const QChar c = peek();
        const QChar next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : QChar();
        if (c == u'=') {
            ++m_pos;
            return Op::Equal;
        }
        if (c == u'<') {
            if (next == u'>') {
                m_pos += 2;
                return Op::NotEqual;
            }
            if (next == u'=') {
                m_pos += 2;
                return Op::LessOrEqual;
            }
            ++m_pos;
            return Op::Less;
        }
        if (c == u'>') {
            if (next == u'=') {
                m_pos += 2;
                return Op::GreaterOrEqual;
            }
            ++m_pos;
            return Op::Greater;
        }
        fail(QStringLiteral("ожидается знак сравнения"));
    }

    void literal(FilterExpression::Condition& c)
    {
        if (peek() == u'\'') {
            ++m_pos;
            QString value;
            for (;;) {
                if (atEnd())
                    fail(QStringLiteral("нет закрывающей кавычки"));
                const QChar ch = m_text[m_pos++];
                if (ch == u'\'') {
                    if (peek() == u'\'') {
                        value += u'\'';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                value += ch;
            }
            c.literal = value;
            c.quoted = true;
            return;
        }
        const qsizetype start = m_pos;
        if (peek() == u'-' || peek() == u'+')
            ++m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'.' || peek() == u','))
            ++m_pos;
        if (m_pos == start)
            fail(QStringLiteral("ожидается значение"));
        c.literal = m_text.mid(start, m_pos - start);
    }

    bool takeWord(QStringView word)
    {
        if (m_text.mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype end = m_pos + word.size();
        if (end < m_text.size() && (m_text[end].isLetterOrNumber() || m_text[end] == u'_'))
            return false;
        m_pos = end;
        return true;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw DataError(QStringLiteral("Ошибка в условии фильтра \"%1\" (позиция %2): %3.")
                            .arg(m_text)
                            .arg(m_pos + 1)
                            .arg(what));
    }

    void skipBlanks()
    {
        while (!atEnd() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }

    const QString& m_text;
    qsizetype m_pos = 0;
};

}  // namespace

FilterExpression FilterExpression::parse(const QString& text)
{
    FilterExpression expression;
    expression.m_conditions = Parser(text).parse();
    return expression;
}

bool FilterExpression::holds(Op op, int comparison)
{
    switch (op) {
    case Op::Equal:
        return comparison == 0;
    case Op::NotEqual:
        return comparison != 0;
    case Op::Less:
        return comparison < 0;
    case Op::Greater:
        return comparison > 0;
    case Op::LessOrEqual:
        return comparison <= 0;
    case Op::GreaterOrEqual:
        return comparison >= 0;
    }
    return false;
}

}  // namespace zel
