#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace zel {

/// The decoded bootstrap settings: the database account that may only ask the
/// server who a user is. One instance serves one sign-in attempt; the attempt
/// replaces login and password with the per-user ones before reconnecting.
struct TFirstConnectInfo {
    QString login;
    QString password;
    QString database;
    QString server;
};

/// The 84-byte bootstrap file "Data/ZEL" beside the executable: four 20-byte
/// slots of shifted Windows-1251 text, each used up to its count byte.
namespace bootstrap {

inline constexpr int kFileSize = 84;
inline constexpr int kSlotSize = 20;

/// Where an installed program keeps its bootstrap file (its own folder is read-only).
inline constexpr const char* kSystemPath = "/etc/zel4/ZEL";

/// The bootstrap file the program reads: besideExecutable when it exists,
/// otherwise systemWide when that exists, otherwise besideExecutable (so the
/// error names the usual place).
QString locate(const QString& besideExecutable, const QString& systemWide);

/// locate() for "Data/ZEL" in the executable's folder and kSystemPath.
QString defaultPath();

/// Decodes the first 84 bytes; throws zel::IoError when fewer are given.
TFirstConnectInfo decode(const QByteArray& bytes, const QString& path = {});

/// Reads and decodes the file; throws zel::IoError naming the file when it is
/// missing, unreadable or shorter than 84 bytes.
TFirstConnectInfo read(const QString& path = defaultPath());

/// The 84 bytes for the settings; throws zel::Error when a text is longer than
/// 20 Windows-1251 bytes or holds a character outside the code page.
QByteArray encode(const TFirstConnectInfo& info);

/// The permissions a bootstrap file gets unless told otherwise: 0640, readable by
/// the clerks' group of a shared installation, writable by its administrator only.
constexpr QFileDevice::Permissions kDefaultPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
    | QFileDevice::ReadGroup;

/// Parses an octal mode such as "640" or "0600" into permissions (owner, group and
/// others; the owner's flags also as the current user's). False for anything else.
bool parseMode(const QString& text, QFileDevice::Permissions* permissions);

/// Writes the file with these permissions, creating its folder.
void write(const QString& path, const TFirstConnectInfo& info,
           QFileDevice::Permissions permissions = kDefaultPermissions);

}  // namespace bootstrap
}  // namespace zel
