// The expanded part of the directory: copying one employee's data onto another
// and deleting employees, as far as the server allows.
#include "directory/TForm4.h"

#include "directory/DirectoryHost.h"

#include "data/DbError.h"
#include "data/ErrorText.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace zel {

namespace {

const QString kSameEmployee = QStringLiteral("Вы ни можете копировать одного и того же сотрудника на себя.");
const QString kCopied = QStringLiteral("Данные скопированы.");
const QString kDeleted = QStringLiteral("Сотрудник удалён.\rОбновить результат поиска?");
const QString kRefusalCaption = QStringLiteral("Внимание !!!");
const QString kTargetCaption = QStringLiteral("Копировать на запись:");

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

QString copyQuestion(const QString& from, const QString& to)
{
    return QStringLiteral("Вы действительно хотите передать данные сотрудника:\r") + quoted(from)
        + QStringLiteral(" \rна данные сотрудника:\r") + to + u'"';
}

QString deleteQuestion(const QString& name)
{
    return QStringLiteral("Вы действительно хотите удалить сотрудника ") + quoted(name)
        + QStringLiteral(" без возможности востонавления?");
}

QString linkedWarning(const QString& name)
{
    return QStringLiteral("Сотрудник ") + quoted(name) + QStringLiteral(" имеет связи.");
}

QString refusal(const QString& name)
{
    return QStringLiteral("Невозможно удалить сотрудника ") + quoted(name) + QStringLiteral(" Составленна нагрузка");
}

/// The copy button's picture: two overlapping sheets.
QIcon copyPicture()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 1, 9, 11);
    painter.drawRect(5, 4, 9, 11);
    return QIcon(picture);
}

/// The current row's id_teacher; 0 without rows.
int currentKey(TADOQuery& master)
{
    if (!master.Active() || master.IsEmpty())
        return 0;
    return master.FieldByName(QStringLiteral("id_teacher"))->AsInteger();
}

QString currentFullName(TADOQuery& master)
{
    if (!master.Active() || master.IsEmpty())
        return QString();
    return master.FieldByName(QStringLiteral("t_fio"))->AsString();
}

}  // namespace

void TForm4::buildCopyDeletePart()
{
    BitBtn3 = new QPushButton(QStringLiteral("Удалить"), GroupBox2);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(195, 42, 64, 25);
    BitBtn3->setAutoDefault(false);

    BitBtn5 = new QPushButton(QStringLiteral("Удалить принудительно"), this);
    BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
    BitBtn5->setGeometry(512, 8, 163, 25);
    BitBtn5->setAutoDefault(false);
    QFont bold = BitBtn5->font();
    bold.setBold(true);
    BitBtn5->setFont(bold);
    BitBtn5->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral(
        "Удалить выбранного  сотрудника(при удалении вся информация связанная с ним будет потеряна)"));
    N1->setObjectName(QStringLiteral("N1"));

    BitBtn4 = new QPushButton(copyPicture(), QStringLiteral("Копировать"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(551, 133, 113, 25);
    BitBtn4->setAutoDefault(false);
    BitBtn4->setEnabled(false);

    GroupBox3 = new ui::GroupBox(kTargetCaption, this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(402, 163, 270, 49);
    GroupBox3->setBoldCaption(true);
    Edit1 = new QLineEdit(QStringLiteral(" "), GroupBox3);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 18, 257, 21);
    Edit1->setReadOnly(true);
    SpeedButton3 = new QToolButton(GroupBox3);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setText(QStringLiteral("X"));
    SpeedButton3->setToolTip(QStringLiteral("Убрать..."));
    SpeedButton3->setGeometry(242, 18, 23, 23);
    SpeedButton3->setVisible(false);

    connect(BitBtn3, &QPushButton::clicked, this, ui::guarded(this, [this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, ui::guarded(this, [this] { BitBtn4Click(); }));
    connect(BitBtn5, &QPushButton::clicked, this, &TForm4::BitBtn5Click);
    connect(BitBtn5, &QWidget::customContextMenuRequested, this, &TForm4::BitBtn5Click);
    connect(N1, &QAction::triggered, this, ui::guarded(this, [this] { N1Click(); }));
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm4::SpeedButton3Click);
}

CopyDeleteStatements::Author TForm4::author() const
{
    return {m_host.SignedInLogin(), m_host.Workstation()};
}

QPoint TForm4::PopupPosition() const
{
    const QPoint window = frameGeometry().topLeft();
    return {BitBtn5->x() + window.x() + 2, BitBtn5->y() + window.y() + 50};
}

void TForm4::BitBtn5Click()
{
    PopupMenu1->popup(PopupPosition());
}

void TForm4::ChooseCopyTarget()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty())
        return;
    const int key = currentKey(master);
    GroupBox3->setTitle(QStringLiteral("Копировать на запись - ") + QString::number(key));
    Edit1->setText(currentFullName(master));
    m_copyTargetTag = key;
    BitBtn4->setEnabled(!Edit1->text().isEmpty() && m_copyTargetTag > 0);
}

