#pragma once

#include "data/ColumnInfo.h"
#include "data/RowSet.h"
#include "data/odbc/OdbcStatement.h"

#include <string>
#include <vector>

namespace zel::db {

/// Reads the current result set of a statement: the columns as the driver
/// describes them, then every row into a RowSet. Text arrives as UTF-8;
/// long texts and binaries are read completely in chunks, whatever their size.
class OdbcResultReader {
public:
    explicit OdbcResultReader(OdbcStatement& statement) : m_statement(statement) {}

    /// Name, type, size, nullability, base table and column, identity flag of
    /// each of the count columns. key is left false: OdbcKeyCache knows keys.
    std::vector<ColumnInfo> describeColumns(int count);

    /// Fetches every row of the current result into rows, whose columns are
    /// already set to what describeColumns() returned.
    void fetchRows(RowSet& rows);

    /// Fetches the first row's first column (the rest is discarded); a null
    /// variant when the result is empty or the value is NULL.
    QVariant fetchScalar();

private:
    QString stringAttribute(int column, SQLUSMALLINT field);
    SQLLEN numericAttribute(int column, SQLUSMALLINT field);
    /// Reads column (1-based) in chunks; false for NULL.
    bool readLong(int column, SQLSMALLINT cType, std::string& out);
    void fetchCell(RowSet& rows, int column);

    OdbcStatement& m_statement;
    std::string m_buffer;
};

}  // namespace zel::db
