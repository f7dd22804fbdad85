// The card's "Отчёты" button: the printable card of the current employee,
// opened in the web browser from the institution's report server.
#include "card/TForm1.h"

#include "card/PersonalDataTab.h"
#include "card/ReportAddress.h"
#include "card/UrlOpener.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"

#include <QPushButton>

namespace zel {

namespace {
const QString kNoEmployee = QStringLiteral("Выберете сотрудника для просмотра отчётов.");
}  // namespace

QString TForm1::ReportSettingsStatement()
{
    return QStringLiteral("Select *  FROM [ZEL].[dbo].[VuzDefaults] Where id_vuz_defaults=22");
}

void TForm1::wireReportButton()
{
    connect(TabSheet1->Button12, &QPushButton::clicked, this, ui::guarded(this, [this] { Button12Click(); }));
}

void TForm1::Button12Click()
{
    TADOQuery& settings = m_dm.ADOQ_Temp;
    settings.Close();
    settings.SetSQL(ReportSettingsStatement());
    settings.Open();
    const QString key = CardStatements::CurrentEmployeeKey(m_dm);
    if (key.isEmpty()) {
        ui::MessageBoxes::warning(this, kNoEmployee);
        return;
    }
    // Without row 22 the address starts with the path alone.
    const QString base = settings.IsEmpty() ? QString() : settings.FieldByName(QStringLiteral("n_field"))->AsString();
    UrlOpener::current().open(ReportAddress::Url(base, UserLogin, UserPassword, key));
}

}  // namespace zel
