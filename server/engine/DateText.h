#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace zel::server {

/// Date texts as the server reads and stores them. Stored form: date columns
/// "YYYY-MM-DD", datetime columns "YYYY-MM-DD HH:MM:SS.SSS".
class DateText {
public:
    /// Reads a date text: ISO forms ("2020-12-25", "20201225", with or without a
    /// time) always; "25.12.2020", "25/12/20", "12-25-2020" in the order of
    /// dateFormat ("dmy", "mdy", "ymd" ...). nullopt when it is no valid date.
    static std::optional<QDateTime> parse(const QString& text, const QString& dateFormat);

    static QString storedDate(const QDateTime& value);
    static QString storedDateTime(const QDateTime& value);
    /// Reads a stored (or ISO) date-time; nullopt when malformed.
    static std::optional<QDateTime> parseStored(const char* utf8, int length);

    static bool isValidDateFormat(const QString& dateFormat);
};

}  // namespace zel::server
