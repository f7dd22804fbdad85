#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace zel {

class TDataSet;
class TField;

/// A Sort text ("name", "name DESC", "a, b DESC") bound to the fields of one
/// dataset. Sorting is stable; texts compare without regard to letter case, Ё as Е.
class RowSorter {
public:
    using ValueOf = std::function<QVariant(const TField& field, int row, int position)>;

    /// Throws DataError for an unknown field or direction.
    RowSorter(const QString& sort, const TDataSet& dataSet);

    bool isEmpty() const { return m_keys.empty(); }
    /// Re-orders rows (snapshot row numbers, position = index in rows) by the sort keys.
    void sort(std::vector<int>& rows, const ValueOf& valueOf) const;

private:
    struct Key {
        const TField* field;
        bool descending;
    };
    std::vector<Key> m_keys;
};

}  // namespace zel
