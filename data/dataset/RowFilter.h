#pragma once

#include "data/dataset/FilterExpression.h"

#include <QVariant>

#include <functional>
#include <vector>

namespace zel {

class TDataSet;
class TField;

/// A filter expression bound to the fields of one dataset: each condition's field
/// found and its literal converted to the field's own type, once per filtering.
class RowFilter {
public:
    /// Throws DataError for an unknown field or a literal the field cannot hold.
    RowFilter(const FilterExpression& expression, const TDataSet& dataSet);

    bool isEmpty() const { return m_tests.empty(); }
    /// Whether the row whose values valueOf reads satisfies every condition.
    /// A NULL value satisfies no comparison.
    bool accepts(const std::function<QVariant(const TField& field)>& valueOf) const;

private:
    struct Test {
        const TField* field;
        FilterExpression::Op op;
        QVariant literal;
    };
    std::vector<Test> m_tests;
};

}  // namespace zel
