#include "data/dataset/RowSorter.h"

#include "data/DbError.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"
#include "data/dataset/ValueOrder.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

namespace zel {

RowSorter::RowSorter(const QString& sort, const TDataSet& dataSet)
{
    for (const QString& part : sort.split(u',', Qt::SkipEmptyParts)) {
        QStringList words = part.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        bool descending = false;
        if (words.size() > 1) {
            const QString direction = words.takeLast();
            if (direction.compare(u"DESC", Qt::CaseInsensitive) == 0)
                descending = true;
            else if (direction.compare(u"ASC", Qt::CaseInsensitive) != 0)
                throw DataError(QStringLiteral("%1: неверный порядок сортировки \"%2\".")
                                    .arg(dataSet.Name(), sort));
        }
        QString name = words.join(u' ');
        if (name.startsWith(u'[') && name.endsWith(u']'))
            name = name.mid(1, name.size() - 2);
        m_keys.push_back({dataSet.FieldByName(name), descending});
    }
}

void RowSorter::sort(std::vector<int>& rows, const ValueOf& valueOf) const
{
    if (m_keys.empty() || rows.size() < 2)
        return;
    // every key read once per row; texts folded once
    std::vector<std::vector<QVariant>> keys(m_keys.size());
    for (std::size_t k = 0; k < m_keys.size(); ++k) {
        const TField* field = m_keys[k].field;
        const bool text = field->DataType() == ftString || field->DataType() == ftWideString;
        keys[k].reserve(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            QVariant value = valueOf(*field, rows[i], int(i));
            if (text && !value.isNull())
                value = valueorder::foldText(value.toString());
            keys[k].push_back(std::move(value));
        }
    }
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (std::size_t k = 0; k < m_keys.size(); ++k) {
            const int c = valueorder::compareValues(keys[k][std::size_t(a)], keys[k][std::size_t(b)]);
            if (c != 0)
                return m_keys[k].descending ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<int> sorted;
    sorted.reserve(rows.size());
    for (int i : order)
        sorted.push_back(rows[std::size_t(i)]);
    rows = std::move(sorted);
}

}  // namespace zel
