#pragma once
// The rows a card tab is declared with: one row per data control, per grid column,
// per grid and per navigator. CardTab builds the widgets from them and generates
// the Enter chain, the Save-arming connections, the empty-date rule and the
// posting on leaving a grid from the same rows.

#include "ui/DbNavigator.h"

#include <utility>
#include <vector>

namespace zel {

class TDataSource;

namespace card {

/// The widget a control row becomes.
enum class ControlKind {
    Edit,      ///< ui::DbEdit
    Memo,      ///< ui::DbMemo
    Date,      ///< ui::DbDateEdit
    Lookup,    ///< ui::DbLookupComboBox (list source, key, text)
    CheckBox,  ///< ui::DbCheckBox, ticked = True
};

/// What of the user's doing on a control makes the card's Save button available.
/// Typing is covered anyway by the data module's after-edit handlers.
enum class SaveArming {
    None,
    Click,   ///< a mouse press in the control (edits, selectors)
    Change,  ///< a change made by the user (date editors, picks, memo text)
};

/// Where a control's caption goes.
enum class CaptionPlace {
    Left,       ///< a raised label panel left of the control, on the same line
    Above,      ///< a plain caption on its own line above the control
    OnControl,  ///< the check box's own text
    Inline,     ///< continues the previous line: plain caption, then the control
};

/// The dictionary a selector lists: its data source, key field and text field.
struct ListRow {
    TDataSource* source = nullptr;
    const char* key = nullptr;
    const char* text = nullptr;
};

/// One data control of a tab.
struct ControlRow {
    const char* name;  ///< object name; other code and the Enter chain find it by it
    ControlKind kind;
    TDataSource* source;  ///< not owned
    const char* field;
    const char* caption = nullptr;  ///< quoted with its blanks; nullptr = no caption
    ListRow list = {};              ///< selectors only
    SaveArming arms = SaveArming::None;
    /// Object name Enter moves the focus to; "" reacts to Enter and goes nowhere;
    /// nullptr leaves Enter alone. A name no control has, or a control on another
    /// tab, makes Enter do nothing. "DBEdit22" is kept free for that purpose.
    const char* enter = nullptr;
    /// Object name of a push button right of the control (a dictionary's "+").
    const char* button = nullptr;
    const char* buttonText = "+";
    CaptionPlace place = CaptionPlace::Left;
};

/// What a grid column shows.
enum class ColumnKind {
    Text,
    Date,      ///< input mask ##.##.####
    Lookup,    ///< a lookup field: dictionary text, drop-down, writes the key
    CheckBox,  ///< boolean, ticked = True
};

/// One grid column.
struct ColumnRow {
    const char* field;
    const char* title;  ///< "|" separates header levels
    ColumnKind kind = ColumnKind::Text;
    /// A commit of a cell of this column makes Save available.
    bool armsSave = false;
    /// A committed text that is exactly the empty mask "  .  .    " stores NULL.
    bool emptyDateIsNull = false;
    /// Date columns: "dd.MM.yyyy" shows the date alone; nullptr = the field's text.
    const char* displayFormat = nullptr;
    int width = 0;  ///< pixels; 0 = from the field
};

/// One grid of a tab.
struct GridRow {
    const char* name;
    TDataSource* source;  ///< not owned
    std::vector<ColumnRow> columns;
    /// The focus leaving the grid posts the card's modified sections (CardTab::gridLeft).
    bool postsOnLeave = false;
    bool enterMovesToNextCell = false;
    bool multiSelect = false;
};

/// One navigator: the buttons it offers and the hints that differ from the default.
struct NavigatorRow {
    const char* name;
    TDataSource* source;  ///< not owned
    ui::DbNavigator::Buttons buttons;
    std::vector<std::pair<ui::DbNavigator::Button, const char*>> hints = {};
};

}  // namespace card
}  // namespace zel
