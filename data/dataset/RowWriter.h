#pragma once

#include "data/RowSet.h"

#include <QString>
#include <QVariant>

#include <unordered_set>
#include <vector>

namespace zel {

namespace db {
class Driver;
}

class TField;

/// Writes the rows of one dataset back to the table the result was read from: the
/// base table and key come from the result's column descriptions (or, for a table
/// dataset, its name and its identity field). Only data fields of columns of that
/// table are written: columns computed by the statement, lookup and calculated fields
/// never are, nor is the identity column.
class RowWriter {
public:
    RowWriter(const db::RowSet& rows, const std::vector<TField*>& fields, const QString& defaultTable);

    /// Empty when rows can be written; else why not.
    const QString& problem() const { return m_problem; }
    const QString& table() const { return m_table; }
    /// The field that receives the identity of an inserted row; null when none.
    TField* identityField() const { return m_identityField; }
    /// Snapshot column of the identity; -1 when none.
    int identityColumn() const { return m_identityColumn; }

    /// Updates the changed fields (new vs old, per field index) of the row with the
    /// key of snapshot row physical, provided those columns still hold their old
    /// values on the server (long texts and pictures are not compared). Nothing is
    /// sent when nothing changed. A row that another user changed or deleted
    /// meanwhile throws DataError with rowNotFoundMessage().
    void update(db::Driver& driver, int physical, const std::vector<QVariant>& values,
                const std::vector<QVariant>& oldValues) const;
    /// Inserts the assigned fields; returns the identity value (null when none).
    QVariant insert(db::Driver& driver, const std::vector<QVariant>& values,
                    const std::vector<bool>& assigned) const;
    /// Snapshot row physical was inserted through this writer: the server may have
    /// filled its columns left NULL with their defaults, so a NULL read there is
    /// not held against the row on its next update.
    void noteInserted(int physical) { m_insertedHere.insert(physical); }
    /// The insert of snapshot row physical was undone after all.
    void forgetInserted(int physical) { m_insertedHere.erase(physical); }

    /// Deletes the row with the key of snapshot row physical, provided its columns
    /// still hold the values read (long texts and pictures not compared); a row
    /// changed or deleted meanwhile throws DataError.
    void remove(db::Driver& driver, int physical) const;

    /// The text of a write that found no row.
    static QString rowNotFoundMessage();

private:
    bool writes(const TField& field) const;
    QString columnName(const TField& field) const;
    QVariant keyOf(int physical) const;
    /// Whether the server can compare the column's old value (not a long text or picture).
    bool comparable(const TField& field) const;

    const db::RowSet& m_rows;
    const std::vector<TField*>& m_fields;
    QString m_table;
    QString m_problem;
    int m_keyColumn = -1;
    TField* m_identityField = nullptr;
    int m_identityColumn = -1;
    bool m_columnsNameTables = false;
    std::unordered_set<int> m_insertedHere;
};

}  // namespace zel
