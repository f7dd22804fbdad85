#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace zel {

/// A parsed Filter text: comparisons of a field with a literal joined by AND, such as
/// "visible = 1" or "id_republic=5 AND visible = 1". Literals are numbers or texts in
/// single quotes (a doubled quote stands for one); field names may be bracketed.
class FilterExpression {
public:
    enum class Op { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };
    struct Condition {
        QString field;
        Op op = Op::Equal;
        QString literal;      ///< the literal's text, quotes removed
        bool quoted = false;  ///< the literal was a quoted text
    };

    /// Throws DataError naming the position of a syntax error. An empty or blank text
    /// gives an empty expression (every row matches).
    static FilterExpression parse(const QString& text);

    bool isEmpty() const { return m_conditions.empty(); }
    const std::vector<Condition>& conditions() const { return m_conditions; }

    /// Whether compareValues(fieldValue, literal) satisfies op; a NULL field value
    /// never satisfies a comparison.
    static bool holds(Op op, int comparison);

private:
    std::vector<Condition> m_conditions;
};

}  // namespace zel
