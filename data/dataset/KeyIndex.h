#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <unordered_map>

namespace zel {

/// Hash index from the values of one field to the first position holding each value.
/// Integers (and whole numbers of other types) and texts are kept apart; a text key
/// that spells an integer finds an integer entry and the other way round. NULL is
/// never indexed. The owner rebuilds the index when its rows change.
class KeyIndex {
public:
    void clear();
    bool isBuilt() const { return m_built; }
    void setBuilt() { m_built = true; }
    void reserve(int count);

    /// Records position for value unless the value is NULL or already present.
    void add(const QVariant& value, int position);
    void addInteger(qint64 value, int position) { m_numbers.try_emplace(value, position); }
    /// The first position of value; -1 when absent.
    int find(const QVariant& value) const;

private:
    static bool asInteger(const QVariant& value, qint64* out);

    std::unordered_map<qint64, int> m_numbers;
    QHash<QString, int> m_texts;
    bool m_built = false;
};

}  // namespace zel
