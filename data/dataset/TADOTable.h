#pragma once

#include "data/dataset/TDataSet.h"

namespace zel {

/// A dataset over a whole table, all columns ("select * from [T]"). Posts write to
/// that table.
class TADOTable : public TDataSet {
public:
    explicit TADOTable(const QString& name = QString()) : TDataSet(name) {}

    const QString& TableName() const { return m_tableName; }
    /// Replacing the name of an open table closes it first.
    void SetTableName(const QString& tableName);

protected:
    QString commandText() const override;
    QString defaultBaseTable() const override { return m_tableName; }

private:
    QString m_tableName;
};

}  // namespace zel
