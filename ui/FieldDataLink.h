#pragma once

#include "data/dataset/TDataLink.h"

#include <QString>

#include <functional>

namespace zel {
class TDataSource;
class TField;
}

namespace zel::ui {

/// The binding every single-field control of the toolkit owns: follows one
/// field of a data source's current row and moves the control's pending value
/// into it.
///
/// The control supplies two callbacks: `load` shows the field's value and runs
/// inside a loading scope (isLoading() is true, so the control's change
/// handlers can tell a loaded row from typing), `write` stores the control's
/// value into field(). The control calls beginChange() on the user's first
/// change (the dataset enters edit; an empty dataset starts an insert) and
/// markModified() after it; the pending value is written by commit(), which the
/// control calls when it loses the focus and the dataset calls (updateData)
/// before every Post and every posting move.
class FieldDataLink : public TDataLink {
public:
    FieldDataLink() = default;

    std::function<void()> load;
    std::function<void()> write;
    /// Runs after the dataset entered or left dsEdit/dsInsert.
    std::function<void()> onEditingChanged;

    const QString& fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);
    /// Binds in one step; the control is loaded at once.
    void bind(TDataSource* source, const QString& fieldName);

    /// The bound field of the open dataset; null when unbound, closed or absent.
    TField* field() const { return m_field; }
    /// The field exists and may be written (not read-only, dataset writable).
    bool canModify() const;

    /// Puts the dataset into edit state for the user's first change. Returns
    /// false (and changes nothing) when the field cannot be written. An error of
    /// Edit/Insert is shown by the default error display and gives false.
    bool beginChange();
    /// The control holds a value not yet written into the field.
    void markModified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    /// Writes a pending value through `write`; errors (a value the field
    /// refuses) propagate and the value stays pending.
    void commit();
    /// Drops a pending value and shows the field again.
    void reset();

    bool isLoading() const { return m_loading > 0; }

    // TDataLink
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(TField* field) override;
    void editingChanged() override;
    void updateData() override;

private:
    void resolveField();
    void reload();

    QString m_fieldName;
    TField* m_field = nullptr;
    bool m_modified = false;
    bool m_writing = false;
    int m_loading = 0;
};

}  // namespace zel::ui
