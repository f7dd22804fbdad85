#include "server/engine/DialectFunctions.h"

#include "data/SqlType.h"
#include "server/engine/DateText.h"
#include "server/engine/TextFolding.h"

#include <QDateTime>
#include <QString>

#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace zel::server {

namespace {

using db::SqlType;

QString textOf(sqlite3_value* v)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
}

std::string_view bytesOf(sqlite3_value* v)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return {t ? t : "", std::size_t(sqlite3_value_bytes(v))};
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void conversionError(sqlite3_context* ctx, const QString& value, const QString& type)
{
    const QByteArray message = QStringLiteral("Conversion failed when converting the varchar value '%1' to data type %2.")
                                   .arg(value, type)
                                   .toUtf8();
    sqlite3_result_error(ctx, message.constData(), int(message.size()));
}

bool isNumeric(int type)
{
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

// A text read as a number the way the server converts it; false when it is none.
bool textToNumber(const QString& text, sqlite3_int64& integer, double& real, bool& isInteger)
{
    const QString t = text.trimmed();
    bool ok = false;
    integer = t.toLongLong(&ok);
    if (ok) {
        isInteger = true;
        return true;
    }
    real = t.toDouble(&ok);
    isInteger = false;
    return ok;
}

void addFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int ta = sqlite3_value_type(argv[0]);
    const int tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    if ((ta == SQLITE_TEXT || ta == SQLITE_BLOB) && ta == tb) {
        std::string joined(bytesOf(argv[0]));
        joined += bytesOf(argv[1]);
        if (ta == SQLITE_TEXT)
            sqlite3_result_text(ctx, joined.data(), int(joined.size()), SQLITE_TRANSIENT);
        else
            sqlite3_result_blob(ctx, joined.data(), int(joined.size()), SQLITE_TRANSIENT);
        return;
    }
    sqlite3_int64 ia = 0, ib = 0;
    double da = 0, db = 0;
    bool inta = ta == SQLITE_INTEGER, intb = tb == SQLITE_INTEGER;
    if (ta == SQLITE_INTEGER)
        ia = sqlite3_value_int64(argv[0]);
    else if (ta == SQLITE_FLOAT)
        da = sqlite3_value_double(argv[0]);
    else if (!textToNumber(textOf(argv[0]), ia, da, inta))
        return conversionError(ctx, textOf(argv[0]), QStringLiteral("int"));
    if (tb == SQLITE_INTEGER)
        ib = sqlite3_value_int64(argv[1]);
    else if (tb == SQLITE_FLOAT)
        db = sqlite3_value_double(argv[1]);
    else if (!textToNumber(textOf(argv[1]), ib, db, intb))
        return conversionError(ctx, textOf(argv[1]), QStringLiteral("int"));
    if (inta && intb) {
        sqlite3_int64 sum = 0;
        if (__builtin_add_overflow(ia, ib, &sum))
            return sqlite3_result_error(ctx, "Arithmetic overflow error converting expression to data type bigint.", -1);
        return sqlite3_result_int64(ctx, sum);
    }
    sqlite3_result_double(ctx, (inta ? double(ia) : da) + (intb ? double(ib) : db));
}

QString dateStyleFormat(int style)
{
    switch (style) {
    case 101: return QStringLiteral("MM/dd/yyyy");
    case 103: return QStringLiteral("dd/MM/yyyy");
    case 104: return QStringLiteral("dd.MM.yyyy");
    case 105: return QStringLiteral("dd-MM-yyyy");
    case 1: return QStringLiteral("MM/dd/yy");
    case 3: return QStringLiteral("dd/MM/yy");
    case 4: return QStringLiteral("dd.MM.yy");
    case 23: return QStringLiteral("yyyy-MM-dd");
    case 108: return QStringLiteral("HH:mm:ss");
    case 112: return QStringLiteral("yyyyMMdd");
    case 120: return QStringLiteral("yyyy-MM-dd HH:mm:ss");
    case 121: return QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
    case 126: return QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");
    default: return {};
    }
}

QString dateOrderOfStyle(int style, const QString& fallback)
{
    switch (style) {
    case 1: case 101: return QStringLiteral("mdy");
    case 3: case 4: case 103: case 104: case 105: return QStringLiteral("dmy");
    default: return fallback;
    }
}

