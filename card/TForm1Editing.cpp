// Loading, saving and cancelling the card; the tab-change guards and closing.
#include "card/TForm1.h"

#include "card/PersonalDataTab.h"
#include "data/dataset/TField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM_PUM.h"
#include "directory/TForm4.h"
#include "signin/ZelApplication.h"
#include "ui/DbEdit.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DialogService.h"
#include "ui/FlatButton.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"
#include "ui/PageControl.h"
#include "ui/TextStatusBar.h"

#include <QApplication>
#include <QCloseEvent>

namespace zel {

namespace {

const QString kNameMessage = QStringLiteral("Значение ФИО должны быть заполнены корректно!");
const QString kSaved = QStringLiteral("Сохранено");
const QString kMustSave = QStringLiteral("Вы должны сохранить личную информацию о студенте.");

QString applicationTitle()
{
    return ui::MessageBoxes::applicationTitle();
}

}  // namespace

QString TForm1::TabName(int index)
{
    static const char* const names[] = {"Личная карточка", "Семейное положение", "Трудовая деятельность",
                                        "Доп.сведения",    "Отпуска",            "Воинский учет"};
    if (index >= 0 && index < int(std::size(names)))
        return QString::fromUtf8(names[index]);
    return {};
}

void TForm1::LoadCard()
{
    CardStatements::LoadCard(m_dm, *this);
}

void TForm1::OpenEmptyCard()
{
    CardStatements::OpenEmptyCard(m_dm);
}

bool TForm1::Apply_Records_BtnClick()
{
    CardSaved = true;
    const QString surname = TabSheet1->DBEdit1->text();
    const QString name = TabSheet1->DBEdit2->text();
    const QString patronymic = TabSheet1->DBEdit3->text();
    if (!namesComplete()) {
        ui::MessageBoxes::plain(this, kNameMessage, applicationTitle());
        return false;
    }
    if (!m_changeHistory)
        return false;
    if (SaveSequence::PostMasterRecord(m_dm, *m_changeHistory, surname, name, patronymic)) {
        // Read-only only once posted: a refused new employee stays correctable.
        TabSheet1->setNameEditsReadOnly(true);
        ui::DialogService::current().message(this, QString(), kSaved, ui::DialogService::Icon::None,
                                             ui::DialogService::Buttons::Ok);
    }
    SaveSequence::PostSections(m_dm, *m_changeHistory);
    LoadCard();
    SetSaveEnabled(false);
    return true;
}

bool TForm1::namesComplete() const
{
    const QString surname = TabSheet1->DBEdit1->text();
    return !surname.isEmpty() && !TabSheet1->DBEdit2->text().isEmpty() && !surname.startsWith(u' ');
}

QString TForm1::UnsavedChangesQuestion(const QString& tabName)
{
    return QStringLiteral("Вы сделали изменения на вкладкe \"") + tabName
        + QStringLiteral("\",и не сохранили эти изменения.\rВы хотите сохранить эти изменения-?");
}

QString TForm1::currentTabName() const
{
    const int index = PageControl1->currentIndex();
    return TabName(index).isEmpty() ? PageControl1->tabText(index) : TabName(index);
}

bool TForm1::SettlePendingEdits()
{
    if (!SaveSequence::HasUnpostedChanges(m_dm))
        return true;
    if (SaveSequence::MasterRowPosted(m_dm)) {
        // The tab change's road; Save also posts the passport and the pension with
        // their audit rows, which PostModifiedSections leaves pending.
        PostModifiedSections();
        SaveSequence::PostModifiedPhoto(m_dm);
        // An employee stored without a name fails Save's check; the sections still
        // belong to an existing row, so what remains pending is posted all the same.
        if (!Apply_Records_BtnClick() && m_changeHistory)
            SaveSequence::PostSections(m_dm, *m_changeHistory);
        return true;
    }
    // A new employee is posted only through Save's name check.
    if (namesComplete() && m_dm.ADO_TEACHER.State() == dsInsert)
        return Apply_Records_BtnClick();
    switch (ui::MessageBoxes::askYesNoCancel(this, UnsavedChangesQuestion(currentTabName()))) {
    case ui::DialogService::Answer::Yes:
        Apply_Records_BtnClick();
        return false;
    case ui::DialogService::Answer::No:
        SaveSequence::CancelAll(m_dm);
        TabSheet1->setNameEditsReadOnly(true);
        return true;
    default:
        return false;
    }
}

void TForm1::Cancel_Records_BtnClick()
{
    TabSheet1->setNameEditsReadOnly(true);
    for (TDataSet* dataSet : SaveSequence::CancelOrder(m_dm))
        dataSet->Cancel();
}

void TForm1::SpeedButton2Click()
{
    if (!SettlePendingEdits())
        return;
    CardSaved = false;
    m_dm.ADO_TEACHER.SetSQL(QStringLiteral("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER"));
    m_dm.ADO_TEACHER.Open();
    OpenEmptyCard();
    // A new card must not show the previous employee's pension.
    CardStatements::OpenEmptyPension(m_dm);
    SetPensionerMark(false);
    TabSheet1->setNameEditsReadOnly(false);
    if (m_directory) {
        delete m_directory.data();
        SpeedButton1->setEnabled(true);
    }
    StatusBar1->setText(QString());
    PageControl1->showPage(0);
    TabSheet1->DBEdit1->setFocus(Qt::OtherFocusReason);
}

void TForm1::SpeedButton1Click()
{
    if (!m_directory)
        m_directory = new TForm4(m_dm, *this, this);
    PageControl1->showPage(0);
    m_directory->show();
    SpeedButton1->setEnabled(false);
}

void TForm1::PostModifiedSections()
{
    SaveSequence::PostModifiedSections(m_dm);
}

bool TForm1::PageControl1Changing(int leaving)
{
    if (CardSaved || m_directory)
        return true;
    const QString tab = TabName(leaving).isEmpty() ? PageControl1->tabText(leaving) : TabName(leaving);
    switch (ui::MessageBoxes::askYesNoCancel(this, UnsavedChangesQuestion(tab))) {
    case ui::DialogService::Answer::Yes:
        Apply_Records_BtnClick();
        return true;
    case ui::DialogService::Answer::No:
        Cancel_Records_BtnClick();
        return true;
    default:
        return false;
    }
}

void TForm1::PageControl1Change()
{
    PostModifiedSections();
    Apply_Records_BtnClick();
    // A new employee still being typed has no row yet.
    if (!CardSaved || !SaveSequence::MasterRowPosted(m_dm)) {
        ui::MessageBoxes::warning(this, kMustSave);
        PageControl1->showPage(0);
    }
    if (PageControl1->currentIndex() == 1) {
        TADOQuery& relatives = m_dm.ADOQ_family;
        const TField* status = relatives.Active() ? relatives.FindField(QStringLiteral("id_family_status")) : nullptr;
        SetFamilyStatusKey(status ? status->Value() : QVariant());
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A failing post, or the clerk choosing to go on, keeps the window open, so that
    // nothing typed is lost.
    bool settled = false;
    if (!ui::runGuarded(this, [&] { settled = SettlePendingEdits(); }) || !settled) {
        event->ignore();
        return;
    }
    m_changeHistory.reset();
    if (ZelApplication* app = ZelApplication::instance())
        app->Terminate();
    event->accept();
}

}  // namespace zel
