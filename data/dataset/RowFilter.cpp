#include "data/dataset/RowFilter.h"

#include "data/DbError.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"
#include "data/dataset/ValueOrder.h"

namespace zel {

RowFilter::RowFilter(const FilterExpression& expression, const TDataSet& dataSet)
{
    for (const auto& condition : expression.conditions()) {
        const TField* field = dataSet.FieldByName(condition.field);
        QString error;
        QVariant literal = field->convert(condition.literal, &error);
        if (!error.isEmpty())
            throw DataError(QStringLiteral("%1: в условии фильтра %2").arg(dataSet.Name(), error));
        m_tests.push_back({field, condition.op, std::move(literal)});
    }
}

bool RowFilter::accepts(const std::function<QVariant(const TField& field)>& valueOf) const
{
    for (const Test& test : m_tests) {
        const QVariant value = valueOf(*test.field);
        if (value.isNull() || test.literal.isNull()
            || !FilterExpression::holds(test.op, valueorder::compareValues(value, test.literal)))
            return false;
    }
    return true;
}

}  // namespace zel
