#pragma once

namespace zel::ui {
class DbGrid;
}

namespace zel {

/// Ends the grid's pending row before its window closes, so that nothing typed is
/// left behind in a dictionary nobody shows any more: an open cell editor is
/// written, a changed row is posted, an inserted row nothing was typed into is
/// dropped. Returns false when the editor's value was refused (already reported).
/// Errors of the post propagate; the row then stays pending.
bool finishPendingRow(ui::DbGrid& grid);

}  // namespace zel
