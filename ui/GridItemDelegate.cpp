#include "ui/GridItemDelegate.h"

#include "ui/DataSetTableModel.h"
#include "ui/DateText.h"
#include "ui/LookupListModel.h"

#include "data/dataset/TField.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace zel::ui {

namespace {
constexpr const char* lookupEditorProperty = "zelLookupEditor";
constexpr const char* loadedProperty = "zelEditorLoaded";
}

GridItemDelegate::GridItemDelegate(DataSetTableModel* model, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{
}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const int column = index.column();
    TField* field = m_model->fieldOf(column);
    QWidget* editor = nullptr;
    switch (m_model->kindOf(column)) {
    case GridColumn::Kind::CheckBox:
        return nullptr;
    case GridColumn::Kind::Lookup: {
        auto* combo = new QComboBox(parent);
        combo->setProperty(lookupEditorProperty, true);
        auto* list = new LookupListModel(combo);
        if (field)
            list->setListDataSet(field->LookupDataSet(), field->LookupKeyFields(), field->LookupResultField());
        combo->setModel(list);
        editor = combo;
        break;
    }
    case GridColumn::Kind::Date: {
        auto* edit = new QLineEdit(parent);
        edit->setInputMask(QLatin1String(DateText::inputMask));
        edit->setFrame(false);
        editor = edit;
        break;
    }
    default: {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
        TField* target = m_model->targetOf(column);
        if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && target && target->Size() > 0
                                                          && target->DataType() != ftBCD)
            edit->setMaxLength(target->Size());
        break;
    }
    }
    // Programmatic loads (setText, setCurrentIndex) do not count as the user's change.
    auto* self = const_cast<GridItemDelegate*>(this);
    const QPersistentModelIndex cell(index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        connect(edit, &QLineEdit::textEdited, self,
                [self, edit, cell] { emit self->editorChangedByUser(edit, cell); });
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        connect(combo, &QComboBox::activated, self,
                [self, combo, cell] { emit self->editorChangedByUser(combo, cell); });
    }
    m_editor = editor;
    m_editorIndex = index;
    return editor;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Loaded once: a repaint of the row must not overwrite what is being typed.
    if (editor->property(loadedProperty).toBool())
        return;
    editor->setProperty(loadedProperty, true);
    const QVariant value = index.data(DataSetTableModel::CommitRole);
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->property(lookupEditorProperty).toBool()) {
        auto* list = static_cast<LookupListModel*>(combo->model());
        combo->setCurrentIndex(list->rowOfKey(value));
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(value.toString());
        edit->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridItemDelegate::reloadEditor(QWidget* editor, const QModelIndex& index) const
{
    editor->setProperty(loadedProperty, false);
    setEditorData(editor, index);
}

QVariant GridItemDelegate::editorValue(QWidget* editor) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->property(lookupEditorProperty).toBool()) {
        auto* list = static_cast<LookupListModel*>(combo->model());
        return list->keyAt(combo->currentIndex());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->inputMask().isEmpty() ? edit->text() : edit->displayText();
    return {};
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QVariant value = editorValue(editor);
    if (value.isNull() && qobject_cast<QComboBox*>(editor))
        return;  // nothing picked
    // Unchanged text is not a change: no edit state for merely visiting a cell.
    if (value == index.data(DataSetTableModel::CommitRole))
        return;
    model->setData(index, value, Qt::EditRole);
}

bool GridItemDelegate::takeEnterPressed()
{
    const bool pressed = m_enterPressed;
    m_enterPressed = false;
    return pressed;
}

bool GridItemDelegate::eventFilter(QObject* editor, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            m_enterPressed = true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

}  // namespace zel::ui
