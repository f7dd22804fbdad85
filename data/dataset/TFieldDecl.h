#pragma once

#include "data/dataset/DataSetTypes.h"

#include <QString>

namespace zel {

/// One line of a dataset's persistent field declaration, written in code with
/// designated initialisers:
///
///     {.name = "p26", .type = ftString, .size = 50},
///     {.name = "family_s", .type = ftString, .size = 30, .kind = fkLookup,
///      .keyFields = "id_family_s", .lookupDataSet = &ADOQ_Family_s,
///      .lookupKeyFields = "id_family_s", .lookupResultField = "stepen"},
struct TFieldDecl {
    QString name{};
    TFieldType type = ftString;
    /// Characters of a text field; 0 = the class default (20 for TStringField and
    /// TWideStringField). Fraction digits of a TBCDField.
    int size = 0;
    TFieldKind kind = fkData;
    QString keyFields{};                  ///< fkLookup: the key field of this dataset
    TDataSet* lookupDataSet = nullptr;  ///< fkLookup: the dictionary (not owned)
    QString lookupKeyFields{};            ///< fkLookup: the key field of the dictionary
    QString lookupResultField{};          ///< fkLookup: the field whose value is shown
    QString displayFormat{};
    bool readOnly = false;
    int displayWidth = 0;
    bool fixedChar = false;
    bool required = false;
    QString displayLabel{};
    int precision = 0;  ///< TBCDField digits; 0 = 18
};

}  // namespace zel
