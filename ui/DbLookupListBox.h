#pragma once

#include "ui/LookupBinding.h"

#include <QListView>

namespace zel::ui {

/// Lookup list box: every row of a list source as a line showing the list field.
/// Picking a line takes its key (written into the bound field, when bound) and
/// makes that row current in the list's dataset. Unbound, it can follow the
/// list dataset's cursor (LookupBinding::setFollowsListCursor).
class DbLookupListBox : public QListView {
    Q_OBJECT
public:
    explicit DbLookupListBox(QWidget* parent = nullptr);

    void setListSource(TDataSource* listSource, const QString& keyField, const QString& listField);
    void setDataSource(TDataSource* source, const QString& fieldName);
    LookupBinding& binding() { return m_binding; }

    QVariant keyValue() const { return m_binding.keyValue(); }
    void setKeyValue(const QVariant& key) { m_binding.setKeyValue(key); }

signals:
    /// The user picked a line.
    void changed();

private:
    void showRow(int row);
    void userPicked(const QModelIndex& current);

    LookupBinding m_binding;
    bool m_showing = false;
};

}  // namespace zel::ui
