#include "dictionaries/TForm5.h"

#include "data/modules/TDM_PUM.h"
#include "dictionaries/PendingRow.h"
#include "dictionaries/SharedDictionaryPages.h"
#include "ui/DbGrid.h"
#include "ui/DbNavigator.h"
#include "ui/GuardedAction.h"

#include <QKeyEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zel {

namespace {

constexpr int kClientWidth = 324;
constexpr int kClientHeight = 448;
constexpr int kPlainColumnWidth = 314;

}  // namespace

TForm5::TForm5(TDM_PUM& dm, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Специальность"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);
    setFixedSize(kClientWidth, kClientHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);

    for (const SharedDictionaryPage& page : sharedDictionaryPages()) {
        const int number = page.page + 1;
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(number));
        auto* column = new QVBoxLayout(sheet);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);

        auto* grid = new ui::DbGrid(sheet);
        grid->setObjectName(QStringLiteral("DBGrid%1").arg(number));
        grid->setDataSource(&(dm.*page.dataSource));
        ui::GridColumn text;
        text.fieldName = page.Field();
        text.title = page.Title();
        // The first page's grid is a plain one; the others stretch their column.
        if (page.page == 0)
            text.width = kPlainColumnWidth;
        else
            grid->setFitColumns(true);
        grid->setColumns({text});
        column->addWidget(grid, 1);

        auto* navigator = new ui::DbNavigator(sheet);
        navigator->setObjectName(QStringLiteral("DBNavigator%1").arg(number));
        navigator->setDataSource(&(dm.*page.dataSource));
        navigator->setVisibleButtons(ui::DbNavigator::allButtons());
        column->addWidget(navigator);

        PageControl1->addWidget(sheet);
        m_grids.push_back(grid);
        m_navigators.push_back(navigator);
    }
}

TForm5::~TForm5() = default;

void TForm5::SetActivePage(int index)
{
    if (index >= 0 && index < PageControl1->count())
        PageControl1->setCurrentIndex(index);
}

int TForm5::ActivePage() const
{
    return PageControl1->currentIndex();
}

ui::DbGrid* TForm5::Grid(int page) const
{
    return page >= 0 && page < int(m_grids.size()) ? m_grids[std::size_t(page)] : nullptr;
}

ui::DbNavigator* TForm5::Navigator(int page) const
{
    return page >= 0 && page < int(m_navigators.size()) ? m_navigators[std::size_t(page)] : nullptr;
}

void TForm5::done(int result)
{
    bool finished = false;
    ui::runGuarded(this, [&] { finished = finishPendingRow(*Grid(ActivePage())); });
    if (finished)
        QDialog::done(result);
}

void TForm5::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: Esc belongs to the grid's editor, never closes it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace zel