// zel_convert(type, value, style, dateformat)
void convertFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* value = argv[1];
    const int valueType = sqlite3_value_type(value);
    if (valueType == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString typeName = textOf(argv[0]);
    int size = 0, precision = 0, scale = 0;
    const SqlType type = db::parseSqlTypeName(typeName, &size, &precision, &scale);
    const bool hasStyle = sqlite3_value_type(argv[2]) != SQLITE_NULL;
    const int style = sqlite3_value_int(argv[2]);
    const QString dateFormat = textOf(argv[3]);

    if (db::isTextType(type)) {
        QString text;
        if (valueType == SQLITE_FLOAT) {
            text = QString::number(sqlite3_value_double(value), 'g', 15);
        } else {
            text = textOf(value);
            if (hasStyle && valueType == SQLITE_TEXT) {
                const QString format = dateStyleFormat(style);
                const QByteArray raw = text.toUtf8();
                if (!format.isEmpty())
                    if (const auto parsed = DateText::parseStored(raw.constData(), int(raw.size())))
                        text = parsed->toString(format);
            }
        }
        if (size > 0 && text.size() > size)
            text.truncate(size);
        return resultText(ctx, text);
    }
    if (db::isIntegerType(type) || type == SqlType::Bit) {
        sqlite3_int64 n = 0;
        if (valueType == SQLITE_INTEGER) {
            n = sqlite3_value_int64(value);
        } else if (valueType == SQLITE_FLOAT) {
            n = sqlite3_int64(std::trunc(sqlite3_value_double(value)));
        } else {
            bool ok = false;
            n = textOf(value).trimmed().toLongLong(&ok);
            if (!ok)
                return conversionError(ctx, textOf(value), db::sqlTypeName(type));
        }
        return sqlite3_result_int64(ctx, type == SqlType::Bit ? (n != 0 ? 1 : 0) : n);
    }
    if (type == SqlType::Float || type == SqlType::Real || type == SqlType::Decimal || type == SqlType::Money) {
        double d = 0;
        if (isNumeric(valueType)) {
            d = sqlite3_value_double(value);
        } else {
            bool ok = false;
            d = textOf(value).trimmed().toDouble(&ok);
            if (!ok)
                return conversionError(ctx, textOf(value), db::sqlTypeName(type));
        }
        if (type == SqlType::Decimal) {
            const double factor = std::pow(10.0, scale);
            d = std::round(d * factor) / factor;
        }
        return sqlite3_result_double(ctx, d);
    }
    if (type == SqlType::Date || type == SqlType::DateTime) {
        if (valueType != SQLITE_TEXT)
            return sqlite3_result_error(ctx, "Conversion failed when converting date and/or time from character string.", -1);
        const QString text = textOf(value);
        std::optional<QDateTime> parsed;
        const QString format = hasStyle ? dateStyleFormat(style) : QString();
        if (!format.isEmpty() && format.contains(QLatin1String("yyyy")) && !format.startsWith(u'y'))
            parsed = DateText::parse(text, dateOrderOfStyle(style, dateFormat));
        else
            parsed = DateText::parse(text, dateFormat);
        if (!parsed)
            return sqlite3_result_error(ctx, "Conversion failed when converting date and/or time from character string.", -1);
        return resultText(ctx, type == SqlType::Date ? DateText::storedDate(*parsed) : DateText::storedDateTime(*parsed));
    }
    if (db::isBinaryType(type)) {
        const std::string_view bytes = bytesOf(value);
        return sqlite3_result_blob(ctx, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    sqlite3_result_value(ctx, value);
}

void getdateFunction(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, DateText::storedDateTime(QDateTime::currentDateTime()));
}

void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    QString text = textOf(argv[0]);
    while (text.endsWith(u' '))
        text.chop(1);
    sqlite3_result_int64(ctx, text.size());
}

void charindexFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    std::vector<char32_t> needle, haystack;
    TextFolding::foldInto(bytesOf(argv[0]), needle);
    TextFolding::foldInto(bytesOf(argv[1]), haystack);
    std::size_t start = argc > 2 ? std::size_t(std::max(1, sqlite3_value_int(argv[2]))) - 1 : 0;
    if (needle.empty() || needle.size() > haystack.size())
        return sqlite3_result_int(ctx, 0);
    for (std::size_t i = start; i + needle.size() <= haystack.size(); ++i)
        if (std::equal(needle.begin(), needle.end(), haystack.begin() + std::ptrdiff_t(i)))
            return sqlite3_result_int64(ctx, sqlite3_int64(i + 1));
    sqlite3_result_int(ctx, 0);
}

