#pragma once

#include "card/CardRows.h"

#include <QWidget>

class QGridLayout;
class QLabel;

namespace zel {

namespace ui {
class DbGrid;
class DbNavigator;
class GroupBox;
}  // namespace ui

/// A page of the employee card, built from rows (card/CardRows.h).
///
/// A tab declares its data controls, grids and navigators as rows and hands them
/// to the builders below; the builders create the widgets under their object
/// names, bind them, and generate from the same rows the Enter chain, the
/// connections that make Save available (saveArmed), the empty-date rule of grid
/// columns and the posting when the focus leaves a grid (gridLeft). The tab
/// keeps no data of its own: every control is bound to a dataset of the data
/// module. The window connects saveArmed and gridLeft of every tab once.
class CardTab : public QWidget {
    Q_OBJECT
public:
    /// objectName: the page's name ("TabSheet1" … "TabSheet8").
    CardTab(const QString& objectName, QWidget* parent = nullptr);

    /// The caption built for a control from its row (label panel or plain
    /// caption); nullptr for a control without one or with its caption on itself.
    static QLabel* captionOf(const QWidget* control);

    /// The selector rows the tab was built with, in their order (the change history
    /// names dictionary keys from them).
    const std::vector<card::ControlRow>& LookupRows() const { return m_lookupRows; }

signals:
    /// Something the user did on the tab counts as an edit: Save becomes available.
    void saveArmed();
    /// The focus left a grid whose row asks for posting then.
    void gridLeft();

protected:
    /// Builds the controls of rows, one line each, into the caption/control grid
    /// of container (created on first use; later calls append lines). Returns it.
    QGridLayout* addControls(QWidget* container, const std::vector<card::ControlRow>& rows);
    /// The caption/control grid of container, created empty when it has none.
    static QGridLayout* controlGrid(QWidget* container);
    /// Builds a grid from its row: columns, titles, commit rules, Save arming.
    ui::DbGrid* addGrid(const card::GridRow& row, QWidget* parent);
    /// Builds a navigator offering exactly the buttons of its row.
    ui::DbNavigator* addNavigator(const card::NavigatorRow& row, QWidget* parent);
    /// A framed group; name may be nullptr.
    static ui::GroupBox* addGroup(const QString& caption, QWidget* parent, const char* name = nullptr);

    /// The widget built under this object name; a missing one is a programming
    /// error and ends the program at once.
    template <typename Widget>
    Widget* control(const char* name) const
    {
        auto* found = findChild<Widget*>(QString::fromLatin1(name));
        if (!found)
            missingControl(name);
        return found;
    }

private:
    QWidget* createControl(const card::ControlRow& row, QWidget* parent);
    void armSave(QWidget* control, const card::ControlRow& row);
    [[noreturn]] static void missingControl(const char* name);

    std::vector<card::ControlRow> m_lookupRows;
};

}  // namespace zel
