#pragma once

#include <QVariant>

#include <vector>

namespace zel {

/// The pending values of the one row a dataset is editing or inserting, by field
/// index: the values the row had when the edit began, the values written since, and
/// which fields were written. Inactive (row() == -1) while the dataset browses.
class RecordBuffer {
public:
    void resize(std::size_t fieldCount);
    /// Starts editing snapshot row `row` whose current values are `values`.
    void begin(int row, std::vector<QVariant> values);
    /// Starts a new row: every value NULL.
    void beginInsert(int row);
    void clear();

    int row() const { return m_row; }
    bool isActive() const { return m_row >= 0; }
    /// Some field was written since begin().
    bool modified() const { return m_modified; }

    const QVariant& value(std::size_t field) const { return m_values[field]; }
    const QVariant& oldValue(std::size_t field) const { return m_oldValues[field]; }
    bool assigned(std::size_t field) const { return m_assigned[field]; }
    /// The value differs from the one the edit began with (NULL equals only NULL).
    bool changed(std::size_t field) const;
    /// A write by the program or the user: marks the field and the row modified.
    void write(std::size_t field, QVariant value);
    /// A value the server assigned (the identity of an inserted row).
    void receive(std::size_t field, QVariant value) { m_values[field] = std::move(value); }

    const std::vector<QVariant>& values() const { return m_values; }
    const std::vector<QVariant>& oldValues() const { return m_oldValues; }
    const std::vector<bool>& assignedFields() const { return m_assigned; }

    static bool sameValue(const QVariant& a, const QVariant& b);

private:
    int m_row = -1;
    bool m_modified = false;
    std::vector<QVariant> m_values;
    std::vector<QVariant> m_oldValues;
    std::vector<bool> m_assigned;
};

}  // namespace zel
