// The card's change-history item.
#include "card/TForm1.h"

#include "card/CardTab.h"
#include "data/dataset/TField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"
#include "history/ConnectionHistoryHost.h"
#include "history/EmployeeHistoryWindow.h"
#include "history/HistoryLookups.h"
#include "ui/GuardedAction.h"

#include <QAction>
#include <QMenu>

namespace zel {

QAction* TForm1::addHistoryItem(QMenu* menu)
{
    QAction* item = menu->addAction(QStringLiteral("История изменений"));
    item->setObjectName(QStringLiteral("History_M"));
    item->setEnabled(false);
    connect(menu, &QMenu::aboutToShow, item, [this, item] { item->setEnabled(EmployeeLoaded()); });
    connect(item, &QAction::triggered, this, ui::guarded(this, [this] { History_MClick(); }));
    return item;
}

bool TForm1::EmployeeLoaded() const
{
    const TADOQuery& master = m_dm.ADO_TEACHER;
    // A new employee being entered has no history yet; an employee being edited has.
    return master.Active() && !master.IsEmpty() && master.State() != dsInsert
        && !master.FieldByName(QStringLiteral("id_teacher"))->IsNull();
}

HistoryLookups TForm1::CardLookups() const
{
    std::vector<HistoryLookups::Selector> selectors;
    for (const CardTab* tab : findChildren<CardTab*>())
        for (const card::ControlRow& row : tab->LookupRows())
            selectors.push_back({row.source, QString::fromLatin1(row.field), row.list.source,
                                 QString::fromLatin1(row.list.key), QString::fromLatin1(row.list.text)});
    return HistoryLookups::FromDeclarations(m_dm, selectors);
}

void TForm1::History_MClick()
{
    if (!EmployeeLoaded())
        return;
    const qint64 employee = m_dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsLargeInt();
    // The window owns nothing of the card; its host lives exactly as long as it does.
    auto* host = new ConnectionHistoryHost(m_dm.ADO_PUM, CardLookups());
    auto* window = new EmployeeHistoryWindow(*host, employee, CardStatements::FullName(m_dm), this);
    QObject::connect(window, &QObject::destroyed, [host] { delete host; });
    window->show();
    if (!ui::runGuarded(window, [window] { window->Refresh(); }))
        window->close();
}

}  // namespace zel
