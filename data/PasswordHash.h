#pragma once

#include <QByteArray>
#include <QString>

namespace zel {

/// MD5 of the password's Windows-1251 bytes as 32 upper-case hex digits:
/// what the sign-in sends to GET_USER and the report address carries.
/// Throws zel::Error for a character outside Windows-1251.
QString passwordHash(const QString& password);

/// MD5 of raw bytes as 32 upper-case hex digits.
QString md5Hex(const QByteArray& bytes);

}  // namespace zel
