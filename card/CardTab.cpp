#include "card/CardTab.h"

#include "ui/CaptionLabel.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/EnterChain.h"
#include "ui/GroupBox.h"
#include "ui/LabelPanel.h"

#include <QGridLayout>
#include <QPushButton>

namespace zel {

using namespace card;

namespace {

constexpr int kCaptionWidth = 140;
constexpr int kMemoHeight = 44;

// Columns of a control grid: caption, control, inline caption, inline control, button.
constexpr int kCaptionColumn = 0;
constexpr int kControlColumn = 1;
constexpr int kInlineCaptionColumn = 2;
constexpr int kInlineControlColumn = 3;
constexpr int kButtonColumn = 4;
constexpr int kColumns = 5;

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

int nextLine(const QGridLayout* grid)
{
    return grid->count() == 0 ? 0 : grid->rowCount();
}

ui::GridColumn::Kind columnKind(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Date: return ui::GridColumn::Kind::Date;
    case ColumnKind::Lookup: return ui::GridColumn::Kind::Lookup;
    case ColumnKind::CheckBox: return ui::GridColumn::Kind::CheckBox;
    case ColumnKind::Text: break;
    }
    return ui::GridColumn::Kind::Text;
}

QPushButton* sideButton(const ControlRow& row, QWidget* parent)
{
    auto* button = new QPushButton(utf8(row.buttonText), parent);
    button->setObjectName(QString::fromLatin1(row.button));
    if (qstrcmp(row.buttonText, "+") == 0)
        button->setFixedSize(21, 21);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CardTab::CardTab(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
}

QLabel* CardTab::captionOf(const QWidget* control)
{
    if (!control || !control->parentWidget())
        return nullptr;
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == control)
            return label;
    return nullptr;
}

QGridLayout* CardTab::controlGrid(QWidget* container)
{
    if (auto* existing = qobject_cast<QGridLayout*>(container->layout()))
        return existing;
    auto* grid = new QGridLayout(container);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(kControlColumn, 1);
    return grid;
}

QGridLayout* CardTab::addControls(QWidget* container, const std::vector<ControlRow>& rows)
{
    QGridLayout* grid = controlGrid(container);
    int line = nextLine(grid) - 1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlRow& row = rows[i];
        QWidget* widget = createControl(row, container);
        if (row.kind == ControlKind::Lookup)
            m_lookupRows.push_back(row);
        QPushButton* button = row.button ? sideButton(row, container) : nullptr;
        const bool inlineFollows = i + 1 < rows.size() && rows[i + 1].place == CaptionPlace::Inline;

        QLabel* caption = nullptr;
        int firstColumn = kControlColumn;
        switch (row.place) {
        case CaptionPlace::Left:
            ++line;
            if (row.caption) {
                auto* panel = new ui::LabelPanel(utf8(row.caption), container);
                panel->setMinimumWidth(kCaptionWidth);
                grid->addWidget(panel, line, kCaptionColumn);
                caption = panel;
            } else {
                firstColumn = kCaptionColumn;
            }
            break;
        case CaptionPlace::Above:
            ++line;
            if (row.caption) {
                caption = new ui::CaptionLabel(utf8(row.caption), container);
                caption->setWordWrap(true);
                grid->addWidget(caption, line, kCaptionColumn, 1, kColumns);
                ++line;
            }
            firstColumn = kCaptionColumn;
            break;
        case CaptionPlace::OnControl:
            ++line;
            firstColumn = kCaptionColumn;
            break;
        case CaptionPlace::Inline:
            if (line < 0)
                line = 0;
            if (row.caption) {
                caption = new ui::CaptionLabel(utf8(row.caption), container);
                grid->addWidget(caption, line, kInlineCaptionColumn);
            }
            firstColumn = kInlineControlColumn;
            break;
        }
        if (caption)
            caption->setBuddy(widget);

        int lastColumn = kButtonColumn;
        if (inlineFollows && row.place != CaptionPlace::Inline)
            lastColumn = kControlColumn;
        else if (button)
            lastColumn = kButtonColumn - 1;
        grid->addWidget(widget, line, firstColumn, 1, lastColumn - firstColumn + 1);
        if (button)
            grid->addWidget(button, line, kButtonColumn);

        if (row.enter)
            ui::EnterChain::setSuccessor(widget, QString::fromLatin1(row.enter));
        armSave(widget, row);
    }
    return grid;
}

