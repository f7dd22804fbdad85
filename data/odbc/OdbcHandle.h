#pragma once

#include <sql.h>

namespace zel::db {

/// Owns one ODBC handle (environment, connection or statement) and frees it
/// on destruction. Move-only; a moved-from or default handle holds nothing.
class OdbcHandle {
public:
    OdbcHandle() = default;
    /// Allocates a handle of type under parent; throws DbError with the
    /// parent's diagnostics when the driver manager refuses.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();

    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return m_handle; }
    SQLSMALLINT type() const { return m_type; }
    explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }
    void reset();

private:
    SQLSMALLINT m_type = 0;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

}  // namespace zel::db
