#include "Windows1251.h"

#include "DbError.h"

#include <QHash>

namespace zel::windows1251 {

namespace {
// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0455, 0x00BD, 0x0457,
};

char16_t toUnicode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return char16_t(0x0410 + (byte - 0xC0));
    return kHigh[byte - 0x80];
}

int toByte(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= 0x0410 && ch <= 0x044F)
        return 0xC0 + (ch - 0x0410);
    static const QHash<char16_t, int> reverse = [] {
        QHash<char16_t, int> map;
        for (int i = 0; i < 64; ++i)
            if (kHigh[i] != 0xFFFD)
                map.insert(kHigh[i], 0x80 + i);
        return map;
    }();
    return reverse.value(ch, -1);
}
}  // namespace

QString decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toUnicode(static_cast<unsigned char>(bytes[i]));
    return text;
}

QString decodeStrict(const QByteArray& bytes)
{
    const QString text = decode(bytes);
    const qsizetype at = text.indexOf(QChar(0xFFFD));
    if (at >= 0)
        throw Error(QStringLiteral("Байт 0x%1 не обозначает ни одного символа в кодировке Windows-1251.")
                        .arg(QString::number(static_cast<unsigned char>(bytes[at]), 16).toUpper()));
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = toByte(text[i].unicode());
        if (b < 0)
            throw Error(QStringLiteral("Символ \"%1\" (U+%2) нельзя записать в кодировке Windows-1251.")
                            .arg(text[i])
                            .arg(text[i].unicode(), 4, 16, QLatin1Char('0')));
        bytes[i] = char(b);
    }
    return bytes;
}

bool canEncode(const QString& text)
{
    for (QChar ch : text)
        if (toByte(ch.unicode()) < 0)
            return false;
    return true;
}

}  // namespace zel::windows1251
