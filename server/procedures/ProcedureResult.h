#pragma once

#include "data/RowSet.h"

#include <initializer_list>

namespace zel::server {

/// Fills the rows a native procedure returns. The context's RowSet may be
/// null (the caller reads no rows); then everything is a no-op.
class ProcedureResult {
public:
    struct Column {
        const char* name;
        db::SqlType type;
        int size = 0;
    };

    ProcedureResult(db::RowSet* rows, std::initializer_list<Column> columns);

    /// Appends one row; values in column order, null QVariant for NULL.
    void addRow(std::initializer_list<QVariant> values);

private:
    db::RowSet* m_rows;
};

}  // namespace zel::server
