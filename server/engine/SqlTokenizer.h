#pragma once

#include "server/engine/SqlToken.h"

#include <QString>

#include <vector>

namespace zel::server {

/// Splits a statement text into tokens: string literals with doubled quotes and
/// N'' prefixes, [bracketed] and "quoted" names, -- and /* */ comments (skipped),
/// numbers, @variables and operators. A literal, name or comment left open
/// throws zel::DbError (Kind::Syntax) with the server's message.
class SqlTokenizer {
public:
    /// The tokens of text, ending with one Kind::End token.
    static std::vector<SqlToken> tokenize(const QString& text);
};

}  // namespace zel::server
