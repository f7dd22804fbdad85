#pragma once

#include "ui/FieldDataLink.h"
#include "ui/LookupListModel.h"

#include <QObject>
#include <QVariant>

namespace zel::ui {

/// What the lookup selector and the lookup list box share: a list of
/// key/text pairs from a list source, a key value that is either the bound
/// field's value or set by the program, and the rule that setting or choosing a
/// key makes the row with that key the current row of the list's dataset.
///
/// The control shows the entry currentRowChanged() names and calls choose()
/// when the user picks one.
class LookupBinding : public QObject {
    Q_OBJECT
public:
    explicit LookupBinding(QObject* parent = nullptr);

    LookupListModel* model() { return &m_model; }

    void setListSource(TDataSource* listSource, const QString& keyField, const QString& listField);
    /// Binds the key to a field; without it the key is only what setKeyValue() sets.
    void setDataSource(TDataSource* source, const QString& fieldName);
    bool isBound() const { return m_link.DataSource() != nullptr; }
    FieldDataLink& dataLink() { return m_link; }

    QVariant keyValue() const { return m_key; }
    /// Shows the entry of key (none for NULL or a key without a row) and makes
    /// its row current in the list's dataset. Does not write the bound field.
    void setKeyValue(const QVariant& key);
    /// The entry of the current key; -1 when nothing is shown.
    int currentRow() const { return m_model.rowOfKey(m_key); }

    /// The user's pick of an entry: the key of that row goes into the bound
    /// field (the dataset enters edit first), then as setKeyValue(). Returns
    /// false when the field could not take it; the error is shown.
    bool choose(int row);

    /// An unbound control following the list dataset's cursor: when that
    /// dataset moves, its current row's key becomes the key value.
    void setFollowsListCursor(bool follow);

    /// True while a key is being shown because of a load, not a user pick.
    bool isLoading() const { return m_loading > 0; }

signals:
    /// The control should show this entry (-1 = none). Emitted inside loading.
    void currentRowChanged(int row);
    /// The key value changed, by load, program or pick.
    void keyValueChanged(const QVariant& key);

private:
    void applyKey(const QVariant& key, bool locate);
    void showCurrent();
    void locateKey();
    void followCursor();

    LookupListModel m_model;
    FieldDataLink m_link;
    QVariant m_key;
    bool m_followCursor = false;
    bool m_locating = false;
    int m_loading = 0;
};

}  // namespace zel::ui
