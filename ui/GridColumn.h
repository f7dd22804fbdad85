#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace zel {
class TField;
}

namespace zel::ui {

/// One value about to be committed from a grid cell into its field. A commit
/// hook may replace it: set storeValue and value to store a value instead of
/// the text (a null value stores NULL), or set cancel to commit nothing.
struct CellCommit {
    TField* field = nullptr;  ///< the field written (the key field of a lookup column)
    int column = 0;           ///< the grid column
    QString text;             ///< the editor's text as typed (mask blanks included)
    QVariant value;           ///< the value to store when storeValue is set
    bool storeValue = false;
    bool cancel = false;
};

using CellCommitHook = std::function<void(CellCommit& commit)>;

/// What a grid column shows.
struct GridColumn {
    enum class Kind {
        Automatic,  ///< chosen from the field: lookup, boolean, date, else text
        Text,
        Date,       ///< input mask ##.##.####, dots part of the text
        CheckBox,   ///< ticked = True
        Lookup,     ///< the dictionary text, a drop-down of the dictionary, writes the key
    };

    QString fieldName;
    /// "|" separates header levels; empty = the field's DisplayLabel.
    QString title;
    int width = 0;  ///< pixels; 0 = from the field's DisplayWidth
    bool readOnly = false;
    Kind kind = Kind::Automatic;
    /// Date columns: "dd.MM.yyyy" shows the date alone; empty = the field's DisplayText.
    QString displayFormat;
    /// Runs before every commit of a cell of this column.
    CellCommitHook onCommit;
};

/// Ready-made commit hooks.
namespace CommitHooks {

/// The empty-date rule: a text that is exactly the empty mask "  .  .    "
/// stores NULL; any other text (a partly typed date included) is committed
/// normally and goes through the field's own date conversion.
CellCommitHook emptyDateIsNull();

}  // namespace CommitHooks

}  // namespace zel::ui
