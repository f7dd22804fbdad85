#pragma once

#include "ui/DbNavigator.h"
#include "ui/GridColumn.h"

#include <QColor>
#include <QDialog>
#include <QSize>

#include <vector>

namespace zel {

class TDataSource;

namespace ui {
class DbGrid;
class TextStatusBar;
}  // namespace ui

/// How a single-list dictionary window looks: the frame, the grid and its
/// columns, the navigator's buttons and the optional status bar and panel.
struct DictionaryGridLayout {
    const char* objectName = "";
    QString caption;
    bool sizeable = false;      ///< false: a dialog border of fixed size
    QSize size;
    bool centred = false;       ///< centred on the desktop when shown
    TDataSource* source = nullptr;
    std::vector<ui::GridColumn> columns;
    ui::DbNavigator::Buttons buttons = ui::DbNavigator::allButtons();
    bool fitColumns = false;    ///< columns stretch to the grid's width
    bool flat = false;          ///< flat grid, taller rows, titles over several lines
    int rowHeight = 0;          ///< 0 = the grid's own
    bool statusBar = false;     ///< an empty status bar at the bottom
    QColor panelColour;         ///< valid: the navigator sits on a panel of this colour,
                                ///< and the grid's fixed cells take it too
};

/// A text column of a field with its title and width.
ui::GridColumn titledColumn(const char* field, const QString& title, int width);

/// A window over one dictionary: a grid with in-place editing and a navigator.
/// It lives for one showing. Closing writes the pending row first; a row the
/// server refuses keeps the window open with the row as typed.
class DictionaryGridWindow : public QDialog {
    Q_OBJECT
public:
    ui::DbGrid* DBGrid1;
    ui::DbNavigator* DBNavigator1;
    ui::TextStatusBar* StatusBar1 = nullptr;  ///< null when the window has none
    QWidget* Panel1 = nullptr;                ///< null when the window has none

    void done(int result) override;

protected:
    explicit DictionaryGridWindow(const DictionaryGridLayout& layout, QWidget* parent);
    /// Runs once the window has closed and its pending row is written.
    virtual void FormClose() {}
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_centred;
};

}  // namespace zel