QWidget* CardTab::createControl(const ControlRow& row, QWidget* parent)
{
    const QString field = QString::fromLatin1(row.field);
    QWidget* widget = nullptr;
    switch (row.kind) {
    case ControlKind::Edit: {
        auto* edit = new ui::DbEdit(parent);
        edit->setDataSource(row.source, field);
        widget = edit;
        break;
    }
    case ControlKind::Memo: {
        auto* memo = new ui::DbMemo(parent);
        memo->setDataSource(row.source, field);
        memo->setFixedHeight(kMemoHeight);
        memo->setTabChangesFocus(true);
        widget = memo;
        break;
    }
    case ControlKind::Date: {
        auto* date = new ui::DbDateEdit(parent);
        date->setDataSource(row.source, field);
        widget = date;
        break;
    }
    case ControlKind::Lookup: {
        auto* box = new ui::DbLookupComboBox(parent);
        box->setListSource(row.list.source, QString::fromLatin1(row.list.key), QString::fromLatin1(row.list.text));
        box->setDataSource(row.source, field);
        widget = box;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new ui::DbCheckBox(row.place == CaptionPlace::OnControl ? utf8(row.caption) : QString(), parent);
        box->setDataSource(row.source, field);
        widget = box;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(row.name));
    return widget;
}

void CardTab::armSave(QWidget* control, const ControlRow& row)
{
    if (row.arms == SaveArming::None)
        return;
    const bool click = row.arms == SaveArming::Click;
    if (auto* edit = qobject_cast<ui::DbEdit*>(control)) {
        connect(edit, click ? &ui::DbEdit::clicked : &ui::DbEdit::changed, this, &CardTab::saveArmed);
    } else if (auto* box = qobject_cast<ui::DbLookupComboBox*>(control)) {
        connect(box, click ? &ui::DbLookupComboBox::clicked : &ui::DbLookupComboBox::changed, this,
                &CardTab::saveArmed);
    } else if (auto* date = qobject_cast<ui::DbDateEdit*>(control)) {
        connect(date, &ui::DbDateEdit::changed, this, &CardTab::saveArmed);
    } else if (auto* memo = qobject_cast<ui::DbMemo*>(control)) {
        connect(memo, &ui::DbMemo::changed, this, &CardTab::saveArmed);
    } else if (auto* check = qobject_cast<ui::DbCheckBox*>(control)) {
        connect(check, &ui::DbCheckBox::changed, this, &CardTab::saveArmed);
    }
}

ui::DbGrid* CardTab::addGrid(const GridRow& row, QWidget* parent)
{
    auto* grid = new ui::DbGrid(parent);
    grid->setObjectName(QString::fromLatin1(row.name));
    std::vector<ui::GridColumn> columns;
    columns.reserve(row.columns.size());
    for (const ColumnRow& declared : row.columns) {
        ui::GridColumn column;
        column.fieldName = QString::fromLatin1(declared.field);
        column.title = utf8(declared.title);
        column.kind = columnKind(declared.kind);
        column.displayFormat = QString::fromLatin1(declared.displayFormat);
        column.width = declared.width;
        if (declared.emptyDateIsNull || declared.armsSave) {
            ui::CellCommitHook emptyDate =
                declared.emptyDateIsNull ? ui::CommitHooks::emptyDateIsNull() : ui::CellCommitHook();
            const bool arms = declared.armsSave;
            // The grid is a child of the tab: the tab outlives every commit.
            column.onCommit = [this, emptyDate, arms](ui::CellCommit& commit) {
                if (emptyDate)
                    emptyDate(commit);
                if (arms)
                    emit saveArmed();
            };
        }
        columns.push_back(std::move(column));
    }
    grid->setColumns(std::move(columns));
    grid->setDataSource(row.source);
    grid->setEnterMovesToNextCell(row.enterMovesToNextCell);
    grid->setMultiSelect(row.multiSelect);
    if (row.postsOnLeave)
        connect(grid, &ui::DbGrid::focusLeft, this, &CardTab::gridLeft);
    return grid;
}

ui::DbNavigator* CardTab::addNavigator(const NavigatorRow& row, QWidget* parent)
{
    auto* navigator = new ui::DbNavigator(parent);
    navigator->setObjectName(QString::fromLatin1(row.name));
    navigator->setVisibleButtons(row.buttons);
    for (const auto& [button, hint] : row.hints)
        navigator->setHint(button, utf8(hint));
    navigator->setDataSource(row.source);
    return navigator;
}

ui::GroupBox* CardTab::addGroup(const QString& caption, QWidget* parent, const char* name)
{
    auto* group = new ui::GroupBox(caption, parent);
    if (name)
        group->setObjectName(QString::fromLatin1(name));
    return group;
}

void CardTab::missingControl(const char* name)
{
    qFatal("card tab: no control named %s", name);
}

}  // namespace zel
