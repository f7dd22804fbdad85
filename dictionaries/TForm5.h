#pragma once

#include <QDialog>

#include <vector>

class QStackedWidget;

namespace zel {

class TDM_PUM;

namespace ui {
class DbGrid;
class DbNavigator;
}  // namespace ui

/// The shared dictionary window: nine pages, each a one-column grid with a full
/// navigator over one dictionary of the data module. The user cannot switch pages;
/// the caller selects the page and sets the caption. One instance lives for the
/// whole run and every caller reuses it, so it keeps the page and caption of its
/// last use.
///
/// Closing writes the pending row of the page; a row the server refuses keeps
/// the window open with the row as typed.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm5(TDM_PUM& dm, QWidget* parent = nullptr);
    ~TForm5() override;

    static constexpr int PageCount = 9;

    /// Shows the page with this index (0 to 8); other values are ignored.
    void SetActivePage(int index);
    int ActivePage() const;

    ui::DbGrid* Grid(int page) const;
    ui::DbNavigator* Navigator(int page) const;

    QStackedWidget* PageControl1;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<ui::DbGrid*> m_grids;
    std::vector<ui::DbNavigator*> m_navigators;
};

}  // namespace zel
