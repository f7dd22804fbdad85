#include "server/engine/TextFolding.h"

#include <QChar>

#include <algorithm>

namespace zel::server {

char32_t TextFolding::fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0x0410 && c <= 0x042F)
        return c + 32;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 80;
    if (c >= 0x0430 && c <= 0x045F)
        return c;
    return QChar::toCaseFolded(c);
}

char32_t TextFolding::primary(char32_t c)
{
    const char32_t f = fold(c);
    return f == 0x0451 ? char32_t(0x0435) : f;
}

char32_t TextFolding::decode(std::string_view bytes, std::size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(bytes[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        ++pos;
        return b0;
    }
    if (pos + extra >= bytes.size()) {  // cut short
        ++pos;
        return b0;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(bytes[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return c;
}

void TextFolding::foldInto(std::string_view utf8, std::vector<char32_t>& out)
{
    std::size_t pos = 0;
    while (pos < utf8.size())
        out.push_back(fold(decode(utf8, pos)));
}

namespace {

inline bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// decode() with the one- and two-byte forms (Latin, Cyrillic) inline: sorting calls this most.
inline char32_t next(std::string_view s, std::size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && pos + 1 < s.size() && isContinuation(s[pos + 1])) {
        const char32_t c = (char32_t(b0 & 0x1F) << 6) | (static_cast<unsigned char>(s[pos + 1]) & 0x3F);
        pos += 2;
        return c;
    }
    return TextFolding::decode(s, pos);
}

inline char32_t foldFast(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0x0410 && c <= 0x042F)
        return c + 32;
    if (c >= 0x0430 && c <= 0x045F)
        return c;
    return TextFolding::fold(c);
}

}  // namespace

int TextFolding::compare(std::string_view a, std::string_view b)
{
    // Equal bytes are equal letters: skip the common prefix, back to a letter's start.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t p = 0;
    while (p < common && a[p] == b[p])
        ++p;
    while (p > 0 && ((p < a.size() && isContinuation(a[p])) || (p < b.size() && isContinuation(b[p]))))
        --p;

    int tie = 0;
    std::size_t i = p, j = p;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = foldFast(next(a, i));
        const char32_t cb = foldFast(next(b, j));
        if (ca == cb)
            continue;
        const char32_t pa = ca == 0x0451 ? char32_t(0x0435) : ca;
        const char32_t pb = cb == 0x0451 ? char32_t(0x0435) : cb;
        if (pa != pb)
            return pa < pb ? -1 : 1;
        if (tie == 0)
            tie = ca < cb ? -1 : 1;  // "е" before "ё" at the first such place
    }
    // Trailing blanks do not count, as in the server's comparisons of padded texts.
    auto blanksOnly = [](std::string_view s, std::size_t from) {
        return s.find_first_not_of(' ', from) == std::string_view::npos;
    };
    if (i < a.size() && !blanksOnly(a, i))
        return 1;
    if (j < b.size() && !blanksOnly(b, j))
        return -1;
    return tie;
}

}  // namespace zel::server
