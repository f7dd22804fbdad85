#pragma once

#include <QString>

namespace zel::server {

/// One lexical token of a statement in the server's dialect.
struct SqlToken {
    enum class Kind {
        Word,              ///< name or keyword, as written
        QuotedName,        ///< [name] or "name"; text is the name without quotes
        String,            ///< '...' or N'...'; text is the value with quotes undone
        Number,            ///< 12, 1.5, 2e3; text as written
        Binary,            ///< 0x1F; text is the hexadecimal digits
        Variable,          ///< @name or @@name, text includes the at signs
        Operator,          ///< punctuation and operators: = <> <= ( ) , . ; + ...
        End,               ///< after the last token
    };

    Kind kind = Kind::End;
    QString text;
    int offset = 0;    ///< position in the statement text
    int length = 0;    ///< characters in the statement text
    bool national = false;  ///< N'...'

    /// A bare word equal to keyword without regard to case; quoted names never are.
    bool isWord(QLatin1StringView keyword) const
    {
        return kind == Kind::Word && text.compare(keyword, Qt::CaseInsensitive) == 0;
    }
    bool isOperator(QLatin1StringView op) const { return kind == Kind::Operator && text == op; }
    bool isName() const { return kind == Kind::Word || kind == Kind::QuotedName; }
};

}  // namespace zel::server
