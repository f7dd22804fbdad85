#include "card/LeaveTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DbGrid.h"
#include "ui/DbNavigator.h"

#include <QVBoxLayout>

namespace zel {

using namespace card;

LeaveTab::LeaveTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet5"), parent)
{
    // Every column arms Save except the unused paid days; every date has the empty-date rule.
    constexpr bool arms = true;
    constexpr bool nullDate = true;
    constexpr const char* asField = nullptr;  // the field's own display text
    constexpr int date = 78;
    const GridRow leave = {
        "DBGridEh8",
        &dm.DS_Holiday,
        {
            {"Holiday_type", "Вид отпуска", ColumnKind::Lookup, arms, false, asField, 150},
            {"from_d", "За какой период|Начало", ColumnKind::Date, arms, nullDate, asField, date},
            {"to_d", "За какой период|Конец", ColumnKind::Date, arms, nullDate, asField, date},
            {"Date_begin", "Отпуск|Начало", ColumnKind::Date, arms, nullDate, asField, date},
            {"Date_End", "Отпуск|Конец", ColumnKind::Date, arms, nullDate, asField, date},
            {"N_Days", "Отпуск|Кол. дней", ColumnKind::Text, arms},
            {"N_prikaz", "Отпуск|Приказ|№", ColumnKind::Text, arms},
            {"Date_Prikaz", "Отпуск|Приказ|Дата", ColumnKind::Date, arms, nullDate, asField, date},
            {"not_used_pay_days", "Не исп. дни опл.", ColumnKind::Text},
            {"otz_from_d", "Отозвать с отпуска|С (Дата)", ColumnKind::Date, arms, nullDate, asField, date},
            {"Not_used_days", "Отозвать с отпуска|не опл дни.", ColumnKind::Text, arms},
            {"otz_prik", "Отозвать с отпуска|Приказ|№", ColumnKind::Text, arms},
            {"otz_pr_date", "Отозвать с отпуска|Приказ|Дата", ColumnKind::Date, arms, nullDate, asField, date},
        },
        /*postsOnLeave=*/true,
    };
    const NavigatorRow navigator = {
        "DBNavigator3",
        &dm.DS_Holiday,
        ui::DbNavigator::Insert | ui::DbNavigator::Delete | ui::DbNavigator::Post,
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    DBGridEh8 = addGrid(leave, this);
    layout->addWidget(DBGridEh8, 1);
    DBNavigator3 = addNavigator(navigator, this);
    layout->addWidget(DBNavigator3, 0, Qt::AlignLeft);
}

}  // namespace zel
