#include "directory/TForm4.h"

#include "directory/DirectoryHost.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DbGrid.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace zel {

namespace {

/// The search button's picture: a magnifying glass.
QIcon searchPicture()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 2));
    painter.drawEllipse(QRectF(2, 2, 8, 8));
    painter.setPen(QPen(QColor(96, 64, 0), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(14, 14));
    return QIcon(picture);
}

}  // namespace

TForm4::TForm4(TDM_PUM& dm, DirectoryHost& host, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
    , m_dm(dm)
    , m_host(host)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Поиск"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setClientWidth(kCollapsedWidth);

    GroupBox1 = new ui::GroupBox(QStringLiteral("Введите ФИО для поиска:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 393, 433);

    RadioButton1 = makeChoice(QStringLiteral("Фамилия:"), 31);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    p26 = makeBox(QStringLiteral("p26"), QRect(80, 27, 235, 21));
    p26->installEventFilter(this);

    BitBtn1 = new QPushButton(searchPicture(), QString(), GroupBox1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(318, 24, 30, 23);
    BitBtn1->setToolTip(QStringLiteral("Найти"));
    BitBtn1->setDefault(true);

    RadioButton2 = makeChoice(QStringLiteral("Имя:"), 62);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    p27 = makeBox(QStringLiteral("p27"), QRect(80, 60, 300, 21));
    RadioButton3 = makeChoice(QStringLiteral("Отчество:"), 94);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    p28 = makeBox(QStringLiteral("p28"), QRect(80, 92, 300, 21));

    DBGridEh2 = new ui::DbGrid(GroupBox1);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->setGeometry(8, 128, 372, 265);
    ui::GridColumn fullName;
    fullName.fieldName = QStringLiteral("t_fio");
    fullName.title = QStringLiteral("ФИО сотрудника");
    fullName.width = 240;
    DBGridEh2->setColumns({fullName});
    DBGridEh2->setReadOnly(true);
    DBGridEh2->setRowSelect(true);
    DBGridEh2->setFitColumns(true);
    DBGridEh2->setDataSource(&m_dm.DS_TEACHER);

    Button1 = new QPushButton(QStringLiteral("Закрыть"), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(303, 403, 75, 23);
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);

    BitBtn2 = new QPushButton(QStringLiteral(">>"), GroupBox1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(365, 14, 27, 25);
    BitBtn2->setCursor(Qt::PointingHandCursor);
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    BitBtn2->setAutoDefault(false);

    GroupBox2 = new ui::GroupBox(QStringLiteral("Запись:"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(402, 43, 270, 79);
    Label9 = new QLabel(GroupBox2);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setGeometry(2, 22, 266, 15);
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    connect(BitBtn1, &QPushButton::clicked, this, ui::guarded(this, [this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, ui::guarded(this, [this] { BitBtn2Click(); }));
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm4::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm4::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TForm4::RadioButton3Click);
    connect(DBGridEh2, &ui::DbGrid::cellClicked, this, &TForm4::DBGridEh2CellClick);
    connect(DBGridEh2, &ui::DbGrid::cellDoubleClicked, this, ui::guarded(this, [this] { DBGridEh2DblClick(); }));
    buildCopyDeletePart();

    p26->setFocus(Qt::OtherFocusReason);
}

TForm4::~TForm4() = default;

QRadioButton* TForm4::makeChoice(const QString& caption, int top)
{
    auto* choice = new QRadioButton(caption, GroupBox1);
    choice->setGeometry(2, top, 77, 17);
    return choice;
}

QLineEdit* TForm4::makeBox(const QString& name, const QRect& geometry)
{
    auto* box = new QLineEdit(GroupBox1);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

void TForm4::setClientWidth(int formWidth)
{
    setFixedSize(formWidth - kFrameWidth, kClientHeight);
}

DirectorySearch::Field TForm4::SearchField() const
{
    if (RadioButton2->isChecked())
        return DirectorySearch::Field::FirstName;
    if (RadioButton3->isChecked())
        return DirectorySearch::Field::Patronymic;
    return DirectorySearch::Field::Surname;
}

QString TForm4::SearchText() const
{
    switch (SearchField()) {
    case DirectorySearch::Field::FirstName:
        return p27->text();
    case DirectorySearch::Field::Patronymic:
        return p28->text();
    case DirectorySearch::Field::Surname:
        break;
    }
    return p26->text();
}

void TForm4::ShowRecord(const QString& fullName, const QVariant& key)
{
    Label9->setText(fullName);
    m_recordTag = key.toInt();
}

void TForm4::SetRecordCaption(const QString& caption)
{
    GroupBox2->setTitle(caption);
}

void TForm4::FillRecordPanel()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty())
        return;
    ShowRecord(master.FieldByName(QStringLiteral("t_fio"))->AsString(),
               master.FieldByName(QStringLiteral("id_teacher"))->Value());
}

void TForm4::BitBtn1Click()
{
    // The search replaces the employees: the card's unposted edits go first.
    if (!m_host.SettlePendingEdits())
        return;
    TADOQuery& master = m_dm.ADO_TEACHER;
    master.SetSQL(DirectorySearch::SearchStatement(SearchField(), SearchText()));
    // Opening with rows runs the after-scroll rule, which fills the record panel.
    master.Open();
    if (!master.IsEmpty()) {
        m_host.LoadCard();
        m_host.ShowFirstTab();
    } else {
        m_host.OpenEmptyCard();
    }
}

void TForm4::BitBtn2Click()
{
    if (!m_expanded) {
        setClientWidth(kExpandedWidth);
        m_expanded = true;
        BitBtn2->setText(QStringLiteral("<<"));
        FillRecordPanel();
    } else {
        setClientWidth(kCollapsedWidth);
        m_expanded = false;
        BitBtn2->setText(QStringLiteral(">>"));
    }
}

void TForm4::RadioButton1Click()
{
    p27->clear();
    p28->clear();
}

void TForm4::RadioButton2Click()
{
    p26->clear();
    p28->clear();
}

void TForm4::RadioButton3Click()
{
    p26->clear();
    p27->clear();
}

void TForm4::DBGridEh2CellClick()
{
    m_host.SetSaveEnabled(false);
}

void TForm4::DBGridEh2DblClick()
{
    ChooseCopyTarget();
    emit GridRowDoubleClicked();
}

void TForm4::handOver()
{
    m_host.EnableNewRecordAndSearch();
    m_host.ResetFormerSurname();
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (master.Active() && !master.IsEmpty()) {
        m_host.SetCardSaved();
        m_host.SetStatusText(CardStatements::FullName(m_dm));
        // The only place where the chosen employee's examinations are loaded.
        TADOQuery& examinations = m_dm.ADOQ_teacher_medosmotr;
        examinations.Close();
        examinations.SetSQL(DirectorySearch::ExaminationsStatement(CardStatements::CurrentEmployeeKey(m_dm)));
        examinations.Open();
        m_host.SetExaminationDate(QDateTime::currentDateTime());
    }
    m_host.ShowFirstTab();
    m_host.DirectoryClosed();
}

void TForm4::closeEvent(QCloseEvent* event)
{
    // A failing examination list keeps the window open: the close is refused and
    // the error shown.
    if (!ui::runGuarded(this, [this] { handOver(); })) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm4::keyPressEvent(QKeyEvent* event)
{
    // Escape would only hide the dialog, never close it: the card would go on
    // believing the directory is open.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm4::showEvent(QShowEvent* event)
{
    if (!m_placed && parentWidget()) {
        const QWidget* owner = parentWidget()->window();
        move(owner->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    m_placed = true;
    QDialog::showEvent(event);
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == p26 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        p26->selectAll();
    return QDialog::eventFilter(watched, event);
}

}  // namespace zel
