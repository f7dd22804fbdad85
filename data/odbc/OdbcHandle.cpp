#include "data/odbc/OdbcHandle.h"

#include "data/odbc/OdbcDiagnostics.h"

#include <utility>

namespace zel::db {

namespace {
SQLSMALLINT parentTypeOf(SQLSMALLINT type)
{
    switch (type) {
    case SQL_HANDLE_DBC:
        return SQL_HANDLE_ENV;
    case SQL_HANDLE_STMT:
    case SQL_HANDLE_DESC:
        return SQL_HANDLE_DBC;
    default:
        return 0;
    }
}
}  // namespace

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type)
{
    const SQLRETURN rc = SQLAllocHandle(type, parent, &m_handle);
    if (!SQL_SUCCEEDED(rc)) {
        m_handle = SQL_NULL_HANDLE;
        throw odbcError(parentTypeOf(type), parent, QStringLiteral("Cannot allocate an ODBC handle."));
    }
}

OdbcHandle::~OdbcHandle()
{
    reset();
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : m_type(other.m_type), m_handle(std::exchange(other.m_handle, SQLHANDLE{}))
{
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept
{
    if (this != &other) {
        reset();
        m_type = other.m_type;
        m_handle = std::exchange(other.m_handle, SQLHANDLE{});
    }
    return *this;
}

void OdbcHandle::reset()
{
    if (m_handle != SQL_NULL_HANDLE)
        SQLFreeHandle(m_type, m_handle);
    m_handle = SQL_NULL_HANDLE;
}

}  // namespace zel::db
