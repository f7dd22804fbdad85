// The card's dictionary buttons and the change of name.
#include "card/DictionaryShortcuts.h"
#include "card/TForm1.h"

#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "dictionaries/TForm9.h"
#include "ui/GuardedAction.h"
#include "ui/PageControl.h"

#include <QAction>
#include <QLineEdit>

namespace zel {

void TForm1::connectDictionaryActions()
{
    m_dictionaryShortcuts = new DictionaryShortcuts(*this, m_dm);
    m_dictionaryShortcuts->Connect();
    // A tab that builds its buttons when first shown connects them then.
    connect(PageControl1, &QTabWidget::currentChanged, m_dictionaryShortcuts,
            [this] { m_dictionaryShortcuts->Connect(); });
    connect(ChangeFIO_M, &QAction::triggered, this, ui::guarded(this, [this] { ChangeFIO_MClick(); }));
}

void TForm1::ChangeFIO_MClick()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty())
        return;
    if (master.FieldByName(QStringLiteral("id_teacher"))->AsString().isEmpty())
        return;
    const QString names[] = {QStringLiteral("p26"), QStringLiteral("p27"), QStringLiteral("p28")};

    TForm9 dialog(this);
    QLineEdit* const edits[] = {dialog.Edit1, dialog.Edit2, dialog.Edit3};
    for (int i = 0; i < 3; ++i)
        edits[i]->setText(master.FieldByName(names[i])->AsString());
    if (m_dictionaryShortcuts->RunModal(dialog) != QDialog::Accepted)
        return;
    master.Edit();
    for (int i = 0; i < 3; ++i)
        master.FieldByName(names[i])->SetAsString(edits[i]->text());
    Apply_Records_BtnClick();
}

}  // namespace zel
