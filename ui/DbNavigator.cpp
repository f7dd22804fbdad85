#include "ui/DbNavigator.h"

#include "ui/FlatButton.h"
#include "ui/MessageBoxes.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"

#include <QHBoxLayout>
#include <QStyle>

namespace zel::ui {

class DbNavigator::Link : public TDataLink {
public:
    explicit Link(DbNavigator* owner)
        : m_owner(owner)
    {
    }
    void activeChanged() override { m_owner->updateButtons(); }
    void dataSetChanged() override { m_owner->updateButtons(); }
    void dataSetScrolled() override { m_owner->updateButtons(); }
    void stateChanged() override { m_owner->updateButtons(); }
    void recordChanged(TField*) override { m_owner->updateButtons(); }

private:
    DbNavigator* m_owner;
};

namespace {

struct ButtonInfo {
    DbNavigator::Button button;
    QStyle::StandardPixmap picture;
    const char* fallbackText;
    const char* hint;
};

const ButtonInfo buttonInfo[] = {
    {DbNavigator::First, QStyle::SP_MediaSkipBackward, "|<", "Первая запись"},
    {DbNavigator::Prior, QStyle::SP_MediaSeekBackward, "<", "Предыдущая запись"},
    {DbNavigator::Next, QStyle::SP_MediaSeekForward, ">", "Следующая запись"},
    {DbNavigator::Last, QStyle::SP_MediaSkipForward, ">|", "Последняя запись"},
    {DbNavigator::Insert, QStyle::SP_FileDialogNewFolder, "+", "Добавить запись"},
    {DbNavigator::Delete, QStyle::SP_TrashIcon, "-", "Удалить запись"},
    {DbNavigator::Edit, QStyle::SP_FileDialogDetailedView, "^", "Изменить запись"},
    {DbNavigator::Post, QStyle::SP_DialogApplyButton, "v", "Сохранить изменения"},
    {DbNavigator::Cancel, QStyle::SP_DialogCancelButton, "x", "Отменить изменения"},
    {DbNavigator::Refresh, QStyle::SP_BrowserReload, "@", "Обновить данные"},
};

}  // namespace

DbNavigator::DbNavigator(QWidget* parent)
    : QWidget(parent)
    , m_link(std::make_unique<Link>(this))
    , m_deleteQuestion(QStringLiteral("Удалить запись?"))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rebuild();
}

DbNavigator::~DbNavigator() = default;

void DbNavigator::setDataSource(TDataSource* source)
{
    m_link->SetDataSource(source);
    updateButtons();
}

TDataSource* DbNavigator::dataSource() const
{
    return m_link->DataSource();
}

void DbNavigator::setVisibleButtons(Buttons buttons)
{
    m_visible = buttons;
    rebuild();
}

void DbNavigator::setHint(Button button, const QString& hint)
{
    m_hints[button] = hint;
    if (FlatButton* b = this->button(button))
        b->setHint(hint);
}

FlatButton* DbNavigator::button(Button button) const
{
    const auto it = m_buttons.find(button);
    return it == m_buttons.end() ? nullptr : it->second;
}

void DbNavigator::rebuild()
{
    for (auto& [id, b] : m_buttons)
        delete b;
    m_buttons.clear();
    for (const ButtonInfo& info : buttonInfo) {
        if (!m_visible.testFlag(info.button))
            continue;
        auto* b = new FlatButton(this);
        QIcon icon = style()->standardIcon(info.picture);
        if (icon.isNull())
            b->setText(QString::fromLatin1(info.fallbackText));
        else
            b->setIcon(icon);
        const auto hint = m_hints.find(info.button);
        b->setHint(hint != m_hints.end() ? hint->second : QString::fromUtf8(info.hint));
        b->setMinimumSize(25, 25);
        const Button id = info.button;
        connect(b, &QToolButton::clicked, this, [this, id] { perform(id); });
        layout()->addWidget(b);
        m_buttons[id] = b;
    }
    updateButtons();
}

void DbNavigator::updateButtons()
{
    TDataSet* dataSet = m_link->DataSet();
    const bool active = dataSet && dataSet->Active();
    const bool editing = active && dataSet->State() != dsBrowse;
    const bool empty = !active || dataSet->IsEmpty();
    const bool canModify = active && dataSet->CanModify();
    const bool atFirst = empty || dataSet->RecNo() <= 1;
    const bool atLast = empty || dataSet->RecNo() >= dataSet->RecordCount();
    const std::map<Button, bool> enabled = {
        {First, active && !atFirst},
        {Prior, active && !atFirst},
        {Next, active && !atLast},
        {Last, active && !atLast},
        {Insert, canModify},
        {Delete, canModify && !empty},
        {Edit, canModify && !editing},
        {Post, editing},
        {Cancel, editing},
        {Refresh, active},
    };
    for (auto& [id, b] : m_buttons)
        b->setEnabled(enabled.at(id));
}

void DbNavigator::click(Button button)
{
    perform(button);
}

void DbNavigator::perform(Button button)
{
    TDataSet* dataSet = m_link->DataSet();
    if (!dataSet || !dataSet->Active())
        return;
    try {
        switch (button) {
        case First: dataSet->First(); break;
        case Prior: dataSet->Prior(); break;
        case Next: dataSet->Next(); break;
        case Last: dataSet->Last(); break;
        case Insert: dataSet->Insert(); break;
        case Delete:
            if (dataSet->IsEmpty())
                break;
            if (!m_confirmDelete || MessageBoxes::askYesNo(this, m_deleteQuestion)) {
                if (m_deleteAction)
                    m_deleteAction(*dataSet);
                else
                    dataSet->Delete();
            }
            break;
        case Edit: dataSet->Edit(); break;
        case Post:
            if (dataSet->State() != dsBrowse)
                dataSet->Post();
            break;
        case Cancel:
            if (dataSet->State() != dsBrowse)
                dataSet->Cancel();
            break;
        case Refresh: dataSet->Requery(); break;
        }
    } catch (const std::exception& failure) {
        MessageBoxes::showException(this, failure);
    }
    updateButtons();
    emit clicked(button);
}

}  // namespace zel::ui
