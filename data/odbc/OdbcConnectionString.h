#pragma once

#include "data/ConnectionParams.h"
#include "data/odbc/OdbcInstallation.h"

#include <QString>

namespace zel::db {

/// Turns the program's connection string ("User ID", "Password", "Initial
/// Catalog", "Data Source", "Use Encryption for Data", "Packet Size") into an
/// ODBC connection string. Pure: the machine's configuration comes in as an
/// OdbcInstallation.
///
/// - A Data Source that names a data source of odbc.ini gives
///   "DSN=<name>;UID=..;PWD=..;Database=..": the administrator's settings
///   apply, the credentials and database come from the program. A FreeTDS
///   data source also gets ClientCharset=UTF-8 and TextSize, which the
///   driver's UTF-8 text handling and complete images rely on.
/// - Any other Data Source is a server address for the FreeTDS driver: "host",
///   "host,port", "host\instance" (an optional "tcp:" prefix is dropped,
///   "(local)" and "." mean this machine), with TDS 7.4, UTF-8 client
///   characters, unlimited text size and the encryption the string asks for.
///
/// Values with ';', '{', '}' or edge spaces go in braces. FreeTDS 1.3 (Debian
/// 12) takes a braced value verbatim up to the first "};" and does not undouble
/// "}}", so it gets the value in braces as it is; later FreeTDS versions
/// reject such a '}' with a syntax error rather than misread it. Other drivers
/// get the standard encoding ('}' doubled). A value containing "};" cannot
/// reach FreeTDS 1.3 (nor the driver manager) intact and is refused with a
/// DbError naming the key.
class OdbcConnectionString {
public:
    /// Throws DbError (Kind::ConnectionLost) when FreeTDS is needed but not
    /// installed, DbError (Kind::Other) for an unusable value or address.
    static QString build(const ConnectionParams& params, const OdbcInstallation& installation);

    /// Whether build() hands the connection to FreeTDS (a server address, or
    /// a data source whose driver is FreeTDS).
    static bool targetsFreeTds(const ConnectionParams& params, const OdbcInstallation& installation);

    /// A server address split for FreeTDS; port 0 means the default or the instance's.
    struct ServerAddress {
        QString host;
        QString instance;
        int port = 0;
    };
    /// Throws DbError for an empty host or a port that is not 1..65535.
    static ServerAddress parseServer(const QString& dataSource);

    /// key=value; with value encoded for a standard (doubling) parser or for FreeTDS.
    static QString attribute(const QString& key, const QString& value, bool freeTds);
};

}  // namespace zel::db
