#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zel::server {

/// Case folding of single code points for the server's text comparisons.
/// Latin and Cyrillic are folded inline; other scripts go through Qt's tables.
class TextFolding {
public:
    /// Lower-case (case-folded) form of a code point.
    static char32_t fold(char32_t c);
    /// The folded form with "ё" taken as "е", the primary sort weight.
    static char32_t primary(char32_t c);

    /// Decodes one UTF-8 code point at bytes[pos] and advances pos. A malformed
    /// byte is returned as itself so that comparisons stay total.
    static char32_t decode(std::string_view bytes, std::size_t& pos);

    /// Appends the folded code points of a UTF-8 text to out.
    static void foldInto(std::string_view utf8, std::vector<char32_t>& out);

    /// Collation order: case-insensitive, "Ё" sorting as "Е"; ties between
    /// "Ё" and "Е" broken by the letter itself, so only case variants compare
    /// equal. Trailing blanks are ignored ("ab" equals "ab  ").
    static int compare(std::string_view a, std::string_view b);
};

}  // namespace zel::server
