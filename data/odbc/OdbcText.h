#pragma once

#include <QString>

#include <sql.h>
#include <sqlucode.h>

#include <string>

namespace zel::db {

/// How text crosses the ODBC API on one connection.
///
/// FreeTDS reads a narrow connection string as ISO-8859-1, and once a
/// connection was opened through the wide API its narrow calls stay
/// ISO-8859-1 as well; so FreeTDS is spoken to in UTF-16 throughout (names,
/// statements, diagnostics, text data). The SQLite driver has no wide entry
/// points (the driver manager would convert through the locale), so other
/// drivers get UTF-8 through the narrow API.
enum class OdbcTextMode { Narrow, Wide };

/// Conversions between QString and unixODBC's 16-bit SQLWCHAR.
class OdbcText {
public:
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's SQLWCHAR is UTF-16");

    static std::u16string toWide(const QString& text) { return text.toStdU16String(); }
    static SQLWCHAR* data(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }
    static QString fromWide(const SQLWCHAR* text, qsizetype chars)
    {
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), chars);
    }
    static QString fromNarrow(const SQLCHAR* text, qsizetype bytes)
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(text), bytes);
    }
};

}  // namespace zel::db