template <int Part>
void datePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::string_view bytes = bytesOf(argv[0]);
    const auto parsed = DateText::parseStored(bytes.data(), int(bytes.size()));
    if (!parsed)
        return sqlite3_result_error(ctx, "Conversion failed when converting date and/or time from character string.", -1);
    const QDate d = parsed->date();
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void spaceFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int n = sqlite3_value_int(argv[0]);
    if (n < 0 || sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, QString(std::min(n, 8000), u' '));
}

void replicateFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int n = sqlite3_value_int(argv[1]);
    if (n < 0 || sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString text = textOf(argv[0]);
    resultText(ctx, text.repeated(text.isEmpty() ? 0 : std::min<qsizetype>(n, 8000 / text.size() + 1)).left(8000));
}

void reverseFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString text = textOf(argv[0]);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        out += text[i];
    resultText(ctx, out);
}

// An operand of arithmetic read the way SQLite's own operators read it.
struct Operand {
    bool null = false;
    bool whole = false;
    qint64 i = 0;
    double r = 0;
};

Operand operandOf(sqlite3_value* v)
{
    Operand o;
    const int type = sqlite3_value_numeric_type(v);
    if (type == SQLITE_NULL) {
        o.null = true;
    } else if (type == SQLITE_INTEGER) {
        o.whole = true;
        o.i = sqlite3_value_int64(v);
        o.r = double(o.i);
    } else {
        o.r = sqlite3_value_double(v);
        o.i = sqlite3_value_int64(v);
        // A text that is not a number counts by its leading digits, as in SQLite.
        o.whole = type != SQLITE_FLOAT && double(o.i) == o.r;
    }
    return o;
}

bool isZero(const Operand& o)
{
    return o.whole ? o.i == 0 : o.r == 0.0;
}

enum class Arithmetic { Divide, Modulo, Xor };

// acc = acc op b as the server computes it; the server's error text when it refuses.
const char* applyStep(Arithmetic op, Operand& acc, const Operand& b)
{
    if (acc.null || b.null) {
        acc.null = true;
        return nullptr;
    }
    if (op == Arithmetic::Xor) {
        acc.i ^= b.i;
        acc.whole = true;
        acc.r = double(acc.i);
        return nullptr;
    }
    if (isZero(b))
        return "Divide by zero error encountered.";
    if (acc.whole && b.whole) {
        if (op == Arithmetic::Divide) {
            if (acc.i == std::numeric_limits<qint64>::min() && b.i == -1)
                return "Arithmetic overflow error converting expression to data type bigint.";
            acc.i /= b.i;
        } else {
            acc.i = b.i == -1 ? 0 : acc.i % b.i;
        }
        acc.r = double(acc.i);
        return nullptr;
    }
    // A decimal remainder keeps the dividend's sign, as the server's does.
    acc.r = op == Arithmetic::Divide ? acc.r / b.r : std::fmod(acc.r, b.r);
    acc.whole = false;
    acc.null = std::isnan(acc.r);
    return nullptr;
}

// zel_divide(a, b, ...), zel_modulo(a, b, ...), zel_xor(a, b, ...): the server's
// /, % and ^ applied from left to right. NULL on either side gives NULL (NULL / 0
// too); a zero divisor is the server's error. A chain of one operator is one call,
// so its operands are written once each and SQLite's parser does not nest.
template <Arithmetic op>
void arithmeticFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    Operand acc = operandOf(argv[0]);
    for (int i = 1; i < argc; ++i) {
        if (const char* error = applyStep(op, acc, operandOf(argv[i])))
            return sqlite3_result_error(ctx, error, -1);
    }
    if (acc.null)
        return sqlite3_result_null(ctx);
    if (acc.whole)
        return sqlite3_result_int64(ctx, acc.i);
    sqlite3_result_double(ctx, acc.r);
}

// zel_right(text, count): the last count characters of text.
void rightFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const qint64 count = sqlite3_value_int64(argv[1]);
    if (count < 0)
        return sqlite3_result_error(ctx, "Invalid length parameter passed to the right function.", -1);
    const QString text = textOf(argv[0]);
    resultText(ctx, count >= text.size() ? text : text.right(qsizetype(count)));
}

