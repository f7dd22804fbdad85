#pragma once

#include <functional>

namespace zel {

class Error;
class TDataSet;
class TField;

/// What a dataset is doing with its current row.
enum TDataSetState {
    dsInactive,  ///< closed, no rows
    dsBrowse,    ///< open, no pending change
    dsEdit,      ///< the current row is being changed
    dsInsert,    ///< a new row is being built
};

/// Where a field's value comes from.
enum TFieldKind {
    fkData,        ///< a column of the result
    fkCalculated,  ///< produced by the dataset's OnCalcFields handler, never stored
    fkLookup,      ///< the text of a dictionary row found by a key of this row, never stored
};

/// The answer of an OnPostError / OnEditError handler.
enum TDataAction {
    daFail,   ///< the error propagates with its text (the initial action)
    daAbort,  ///< the operation is abandoned silently: AbortSignal unwinds the caller
    daRetry,  ///< the write is attempted again
};

/// The field classes; each value names the TField subclass of the same name.
enum TFieldType {
    ftUnknown,
    ftAutoInc,     ///< TAutoIncField
    ftInteger,     ///< TIntegerField
    ftSmallint,    ///< TSmallintField
    ftLargeint,    ///< TLargeintField
    ftString,      ///< TStringField
    ftWideString,  ///< TWideStringField
    ftDateTime,    ///< TDateTimeField
    ftDate,        ///< TDateField
    ftBoolean,     ///< TBooleanField
    ftFloat,       ///< TFloatField
    ftBCD,         ///< TBCDField
    ftBlob,        ///< TBlobField
};

/// Handler of a dataset event (BeforePost, AfterScroll, OnCalcFields ...). An empty
/// function means "no handler". Handlers are plain values: read one out, store it,
/// put it back later.
using TDataSetNotifyEvent = std::function<void(TDataSet& dataSet)>;

/// Handler of OnPostError / OnEditError: gets the failure and may change the action
/// (initially daFail).
using TDataSetErrorEvent =
    std::function<void(TDataSet& dataSet, const Error& error, TDataAction& action)>;

/// Handler of a field's OnChange: runs after a value was written into the field.
using TFieldNotifyEvent = std::function<void(TField& field)>;

}  // namespace zel
