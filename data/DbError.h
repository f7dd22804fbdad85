#pragma once

#include <QString>

#include <stdexcept>

namespace zel {

/// Base of every failure the program raises: an error carrying the message text
/// that the default error display shows.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

/// A refusal or failure reported by a database server or its driver.
class DbError : public Error {
public:
    enum class Kind {
        Other,
        PermissionDenied,  ///< the account lacks rights for the statement
        LoginFailed,
        ConnectionLost,
        Timeout,
        Deadlock,
        Constraint,        ///< key, foreign key, check or NOT NULL violation
        InvalidObject,     ///< unknown table, column or procedure
        Syntax,
        Storage,           ///< the server cannot use its files: disk full, I/O failure, damaged file
    };

    explicit DbError(const QString& message, Kind kind = Kind::Other, QString sqlState = {},
                     int nativeCode = 0);

    Kind kind() const { return m_kind; }
    const QString& sqlState() const { return m_sqlState; }
    int nativeCode() const { return m_nativeCode; }

private:
    Kind m_kind;
    QString m_sqlState;
    int m_nativeCode;
};

/// A failure of the data-access layer itself (unknown field, wrong state, bad value).
class DataError : public Error {
public:
    using Error::Error;
};

/// An input/output failure (a file that cannot be read, a short file).
class IoError : public Error {
public:
    using Error::Error;
};

/// The silent-abort signal: unwinds the current action; nobody shows it.
class AbortSignal : public Error {
public:
    AbortSignal();
};

}  // namespace zel
