#include "data/dataset/ValueOrder.h"

#include <QDateTime>

namespace zel::valueorder {

namespace {

char16_t fold(char16_t c)
{
    if (c < 0x80) {
        if (c >= u'A' && c <= u'Z')
            return char16_t(c + 32);
        return c;
    }
    if (c >= 0x0410 && c <= 0x042F)  // А..Я
        c = char16_t(c + 32);
    else if (c >= 0x0400 && c <= 0x040F)  // Ѐ..Џ
        c = char16_t(c + 80);
    else
        c = QChar(c).toLower().unicode();
    if (c == 0x0451)  // ё
        return 0x0435;  // е
    return c;
}

int compareNumbers(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool isNumber(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

}  // namespace

int compareText(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = fold(a[i].unicode());
        const char16_t y = fold(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

QString foldText(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = QChar(fold(text[i].unicode()));
    return folded;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    const bool aNull = a.isNull();
    const bool bNull = b.isNull();
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const int ta = a.typeId();
    const int tb = b.typeId();
    if (isNumber(ta) && isNumber(tb)) {
        if ((ta == QMetaType::LongLong || ta == QMetaType::Int)
            && (tb == QMetaType::LongLong || tb == QMetaType::Int)) {
            const qint64 x = a.toLongLong();
            const qint64 y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        return compareNumbers(a.toDouble(), b.toDouble());
    }
    if ((ta == QMetaType::QDate || ta == QMetaType::QDateTime)
        && (tb == QMetaType::QDate || tb == QMetaType::QDateTime)) {
        const QDateTime x = ta == QMetaType::QDate ? a.toDate().startOfDay() : a.toDateTime();
        const QDateTime y = tb == QMetaType::QDate ? b.toDate().startOfDay() : b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ta == QMetaType::QByteArray && tb == QMetaType::QByteArray) {
        const int c = a.toByteArray().compare(b.toByteArray());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return compareText(a.toString(), b.toString());
}

}  // namespace zel::valueorder
