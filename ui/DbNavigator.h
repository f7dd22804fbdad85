#pragma once

#include "data/dataset/TDataLink.h"

#include <QFlags>
#include <QWidget>

#include <map>
#include <functional>
#include <memory>

namespace zel::ui {

class FlatButton;

/// A bar of buttons that move through and edit the dataset of a data source.
/// Any subset of the buttons is shown, in the fixed order below; each has a
/// hint (tooltip). Buttons are enabled by the dataset's state. Delete asks for
/// confirmation through the dialog service; errors of an action are shown by
/// the default error display.
class DbNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        First = 0x1,
        Prior = 0x2,
        Next = 0x4,
        Last = 0x8,
        Insert = 0x10,
        Delete = 0x20,
        Edit = 0x40,
        Post = 0x80,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons allButtons() { return Buttons(0x3ff); }

    explicit DbNavigator(QWidget* parent = nullptr);
    ~DbNavigator() override;

    void setDataSource(TDataSource* source);
    TDataSource* dataSource() const;

    void setVisibleButtons(Buttons buttons);
    Buttons visibleButtons() const { return m_visible; }
    void setHint(Button button, const QString& hint);
    /// The button widget; null for a button that is not shown.
    FlatButton* button(Button button) const;

    /// Delete asks this question (Yes/No, question icon) before deleting.
    void setDeleteQuestion(const QString& question) { m_deleteQuestion = question; }
    void setConfirmDelete(bool confirm) { m_confirmDelete = confirm; }
    /// Replaces the dataset's own Delete once the question is answered Yes (the
    /// card logs the deleted row); empty = TDataSet::Delete.
    void setDeleteAction(std::function<void(TDataSet&)> action) { m_deleteAction = std::move(action); }

    /// Performs the action of a button as a click on it does.
    void click(Button button);

signals:
    /// After the action of a button ran (successfully or not).
    void clicked(zel::ui::DbNavigator::Button button);

private:
    class Link;
    void rebuild();
    void updateButtons();
    void perform(Button button);

    std::unique_ptr<Link> m_link;
    Buttons m_visible = allButtons();
    std::map<Button, FlatButton*> m_buttons;
    std::map<Button, QString> m_hints;
    QString m_deleteQuestion;
    bool m_confirmDelete = true;
    std::function<void(TDataSet&)> m_deleteAction;
};

}  // namespace zel::ui

Q_DECLARE_OPERATORS_FOR_FLAGS(zel::ui::DbNavigator::Buttons)
