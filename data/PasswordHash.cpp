#include "PasswordHash.h"

#include "Windows1251.h"

#include <QCryptographicHash>

namespace zel {

QString md5Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

QString passwordHash(const QString& password)
{
    return md5Hex(windows1251::encode(password));
}

}  // namespace zel
