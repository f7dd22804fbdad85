#include "server/engine/LikePattern.h"

#include "server/engine/TextFolding.h"

namespace zel::server {

LikePattern::LikePattern(std::string_view utf8Pattern, std::optional<char32_t> escape)
{
    std::vector<char32_t> p;
    p.reserve(utf8Pattern.size());
    TextFolding::foldInto(utf8Pattern, p);
    const std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t c = p[i];
        if (escape && c == TextFolding::fold(*escape) && i + 1 < n) {
            m_tokens.push_back({Token::Kind::Literal, p[++i]});
        } else if (c == U'%') {
            if (m_tokens.empty() || m_tokens.back().kind != Token::Kind::AnyRun)
                m_tokens.push_back({Token::Kind::AnyRun});
        } else if (c == U'_') {
            m_tokens.push_back({Token::Kind::AnyOne});
        } else if (c == U'[') {
            // The class ends at the first ']' after its first member, so "[]]" is "]".
            std::size_t end = i + 1;
            if (end < n && p[end] == U'^')
                ++end;
            if (end < n)
                ++end;
            while (end < n && p[end] != U']')
                ++end;
            if (end >= n) {  // no closing bracket: a literal '['
                m_tokens.push_back({Token::Kind::Literal, c});
                continue;
            }
            Token t{Token::Kind::Class};
            std::size_t k = i + 1;
            if (p[k] == U'^' && k + 1 < end) {
                t.negated = true;
                ++k;
            }
            t.firstRange = int(m_ranges.size());
            for (; k < end; ++k) {
                if (k + 2 < end && p[k + 1] == U'-')
                    m_ranges.push_back({p[k], p[k + 2]}), k += 2;
                else
                    m_ranges.push_back({p[k], p[k]});
            }
            t.rangeCount = int(m_ranges.size()) - t.firstRange;
            m_tokens.push_back(t);
            i = end;
        } else {
            m_tokens.push_back({Token::Kind::Literal, c});
        }
    }
}

bool LikePattern::matchesOne(const Token& token, char32_t c) const
{
    switch (token.kind) {
    case Token::Kind::Literal:
        return token.literal == c;
    case Token::Kind::AnyOne:
        return true;
    case Token::Kind::Class: {
        bool in = false;
        for (int r = token.firstRange; r < token.firstRange + token.rangeCount && !in; ++r)
            in = c >= m_ranges[r].from && c <= m_ranges[r].to;
        return in != token.negated;
    }
    case Token::Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::matches(std::string_view utf8Text) const
{
    thread_local std::vector<char32_t> text;
    text.clear();
    TextFolding::foldInto(utf8Text, text);

    // Greedy match with one backtrack point: the last '%' seen.
    std::size_t t = 0, s = 0;
    std::size_t starToken = std::string_view::npos, starText = 0;
    const std::size_t tokens = m_tokens.size();
    while (s < text.size()) {
        if (t < tokens && m_tokens[t].kind == Token::Kind::AnyRun) {
            starToken = t++;
            starText = s;
        } else if (t < tokens && matchesOne(m_tokens[t], text[s])) {
            ++t;
            ++s;
        } else if (starToken != std::string_view::npos) {
            t = starToken + 1;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (t < tokens && m_tokens[t].kind == Token::Kind::AnyRun)
        ++t;
    return t == tokens;
}

}  // namespace zel::server
