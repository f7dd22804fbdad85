#include "CharacterShift.h"

#include "Windows1251.h"

namespace zel::shift {

QByteArray decodeBytes(const QByteArray& stored)
{
    QByteArray out = stored;
    for (char& c : out)
        c = char((static_cast<unsigned char>(c) + 1) & 0xFF);
    return out;
}

QByteArray encodeBytes(const QByteArray& plain)
{
    QByteArray out = plain;
    for (char& c : out)
        c = char((static_cast<unsigned char>(c) + 255) & 0xFF);
    return out;
}

QString decode(const QByteArray& stored)
{
    return windows1251::decodeStrict(decodeBytes(stored));
}

QString decodeText(const QString& stored)
{
    return decode(windows1251::encode(stored));
}

QByteArray encode(const QString& plain)
{
    return encodeBytes(windows1251::encode(plain));
}

QString encodeText(const QString& plain)
{
    return windows1251::decode(encode(plain));
}

}  // namespace zel::shift
