#pragma once

#include <QWidget>

class QPushButton;

namespace zel {

class TDataSource;

namespace ui {
class DbEdit;
class GroupBox;
}  // namespace ui

/// One address record of the card: the button that opens the address picker above
/// a group of the five names looked up from the record's address keys (shown, never
/// typed into) and, for the two dwelling addresses, the editable street line.
class AddressBlock : public QWidget {
    Q_OBJECT
public:
    /// source: the address record's data source (not owned). streetEditName: object
    /// name of the street edit; empty = no street line.
    AddressBlock(const QString& buttonName, const QString& caption, TDataSource* source,
                 const QString& streetEditName, QWidget* parent = nullptr);

    QPushButton* button() const { return m_button; }
    /// The name display of REPUBLIC, AREA, DISTRICT, CITY or VILLAGE.
    ui::DbEdit* nameField(const QString& fieldName) const;
    /// The street edit; nullptr for the place of birth.
    ui::DbEdit* streetEdit() const { return m_street; }

signals:
    /// A click in the street edit (arms the card's Save button).
    void streetClicked();

private:
    QPushButton* m_button;
    ui::GroupBox* m_group;
    QList<ui::DbEdit*> m_names;
    ui::DbEdit* m_street = nullptr;
};

}  // namespace zel
