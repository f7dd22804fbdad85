#include "server/engine/DateText.h"

#include <QRegularExpression>

namespace zel::server {

namespace {

// "hh:mm[:ss[.fff]] [AM|PM]"; false when malformed.
bool parseTime(QString text, QTime& time)
{
    text = text.trimmed();
    if (text.isEmpty()) {
        time = QTime(0, 0);
        return true;
    }
    static const QRegularExpression re(QStringLiteral(
        R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:[.,:](\d{1,7}))?)?\s*([AaPp][Mm])?$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    int ms = 0;
    if (!m.captured(4).isEmpty())
        ms = int((m.captured(4) + QStringLiteral("000")).left(3).toInt());
    const QString ampm = m.captured(5).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12)
            return false;
        if (ampm == QLatin1String("PM") && h != 12)
            h += 12;
        if (ampm == QLatin1String("AM") && h == 12)
            h = 0;
    }
    time = QTime(h, mi, s, ms);
    return time.isValid();
}

int fullYear(const QString& y)
{
    const int v = y.toInt();
    if (y.size() > 2)
        return v;
    return v < 50 ? 2000 + v : 1900 + v;  // the server's two-digit year cutoff
}

}  // namespace

bool DateText::isValidDateFormat(const QString& dateFormat)
{
    static const QStringList formats = {QStringLiteral("dmy"), QStringLiteral("mdy"), QStringLiteral("ymd"),
                                        QStringLiteral("ydm"), QStringLiteral("myd"), QStringLiteral("dym")};
    return formats.contains(dateFormat.toLower());
}

std::optional<QDateTime> DateText::parse(const QString& input, const QString& dateFormat)
{
    const QString text = input.trimmed();
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[T ](.*))?$)"));
    static const QRegularExpression compact(QStringLiteral(R"(^(\d{4})(\d{2})(\d{2})(?:[T ](.*))?$)"));
    static const QRegularExpression separated(
        QStringLiteral(R"(^(\d{1,4})([./-])(\d{1,2})\2(\d{1,4})(?:\s+(.*))?$)"));

    int y = 0, mo = 0, d = 0;
    QString timePart;
    if (auto m = iso.match(text); m.hasMatch()) {
        y = m.captured(1).toInt();
        mo = m.captured(2).toInt();
        d = m.captured(3).toInt();
        timePart = m.captured(4);
    } else if (auto c = compact.match(text); c.hasMatch()) {
        y = c.captured(1).toInt();
        mo = c.captured(2).toInt();
        d = c.captured(3).toInt();
        timePart = c.captured(4);
    } else if (auto s = separated.match(text); s.hasMatch()) {
        const QString parts[3] = {s.captured(1), s.captured(3), s.captured(4)};
        timePart = s.captured(5);
        QString order = dateFormat.toLower();
        if (parts[0].size() == 4)
            order = QStringLiteral("ymd");
        if (!isValidDateFormat(order))
            return std::nullopt;
        for (int i = 0; i < 3; ++i) {
            const QChar role = order[i];
            if (role == u'y')
                y = fullYear(parts[i]);
            else if (role == u'm')
                mo = parts[i].toInt();
            else
                d = parts[i].toInt();
            if (role != u'y' && parts[i].size() > 2)
                return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    const QDate date(y, mo, d);
    QTime time;
    if (!date.isValid() || y < 1753 || !parseTime(timePart, time))
        return std::nullopt;
    return QDateTime(date, time);
}

QString DateText::storedDate(const QDateTime& value)
{
    return value.date().toString(QStringLiteral("yyyy-MM-dd"));
}

QString DateText::storedDateTime(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

std::optional<QDateTime> DateText::parseStored(const char* utf8, int length)
{
    // Fast path for the stored forms; anything else goes through the general reader.
    auto digits = [&](int from, int count, int& out) {
        if (from + count > length)
            return false;
        out = 0;
        for (int i = from; i < from + count; ++i) {
            if (utf8[i] < '0' || utf8[i] > '9')
                return false;
            out = out * 10 + (utf8[i] - '0');
        }
        return true;
    };
    int y, mo, d, h = 0, mi = 0, s = 0, ms = 0;
    if (length >= 10 && digits(0, 4, y) && utf8[4] == '-' && digits(5, 2, mo) && utf8[7] == '-' && digits(8, 2, d)) {
        bool ok = true;
        if (length > 10) {
            ok = (utf8[10] == ' ' || utf8[10] == 'T') && digits(11, 2, h) && length >= 16 && utf8[13] == ':'
                && digits(14, 2, mi);
            if (ok && length > 16)
                ok = utf8[16] == ':' && digits(17, 2, s);
            if (ok && length > 19)
                ok = utf8[19] == '.' && digits(20, std::min(3, length - 20), ms) && length <= 23;
            if (ok && length - 20 == 1)
                ms *= 100;
            else if (ok && length - 20 == 2)
                ms *= 10;
        }
        if (ok) {
            const QDateTime value(QDate(y, mo, d), QTime(h, mi, s, ms));
            if (value.isValid())
                return value;
        }
    }
    return parse(QString::fromUtf8(utf8, length), QStringLiteral("ymd"));
}

}  // namespace zel::server