// zel_fit(value, type, size): value unchanged when it fits a column of that
// type ("varchar" with size characters, "smallint", ...), else the server's error.
void fitFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* value = argv[0];
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString type = textOf(argv[1]);
    const qint64 size = sqlite3_value_int64(argv[2]);
    if (type.contains(QLatin1String("char"))) {
        QString text = textOf(value);
        while (text.endsWith(u' '))
            text.chop(1);  // trailing blanks are dropped, not refused
        if (size > 0 && text.size() > size)
            return sqlite3_result_error(ctx, "String or binary data would be truncated.", -1);
        return sqlite3_result_value(ctx, value);
    }
    qint64 low = 0;
    qint64 high = 0;
    if (type == QLatin1String("tinyint")) {
        high = 255;
    } else if (type == QLatin1String("smallint")) {
        low = -32768;
        high = 32767;
    } else if (type == QLatin1String("int")) {
        low = -2147483648LL;
        high = 2147483647LL;
    } else {
        return sqlite3_result_value(ctx, value);
    }
    const int numeric = sqlite3_value_numeric_type(value);
    double n = 0;
    if (numeric == SQLITE_INTEGER)
        n = double(sqlite3_value_int64(value));
    else if (numeric == SQLITE_FLOAT)
        n = std::trunc(sqlite3_value_double(value));
    else
        return sqlite3_result_value(ctx, value);
    if (n < double(low) || n > double(high)) {
        const QByteArray message =
            QStringLiteral("Arithmetic overflow error converting expression to data type %1.").arg(type).toUtf8();
        return sqlite3_result_error(ctx, message.constData(), int(message.size()));
    }
    sqlite3_result_value(ctx, value);
}

// zel_single(v), an aggregate: the one value of a subquery used as a value, NULL
// when it has no row, the server's error at its second row.
struct SingleValue {
    sqlite3_value* value;
    sqlite3_int64 rows;
};

void singleStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto* single = static_cast<SingleValue*>(sqlite3_aggregate_context(ctx, int(sizeof(SingleValue))));
    if (!single)
        return sqlite3_result_error_nomem(ctx);
    if (++single->rows > 1)
        return sqlite3_result_error(ctx,
                                    "Subquery returned more than 1 value. This is not permitted when the subquery "
                                    "follows =, !=, <, <= , >, >= or when the subquery is used as an expression.",
                                    -1);
    single->value = sqlite3_value_dup(argv[0]);
    if (!single->value)
        sqlite3_result_error_nomem(ctx);
}

void singleFinal(sqlite3_context* ctx)
{
    auto* single = static_cast<SingleValue*>(sqlite3_aggregate_context(ctx, 0));
    if (!single || !single->value)
        return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, single->value);
    sqlite3_value_free(single->value);
    single->value = nullptr;
}

void add(sqlite3* db, const char* name, int argc, void (*f)(sqlite3_context*, int, sqlite3_value**), bool deterministic = true)
{
    const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, argc, flags, nullptr, f, nullptr, nullptr, nullptr);
}

}  // namespace

void registerDialectFunctions(sqlite3* db)
{
    add(db, "zel_add", 2, addFunction);
    add(db, "zel_convert", 4, convertFunction);
    add(db, "zel_getdate", 0, getdateFunction, false);
    add(db, "zel_len", 1, lenFunction);
    add(db, "zel_charindex", 2, charindexFunction);
    add(db, "zel_charindex", 3, charindexFunction);
    add(db, "zel_year", 1, datePartFunction<0>);
    add(db, "zel_month", 1, datePartFunction<1>);
    add(db, "zel_day", 1, datePartFunction<2>);
    add(db, "zel_space", 1, spaceFunction);
    add(db, "zel_replicate", 2, replicateFunction);
    add(db, "zel_reverse", 1, reverseFunction);
    add(db, "zel_divide", -1, arithmeticFunction<Arithmetic::Divide>);
    add(db, "zel_modulo", -1, arithmeticFunction<Arithmetic::Modulo>);
    add(db, "zel_xor", -1, arithmeticFunction<Arithmetic::Xor>);
    add(db, "zel_right", 2, rightFunction);
    sqlite3_create_function_v2(db, "zel_single", 1, SQLITE_UTF8 | SQLITE_INNOCUOUS | SQLITE_DETERMINISTIC, nullptr,
                               nullptr, singleStep, singleFinal, nullptr);
    add(db, "zel_fit", 3, fitFunction);
}

}  // namespace zel::server
