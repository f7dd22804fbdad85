#pragma once

#include "data/dataset/TFieldDecl.h"

namespace zel::fields {

/// Short constructors for the declaration tables of the data modules.

inline TFieldDecl autoInc(const QString& name)
{
    return {.name = name, .type = ftAutoInc, .readOnly = true};
}
inline TFieldDecl integer(const QString& name, bool readOnly = false)
{
    return {.name = name, .type = ftInteger, .readOnly = readOnly};
}
inline TFieldDecl smallint(const QString& name, bool readOnly = false)
{
    return {.name = name, .type = ftSmallint, .readOnly = readOnly};
}
/// A TStringField; size 0 is the class default of 20 characters.
inline TFieldDecl text(const QString& name, int size = 0, int displayWidth = 0)
{
    return {.name = name, .type = ftString, .size = size, .displayWidth = displayWidth};
}
/// A TWideStringField of fixed length.
inline TFieldDecl fixedWide(const QString& name, int size)
{
    return {.name = name, .type = ftWideString, .size = size, .fixedChar = true};
}
inline TFieldDecl wide(const QString& name, int size)
{
    return {.name = name, .type = ftWideString, .size = size};
}
inline TFieldDecl dateTime(const QString& name, const QString& displayFormat = QString())
{
    return {.name = name, .type = ftDateTime, .displayFormat = displayFormat};
}
inline TFieldDecl date(const QString& name)
{
    return {.name = name, .type = ftDate};
}
inline TFieldDecl boolean(const QString& name)
{
    return {.name = name, .type = ftBoolean};
}
inline TFieldDecl floating(const QString& name)
{
    return {.name = name, .type = ftFloat};
}
/// A TBCDField of that precision without fraction digits.
inline TFieldDecl bcd(const QString& name, int precision)
{
    return {.name = name, .type = ftBCD, .size = 0, .precision = precision};
}
/// A text lookup: resultField of the dictionary row whose dictionaryKey equals keyField.
inline TFieldDecl lookup(const QString& name, int size, const QString& keyField, TDataSet& dictionary,
                         const QString& dictionaryKey, const QString& resultField)
{
    return {.name = name, .type = ftString, .size = size, .kind = fkLookup, .keyFields = keyField,
            .lookupDataSet = &dictionary, .lookupKeyFields = dictionaryKey, .lookupResultField = resultField};
}
inline TFieldDecl calculated(const QString& name, int size)
{
    return {.name = name, .type = ftString, .size = size, .kind = fkCalculated};
}

}  // namespace zel::fields
