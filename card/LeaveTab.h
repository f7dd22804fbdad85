#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;

namespace ui {
class DbGrid;
class DbNavigator;
}  // namespace ui

/// The card's "Отпуск" tab: the employee's leave in the grid DBGridEh8 filling the
/// tab, with a navigator (insert, delete, post) below it. Every date cell erased to
/// the empty mask stores NULL; a commit of any cell but the unused paid days makes
/// Save available; the focus leaving the grid posts the card's modified sections.
class LeaveTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit LeaveTab(TDM_PUM& dm, QWidget* parent = nullptr);

    ui::DbGrid* DBGridEh8;
    ui::DbNavigator* DBNavigator3;
};

}  // namespace zel
