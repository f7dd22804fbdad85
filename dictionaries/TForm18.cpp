#include "dictionaries/TForm18.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DbGrid.h"
#include "ui/GroupedHeaderView.h"

namespace zel {

namespace {

// 15658717 as the window system's blue-green-red value.
const QColor kPanelColour(0xDD, 0xEE, 0xEE);

DictionaryGridLayout layoutOf(TDM_PUM& dm)
{
    DictionaryGridLayout l;
    l.objectName = "Form18";
    l.caption = QStringLiteral("Образование");
    l.sizeable = true;
    l.size = QSize(391, 632);
    l.centred = true;
    l.source = &dm.DS_Edu;
    l.columns = {titledColumn("education", QStringLiteral("Название"), 300)};
    l.buttons = ui::DbNavigator::Insert | ui::DbNavigator::Delete | ui::DbNavigator::Post;
    l.fitColumns = true;
    l.flat = true;
    l.rowHeight = 25;
    l.statusBar = true;
    l.panelColour = kPanelColour;
    return l;
}

}  // namespace

TForm18::TForm18(TDM_PUM& dm, QWidget* parent) : DictionaryGridWindow(layoutOf(dm), parent)
{
    // The one column's title: bold navy Palatino.
    ui::GroupedHeaderView* header = DBGrid1->groupedHeader();
    QFont title(QStringLiteral("Palatino Linotype"), 8, QFont::Bold);
    header->setFont(title);
    QPalette navy = header->palette();
    navy.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    header->setPalette(navy);
}

}  // namespace zel
