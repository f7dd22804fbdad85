#include "dictionaries/DictionaryGridWindow.h"

#include "dictionaries/PendingRow.h"
#include "ui/DbGrid.h"
#include "ui/GroupedHeaderView.h"
#include "ui/GuardedAction.h"
#include "ui/TextStatusBar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace zel {

ui::GridColumn titledColumn(const char* field, const QString& title, int width)
{
    ui::GridColumn column;
    column.fieldName = QString::fromLatin1(field);
    column.title = title;
    column.width = width;
    return column;
}

DictionaryGridWindow::DictionaryGridWindow(const DictionaryGridLayout& layout, QWidget* parent)
    : QDialog(parent), m_centred(layout.centred)
{
    setObjectName(QString::fromLatin1(layout.objectName));
    setWindowTitle(layout.caption);
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);
    if (layout.sizeable) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                       | Qt::WindowCloseButtonHint);
        setSizeGripEnabled(true);
        resize(layout.size);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setFixedSize(layout.size);
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    DBGrid1 = new ui::DbGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(layout.source);
    DBGrid1->setFitColumns(layout.fitColumns);
    DBGrid1->setColumns(layout.columns);
    if (layout.flat) {
        DBGrid1->setFrameShape(QFrame::NoFrame);
        DBGrid1->groupedHeader()->setMinimumHeight(2 * DBGrid1->fontMetrics().height() + 6);
    }
    if (layout.rowHeight > 0)
        DBGrid1->verticalHeader()->setDefaultSectionSize(layout.rowHeight);
    column->addWidget(DBGrid1, 1);

    DBNavigator1 = new ui::DbNavigator;
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(layout.source);
    DBNavigator1->setVisibleButtons(layout.buttons);
    if (layout.panelColour.isValid()) {
        Panel1 = new QWidget(this);
        Panel1->setObjectName(QStringLiteral("Panel1"));
        Panel1->setAutoFillBackground(true);
        QPalette panel = Panel1->palette();
        panel.setColor(QPalette::Window, layout.panelColour);
        Panel1->setPalette(panel);
        auto* row = new QHBoxLayout(Panel1);
        row->setContentsMargins(4, 4, 4, 4);
        DBNavigator1->setParent(Panel1);
        row->addWidget(DBNavigator1);
        row->addStretch(1);
        column->addWidget(Panel1);
        // The grid's fixed cells share the panel's colour.
        for (QHeaderView* header : {static_cast<QHeaderView*>(DBGrid1->groupedHeader()), DBGrid1->verticalHeader()}) {
            QPalette fixed = header->palette();
            fixed.setColor(QPalette::Button, layout.panelColour);
            fixed.setColor(QPalette::Window, layout.panelColour);
            header->setPalette(fixed);
        }
    } else {
        DBNavigator1->setParent(this);
        column->addWidget(DBNavigator1);
    }

    if (layout.statusBar) {
        StatusBar1 = new ui::TextStatusBar(this);
        StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
        column->addWidget(StatusBar1);
    }
}

void DictionaryGridWindow::done(int result)
{
    bool finished = false;
    ui::runGuarded(this, [&] { finished = finishPendingRow(*DBGrid1); });
    if (!finished)
        return;
    QDialog::done(result);
    ui::runGuarded(this, [this] { FormClose(); });
}

void DictionaryGridWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred)
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());
}

void DictionaryGridWindow::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Esc belongs to the grid's editor and never closes the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace zel
