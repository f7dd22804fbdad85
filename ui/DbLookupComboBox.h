#pragma once

#include "ui/LookupBinding.h"

#include <QComboBox>

namespace zel::ui {

/// Lookup selector: a drop-down of a list source's rows showing the list field
/// and storing the key field. Bound to a field it shows the entry of the field's
/// key (nothing for a key with no row) and writes the picked key into it;
/// unbound it holds a key value set by the program. Setting or picking a key
/// makes that row current in the list's dataset.
class DbLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupComboBox(QWidget* parent = nullptr);

    void setListSource(TDataSource* listSource, const QString& keyField, const QString& listField);
    void setDataSource(TDataSource* source, const QString& fieldName);
    LookupBinding& binding() { return m_binding; }

    QVariant keyValue() const { return m_binding.keyValue(); }
    void setKeyValue(const QVariant& key) { m_binding.setKeyValue(key); }

    /// A read-only selector shows its entry but offers no drop-down.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

signals:
    /// A mouse press on the selector.
    void clicked();
    /// The user picked an entry (never emitted when a row is loaded).
    void changed();
    /// The selector received the focus.
    void entered();
    /// The key value changed, whether by loading a row, by the program or by a pick.
    void keyValueChanged(const QVariant& key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showPopup() override;

private:
    void userActivated(int row);

    LookupBinding m_binding;
    bool m_readOnly = false;
};

}  // namespace zel::ui
