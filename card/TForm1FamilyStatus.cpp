// The family status of the relatives tab and the re-reading of the relatives.
#include "card/TForm1.h"

#include "card/FamilyTab.h"
#include "data/dataset/TField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DbLookupComboBox.h"
#include "ui/GuardedAction.h"

#include <QPushButton>

namespace zel {

void TForm1::connectFamilyStatus()
{
    connect(DBLookupComboboxEh1, &ui::DbLookupComboBox::entered, this, [this] { DBLookupComboboxEh1Enter(); });
    connect(DBLookupComboboxEh1, &ui::DbLookupComboBox::keyValueChanged, this,
            ui::guarded(this, [this] { DBLookupComboboxEh1Change(); }));
    connect(TabSheet2->RzBitBtn4, &QPushButton::clicked, this, ui::guarded(this, [this] { RzBitBtn4Click(); }));
}

void TForm1::DBLookupComboboxEh1Enter()
{
    FamilyStatusLocked = false;
}

void TForm1::DBLookupComboboxEh1Change()
{
    // Loading shows the status without storing it again.
    if (FamilyStatusLocked)
        return;
    try {
        CardStatements::UpdateFamilyStatus(m_dm);
    } catch (...) {
        // Refused: show the status the relatives still carry, not the one the server
        // did not store (a later posted relative would take it over unasked).
        showStoredFamilyStatus();
        throw;
    }
    LoadCard();
    SetSaveEnabled(true);
}

void TForm1::showStoredFamilyStatus()
{
    TADOQuery& relatives = m_dm.ADOQ_family;
    const bool hasRow = relatives.Active() && !relatives.IsEmpty();
    const bool locked = FamilyStatusLocked;
    FamilyStatusLocked = true;
    SetFamilyStatusKey(hasRow ? relatives.FieldByName(QStringLiteral("id_family_status"))->Value() : QVariant());
    FamilyStatusLocked = locked;
}

void TForm1::RzBitBtn4Click()
{
    const QString key = CardStatements::CurrentEmployeeKey(m_dm);
    // Without an employee the statement would end at "=": there is nothing to re-read.
    if (key.isEmpty())
        return;
    TADOQuery& relatives = m_dm.ADOQ_family;
    relatives.Close();
    relatives.SetSQL(QStringLiteral("Select * FROM dbo.family_ WHERE id_teacher =") + key
                     + QStringLiteral(" ORDER BY Date_of_birth "));
    relatives.Open();
}

}  // namespace zel