void TForm4::SpeedButton3Click()
{
    Edit1->clear();
    m_copyTargetTag = 0;
    BitBtn4->setEnabled(!Edit1->text().isEmpty() && m_copyTargetTag > 0);
    GroupBox3->setTitle(kTargetCaption);
}

void TForm4::BitBtn4Click()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (currentKey(master) == m_copyTargetTag) {
        ui::MessageBoxes::error(this, kSameEmployee);
        return;
    }
    if (ui::MessageBoxes::askYesNo(this, copyQuestion(currentFullName(master), Edit1->text()))) {
        TADOQuery& exec = m_dm.ADOQ_Exec;
        exec.SetSQL(CopyDeleteStatements::CopyStatement(m_recordTag, m_copyTargetTag, author()));
        exec.ExecSQL();
        ui::MessageBoxes::information(this, kCopied);
    }
    SpeedButton3Click();
    FillRecordPanel();
}

void TForm4::BitBtn3Click()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty())
        return;
    const QString name = Label9->text();
    if (!ui::MessageBoxes::askYesNo(this, deleteQuestion(name)))
        return;
    int answer = 0;
    try {
        TADOQuery& exec = m_dm.ADOQ_Exec;
        exec.SetSQL(CopyDeleteStatements::DeleteStatement(m_recordTag, author()));
        exec.Open();
        if (!exec.IsEmpty() && exec.FieldCount() > 0)
            answer = exec.Field(0)->AsInteger();
        exec.Close();
    } catch (const AbortSignal&) {
        throw;
    } catch (const Error& failure) {
        showDeleteFailure(errorTextForUser(failure));
        return;
    }
    if (answer == 1)
        afterDeletion();
    else
        ui::MessageBoxes::warning(this, linkedWarning(name));
}

void TForm4::N1Click()
{
    TADOQuery& master = m_dm.ADO_TEACHER;
    TADOQuery& protectedList = m_dm.ADOQ_DEL;
    const int key = currentKey(master);
    protectedList.Close();
    protectedList.SetSQL(CopyDeleteStatements::ProtectedEmployeeStatement(key));
    protectedList.Open();
    if (!master.Active() || master.IsEmpty())
        return;
    const QString name = Label9->text();
    if (!ui::MessageBoxes::askYesNo(this, deleteQuestion(name)))
        return;
    const int listed =
        protectedList.IsEmpty() ? 0 : protectedList.FieldByName(QStringLiteral("id_teacher"))->AsInteger();
    if (listed == key) {
        ui::MessageBoxes::plain(this, refusal(name), kRefusalCaption);
        return;
    }
    try {
        TADOQuery& exec = m_dm.ADOQ_Exec;
        exec.SetSQL(CopyDeleteStatements::ForcedDeleteStatement(m_recordTag, author()));
        exec.ExecSQL();
    } catch (const AbortSignal&) {
        throw;
    } catch (const Error& failure) {
        showDeleteFailure(errorTextForUser(failure));
        return;
    }
    afterDeletion();
}

void TForm4::afterDeletion()
{
    if (ui::MessageBoxes::askYesNo(this, kDeleted))
        BitBtn1Click();
}

void TForm4::showDeleteFailure(const QString& serverText)
{
    ui::MessageBoxes::warning(this, linkedWarning(Label9->text()) + u'\r' + QString(69, u'-') + u'\r' + serverText);
}

}  // namespace zel
