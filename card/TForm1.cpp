#include "card/TForm1.h"

#include "card/AdditionalTab.h"
#include "card/EducationTab.h"
#include "card/FamilyTab.h"
#include "card/LeaveTab.h"
#include "card/MedicalTab.h"
#include "card/MilitaryTab.h"
#include "card/PersonalDataTab.h"
#include "card/WorkTab.h"
#include "card/ToolBarPictures.h"
#include "data/modules/AuditLog.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM_PUM.h"
#include "directory/TForm4.h"
#include "signin/BuildInfo.h"
#include "signin/SignInBackend.h"
#include "signin/WorkstationIdentity.h"
#include "ui/DatePicker.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DialogService.h"
#include "ui/FlatButton.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"
#include "ui/OuterSizeKeeper.h"
#include "ui/PageControl.h"
#include "ui/TextStatusBar.h"
#include "ui/ToolBar.h"

#include <QCheckBox>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zel {

namespace {

constexpr int kWidth = 913;
constexpr int kHeight = 718;

ui::FlatButton* toolButton(const char* name, const QIcon& picture, const QString& hint, QWidget* parent)
{
    auto* button = new ui::FlatButton(picture, hint, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(96, 24);
    return button;
}

}  // namespace

TForm1::TForm1(TDM_PUM& dm, SignInFactory createSignInWindow, QWidget* parent)
    : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(program::title());
    buildFrame();
    connectAddressActions();
    connectPhotoButtons();
    connectDictionaryActions();
    wireReportButton();
    FormCreate(createSignInWindow);
}

TForm1::~TForm1()
{
    delete m_directory.data();
}

