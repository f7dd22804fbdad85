#include "SqlType.h"

#include <QHash>
#include <QStringList>

namespace zel::db {

CellKind cellKindOf(SqlType type)
{
    switch (type) {
    case SqlType::Bit:
        return CellKind::Boolean;
    case SqlType::TinyInt:
    case SqlType::SmallInt:
    case SqlType::Int:
    case SqlType::BigInt:
        return CellKind::Integer;
    case SqlType::Float:
    case SqlType::Real:
    case SqlType::Decimal:
    case SqlType::Money:
        return CellKind::Real;
    case SqlType::Date:
    case SqlType::DateTime:
        return CellKind::DateTime;
    case SqlType::Binary:
    case SqlType::VarBinary:
    case SqlType::Image:
        return CellKind::Blob;
    default:
        return CellKind::Text;
    }
}

bool isTextType(SqlType type)
{
    switch (type) {
    case SqlType::Char:
    case SqlType::VarChar:
    case SqlType::Text:
    case SqlType::NChar:
    case SqlType::NVarChar:
    case SqlType::NText:
    case SqlType::UniqueIdentifier:
        return true;
    default:
        return false;
    }
}

bool isBinaryType(SqlType type)
{
    return cellKindOf(type) == CellKind::Blob;
}

bool isIntegerType(SqlType type)
{
    return cellKindOf(type) == CellKind::Integer;
}

namespace {
struct TypeName {
    const char* name;
    SqlType type;
};
constexpr TypeName kTypeNames[] = {
    {"unknown", SqlType::Unknown},     {"bit", SqlType::Bit},
    {"tinyint", SqlType::TinyInt},     {"smallint", SqlType::SmallInt},
    {"int", SqlType::Int},             {"bigint", SqlType::BigInt},
    {"float", SqlType::Float},         {"real", SqlType::Real},
    {"decimal", SqlType::Decimal},     {"money", SqlType::Money},
    {"date", SqlType::Date},           {"datetime", SqlType::DateTime},
    {"char", SqlType::Char},           {"varchar", SqlType::VarChar},
    {"text", SqlType::Text},           {"nchar", SqlType::NChar},
    {"nvarchar", SqlType::NVarChar},   {"ntext", SqlType::NText},
    {"binary", SqlType::Binary},       {"varbinary", SqlType::VarBinary},
    {"image", SqlType::Image},         {"uniqueidentifier", SqlType::UniqueIdentifier},
};
}  // namespace

QString sqlTypeName(SqlType type)
{
    for (const auto& t : kTypeNames)
        if (t.type == type)
            return QString::fromLatin1(t.name);
    return QStringLiteral("unknown");
}

SqlType parseSqlTypeName(const QString& declared, int* size, int* precision, int* scale)
{
    QString text = declared.trimmed().toLower();
    int sz = 0, prec = 0, sc = 0;
    const qsizetype open = text.indexOf(u'(');
    QString base = open < 0 ? text : text.left(open).trimmed();
    if (open >= 0) {
        const qsizetype close = text.indexOf(u')', open);
        const QString args = text.mid(open + 1, close < 0 ? -1 : close - open - 1);
        const QStringList parts = args.split(u',');
        const QString first = parts.value(0).trimmed();
        if (first == u"max")
            sz = -1;
        else
            sz = first.toInt();
        if (parts.size() > 1)
            sc = parts.value(1).trimmed().toInt();
    }
    static const QHash<QString, SqlType> aliases = {
        {QStringLiteral("integer"), SqlType::Int},
        {QStringLiteral("numeric"), SqlType::Decimal},
        {QStringLiteral("datetime2"), SqlType::DateTime},
        {QStringLiteral("smalldatetime"), SqlType::DateTime},
        {QStringLiteral("double"), SqlType::Float},
        {QStringLiteral("boolean"), SqlType::Bit},
        {QStringLiteral("blob"), SqlType::VarBinary},
        {QStringLiteral("smallmoney"), SqlType::Money},
    };
    SqlType type = SqlType::Unknown;
    for (const auto& t : kTypeNames)
        if (base == QLatin1String(t.name))
            type = t.type;
    if (type == SqlType::Unknown)
        type = aliases.value(base, SqlType::Unknown);
    if (type == SqlType::Decimal) {
        prec = sz > 0 ? sz : 18;
        sz = 0;
    }
    if (size)
        *size = sz;
    if (precision)
        *precision = prec;
    if (scale)
        *scale = sc;
    return type;
}

}  // namespace zel::db
