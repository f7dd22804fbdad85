#pragma once

#include <QString>

namespace zel::db {

/// Bracketed names for the statements the driver composes itself.
class SqlIdentifier {
public:
    /// "[p25-2]" for p25-2, "[a]]b]" for a]b; "dbo.TEACHER" becomes
    /// "[dbo].[TEACHER]"; a part already in brackets is kept as it is.
    static QString quote(const QString& name);
};

}  // namespace zel::db