void TForm1::buildFrame()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);
    // The size, frame included, is fixed: every resize request is refused.
    new ui::OuterSizeKeeper(this, QSize(kWidth, kHeight));

    buildToolBar();
    buildPages();

    StatusBar1 = new ui::TextStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::buildToolBar()
{
    ToolBar1 = new ui::ToolBar(35, this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    RzMenuButton3 = new QToolButton(ToolBar1);
    RzMenuButton3->setObjectName(QStringLiteral("RzMenuButton3"));
    RzMenuButton3->setText(QStringLiteral("Данные"));
    RzMenuButton3->setFixedSize(77, 24);
    RzMenuButton3->setPopupMode(QToolButton::InstantPopup);
    PopupMenu1 = new QMenu(RzMenuButton3);
    ChangeFIO_M = PopupMenu1->addAction(QStringLiteral("Изменить ФИО"));
    ChangeFIO_M->setObjectName(QStringLiteral("ChangeFIO_M"));
    RzMenuButton3->setMenu(PopupMenu1);
    ToolBar1->addWidget(RzMenuButton3);

    SpeedButton4 = toolButton("SpeedButton4", ToolBarPictures::addToDictionary(),
                              QStringLiteral("Добавить в справочник"), ToolBar1);
    Apply_Records_Btn = toolButton("Apply_Records_Btn", ToolBarPictures::save(), QStringLiteral("Сохранить запись"),
                                   ToolBar1);
    QPalette red = Apply_Records_Btn->palette();
    red.setColor(QPalette::ButtonText, Qt::red);
    Apply_Records_Btn->setPalette(red);
    Apply_Records_Btn->setEnabled(false);
    SpeedButton1 = toolButton("SpeedButton1", ToolBarPictures::search(), QStringLiteral("Поиск"), ToolBar1);
    SpeedButton2 = toolButton("SpeedButton2", ToolBarPictures::newRecord(), QStringLiteral("Новая запись"), ToolBar1);
    Cancel_Records_Btn = toolButton("Cancel_Records_Btn", ToolBarPictures::cancel(), QStringLiteral("Отменить запись"),
                                    ToolBar1);
    Cancel_Records_Btn->setShowHint(false);
    for (ui::FlatButton* button : {SpeedButton4, Apply_Records_Btn, SpeedButton1, SpeedButton2, Cancel_Records_Btn})
        ToolBar1->addWidget(button);

    connect(Apply_Records_Btn, &QToolButton::clicked, this, ui::guarded(this, [this] { Apply_Records_BtnClick(); }));
    connect(Cancel_Records_Btn, &QToolButton::clicked, this,
            ui::guarded(this, [this] { Cancel_Records_BtnClick(); }));
    connect(SpeedButton1, &QToolButton::clicked, this, ui::guarded(this, [this] { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, ui::guarded(this, [this] { SpeedButton2Click(); }));
}

template <typename Tab>
Tab* TForm1::addCardTab(Tab* tab, const QString& caption)
{
    PageControl1->addTab(tab, caption);
    connect(tab, &CardTab::saveArmed, this, [this] { SetSaveEnabled(true); });
    connect(tab, &CardTab::gridLeft, this, ui::guarded(this, [this] { PostModifiedSections(); }));
    return tab;
}

void TForm1::buildPages()
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    PageControl1 = new ui::PageControl(scroll);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    scroll->setWidget(PageControl1);
    setCentralWidget(scroll);

    TabSheet1 = addCardTab(new PersonalDataTab(m_dm, PageControl1), QStringLiteral("Личная карточка"));
    TabSheet2 = addCardTab(new FamilyTab(m_dm, PageControl1), QStringLiteral("Семейное положение"));
    TabSheet3 = addCardTab(new WorkTab(m_dm, PageControl1), QStringLiteral("Трудовая деятельность"));
    TabSheet4 = addCardTab(new AdditionalTab(m_dm, PageControl1), QStringLiteral("Доп. сведения"));
    TabSheet5 = addCardTab(new LeaveTab(m_dm, PageControl1), QStringLiteral("Отпуск"));
    TabSheet6 = addCardTab(new MilitaryTab(m_dm, PageControl1), QStringLiteral("Воинский учет"));
    TabSheet7 = addCardTab(new EducationTab(m_dm, PageControl1), QStringLiteral("Образование"));
    TabSheet8 = addCardTab(new MedicalTab(m_dm, PageControl1), QStringLiteral("Медосмотр"));

    DBLookupComboboxEh1 = TabSheet2->DBLookupComboboxEh1;
    connectFamilyStatus();
    PensionerCheckBox = TabSheet4->PensionerCheckBox;
    DateTimePicker1 = TabSheet8->DateTimePicker1;

    // A failing save inside the guard refuses the change; inside the change it ends it.
    PageControl1->setChangingGuard([this](int leaving, int) {
        bool allow = false;
        ui::runGuarded(this, [&] { allow = PageControl1Changing(leaving); });
        return allow;
    });
    connect(PageControl1, &ui::PageControl::changed, this, ui::guarded(this, [this] { PageControl1Change(); }));
}

// -- CardHost --

QString TForm1::Workstation() const
{
    return ComputerName + u'\\' + WorkstationIdentity::ipAddress();
}

void TForm1::SetSaveEnabled(bool enabled)
{
    Apply_Records_Btn->setEnabled(enabled);
}

QVariant TForm1::FamilyStatusKey() const
{
    return DBLookupComboboxEh1->keyValue();
}

void TForm1::SetFamilyStatusKey(const QVariant& key)
{
    DBLookupComboboxEh1->setKeyValue(key);
}

void TForm1::SetFamilyStatusLocked(bool locked)
{
    FamilyStatusLocked = locked;
}

void TForm1::SetPensionerMark(bool pensioner)
{
    PensionerCheckBox->setChecked(pensioner);
}

void TForm1::SetStatusText(const QString& text)
{
    StatusBar1->setText(text);
}

TForm4* TForm1::Directory() const
{
    return m_directory.data();
}

bool TForm1::DirectoryExists() const
{
    return !m_directory.isNull();
}

void TForm1::ShowDirectoryRecord(const QString& fullName, const QVariant& key)
{
    if (m_directory)
        m_directory->ShowRecord(fullName, key);
}

void TForm1::SetDirectoryRecordCaption(const QString& caption)
{
    if (m_directory)
        m_directory->SetRecordCaption(caption);
}

void TForm1::ShowNoRightsWarning(const QString& text, const QString& caption)
{
    ui::DialogService::current().message(this, caption, text, ui::DialogService::Icon::Warning,
                                         ui::DialogService::Buttons::Ok);
}

// -- DirectoryHost --

void TForm1::ShowFirstTab()
{
    PageControl1->showPage(0);
}

void TForm1::EnableNewRecordAndSearch()
{
    SpeedButton2->setEnabled(true);
    SpeedButton1->setEnabled(true);
}

void TForm1::ResetFormerSurname()
{
    TabSheet1->GroupBox20->setEnabled(false);
    TabSheet1->CheckBox1->setChecked(false);
}

void TForm1::SetExaminationDate(const QDateTime& when)
{
    DateTimePicker1->setDateTime(when);
}

void TForm1::DirectoryClosed()
{
    m_directory.clear();
}

}  // namespace zel
