#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace zel::server {

/// A compiled LIKE pattern in the server's dialect: "%" any run, "_" any one
/// character, "[abc]", "[a-c]", "[^a]" classes ("[%]", "[_]", "[[]" match the
/// character itself), an optional escape character. Matching ignores letter
/// case (Latin and Cyrillic alike).
class LikePattern {
public:
    explicit LikePattern(std::string_view utf8Pattern, std::optional<char32_t> escape = {});

    bool matches(std::string_view utf8Text) const;

private:
    struct Range {
        char32_t from;
        char32_t to;
    };
    struct Token {
        enum class Kind { Literal, AnyOne, AnyRun, Class } kind;
        char32_t literal = 0;
        bool negated = false;
        int firstRange = 0;  // into m_ranges
        int rangeCount = 0;
    };

    bool matchesOne(const Token& token, char32_t c) const;

    std::vector<Token> m_tokens;
    std::vector<Range> m_ranges;
};

}  // namespace zel::server
