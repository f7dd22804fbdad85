#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

namespace zel::ui {

class DataSetTableModel;

/// Editors of the data grid's cells: a line edit limited to the field's Size,
/// a masked line edit for dates (the editor's text keeps the mask blanks), a
/// drop-down of the dictionary for lookup columns (commits the key). Check-box
/// columns toggle in place. Remembers the open editor so the grid can write it
/// before a post, and whether Enter closed it. Tells when the user changes an
/// open editor, however it was opened, so the row can enter edit state then.
class GridItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridItemDelegate(DataSetTableModel* model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    /// The editor open now and its cell; null / invalid when none.
    QWidget* openEditor() const { return m_editor; }
    QModelIndex openIndex() const { return m_editorIndex; }
    /// The value the editor holds, as it would be committed; null when unchanged.
    QVariant editorValue(QWidget* editor) const;

    /// Loads the cell's value into editor again, dropping what was typed.
    void reloadEditor(QWidget* editor, const QModelIndex& index) const;

    /// Whether Enter was pressed in an editor since the last call.
    bool takeEnterPressed();

signals:
    /// The user typed into or picked in an open editor of the cell at index.
    void editorChangedByUser(QWidget* editor, const QModelIndex& index);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    DataSetTableModel* m_model;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editorIndex;
    bool m_enterPressed = false;
};

}  // namespace zel::ui
