#include "card/MedicalTab.h"

#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DatePicker.h"
#include "ui/DbGrid.h"
#include "ui/DialogService.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"
#include "ui/LabelPanel.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

using namespace card;

namespace {

constexpr int kCaptionWidth = 140;

const QString kMessageCaption = QStringLiteral("Сообщение!!!");

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

MedicalTab::MedicalTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet8"), parent), m_dm(dm)
{
    // The inputs of a new examination are not bound: "Сохранить" writes them.
    auto* inputs = addGroup(QString(), this, "GroupBox_new_medosmotr");
    inputs->setFixedWidth(560);
    auto* grid = new QGridLayout(inputs);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    DateTimePicker1 = named(new ui::DatePicker(inputs), "DateTimePicker1");
    Edit1 = named(new QLineEdit(inputs), "Edit1");
    Edit2 = named(new QLineEdit(inputs), "Edit2");
    const std::pair<const char*, QWidget*> lines[] = {
        {"Дата прохождения", DateTimePicker1},
        {"Место прохождения", Edit1},
        {"Примечание:", Edit2},
    };
    int line = 0;
    for (const auto& [caption, input] : lines) {
        auto* label = new ui::LabelPanel(QString::fromUtf8(caption), inputs);
        label->setMinimumWidth(kCaptionWidth);
        label->setBuddy(input);
        grid->addWidget(label, line, 0);
        grid->addWidget(input, line, 1);
        ++line;
    }
    DateTimePicker1->setFixedWidth(120);
    RzBitBtn1 = named(new QPushButton(QStringLiteral("Сохранить"), inputs), "RzBitBtn1");
    grid->addWidget(RzBitBtn1, line, 1, Qt::AlignRight);

    // Only the date column has a commit rule; the examinations are not part of Save.
    const GridRow examinations = {
        "DBGridEh9",
        &dm.DS_teacher_medosmotr,
        {
            {"medosmotr_date", "Дата", ColumnKind::Date, false, true},
            {"medosmotr", "Место прохождения"},
            {"Descpintion", "Примечание"},
        },
    };
    auto* listGroup = addGroup(QStringLiteral("Таблица проходжения медосмотра"), this, "GroupBox_medosmotr");
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->setContentsMargins(4, 4, 4, 4);
    DBGridEh9 = addGrid(examinations, listGroup);
    listLayout->addWidget(DBGridEh9);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(inputs, 0, Qt::AlignLeft);
    layout->addWidget(listGroup, 1);

    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded(this, [this] { Edit1Change(); }));
    connect(RzBitBtn1, &QPushButton::clicked, this, ui::guarded(this, [this] { RzBitBtn1Click(); }));
}

void MedicalTab::Edit1Change()
{
    TADOQuery& list = m_dm.ADOQ_teacher_medosmotr;
    if (!Edit1->text().isEmpty()) {
        // A new insert abandons the previous one while none of its fields is set.
        if (list.Active())
            list.Insert();
        return;
    }
    list.Close();
    if (!list.SQL().isEmpty())
        list.Open();
}

void MedicalTab::RzBitBtn1Click()
{
    TADOQuery& list = m_dm.ADOQ_teacher_medosmotr;
    if (!Edit1->text().isEmpty()) {
        // A new employee has no key yet: the examination would belong to nobody.
        if (m_dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->IsNull()) {
            showMessage(QStringLiteral("Сначала сохраните сотрудника: медосмотр записывается в его карточку."));
            return;
        }
        // The pending row may have been left by a click into the list.
        if (list.State() != dsInsert)
            list.Insert();
        list.FieldByName(QStringLiteral("id_teacher"))
            ->SetAsInteger(m_dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsInteger());
        list.FieldByName(QStringLiteral("medosmotr_date"))->SetValue(DateTimePicker1->dateTime());
        list.FieldByName(QStringLiteral("medosmotr"))->SetAsString(Edit1->text());
        list.FieldByName(QStringLiteral("Descpintion"))->SetAsString(Edit2->text());
        list.Post();
        showMessage(QStringLiteral("Запись сохранена"));
        Edit1->clear();
        Edit2->clear();
        return;
    }
    if (!list.Active() || list.RecNo() < 1) {
        showMessage(QStringLiteral("Нет строки для сохранения"));
        return;
    }
    list.Edit();
    list.Post();
}

void MedicalTab::showMessage(const QString& text)
{
    ui::DialogService::current().message(window(), kMessageCaption, text, ui::DialogService::Icon::None,
                                         ui::DialogService::Buttons::Ok);
}

}  // namespace zel
