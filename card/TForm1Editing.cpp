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
    return QApplication::applicationDisplayName();
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

void TForm1::Apply_Records_BtnClick()
{
    CardSaved = true;
    const QString surname = TabSheet1->DBEdit1->text();
    const QString name = TabSheet1->DBEdit2->text();
    const QString patronymic = TabSheet1->DBEdit3->text();
    if (surname.isEmpty() || name.isEmpty() || surname.startsWith(u' ')) {
        ui::MessageBoxes::plain(this, kNameMessage, applicationTitle());
        return;
    }
    if (!m_changeHistory)
        return;
    if (SaveSequence::PostMasterRecord(m_dm, *m_changeHistory, surname, name, patronymic)) {
        // Read-only only once posted: a refused new employee stays correctable.
        TabSheet1->setNameEditsReadOnly(true);
        ui::DialogService::current().message(this, QString(), kSaved, ui::DialogService::Icon::None,
                                             ui::DialogService::Buttons::Ok);
    }
    SaveSequence::PostSections(m_dm, *m_changeHistory);
    LoadCard();
    SetSaveEnabled(false);
}

void TForm1::Cancel_Records_BtnClick()
{
    TabSheet1->setNameEditsReadOnly(true);
    for (TDataSet* dataSet : std::initializer_list<TDataSet*>{
             &m_dm.ADOQ_Education, &m_dm.ADOQ_family, &m_dm.ADOQ_Experience, &m_dm.ADOQ_Kvalification,
             &m_dm.ADOQ_Work, &m_dm.ADOQ_Nagrada, &m_dm.ADOQ_Abroad, &m_dm.ADOQ_Elect_org, &m_dm.ADOQ_Partiya,
             &m_dm.ADOQ_Holiday, &m_dm.ADOQ_mil_card, &m_dm.ADOQ_Lang_options, &m_dm.ADOQ_photo,
             &m_dm.ADOQ_Teacher_2})
        dataSet->Cancel();
}

void TForm1::SpeedButton2Click()
{
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
    const QString question = QStringLiteral("Вы сделали изменения на вкладкe \"") + tab
        + QStringLiteral("\",и не сохранили эти изменения.\rВы хотите сохранить эти изменения-?");
    switch (ui::MessageBoxes::askYesNoCancel(this, question)) {
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
    if (!CardSaved || m_dm.ADO_TEACHER.IsEmpty()) {
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
    // A failing post keeps the window open, so that nothing typed is lost.
    if (!ui::runGuarded(this, [this] { PostModifiedSections(); })) {
        event->ignore();
        return;
    }
    m_changeHistory.reset();
    if (ZelApplication* app = ZelApplication::instance())
        app->Terminate();
    event->accept();
}

}  // namespace zel
