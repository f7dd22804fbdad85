#pragma once

#include "card/CardTab.h"

#include <QPointer>

namespace zel {

class TDM;
class TDM_PUM;

namespace ui {
class DbGrid;
class DbLookupListBox;
class DbNavigator;
class GroupBox;
}  // namespace ui

/// The card's "Образование" tab. On the left, the employee's education rows as a
/// list of their RecInfo captions (DBLookupListBox1; picking a line makes it the
/// current row) under a navigator; on the right, the current row in the group
/// "Образование" with its Enter chain; below, the post-graduate documents of the
/// second data module DM, read again every time the tab is shown.
class EducationTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit EducationTab(TDM_PUM& dm, QWidget* parent = nullptr);
    ~EducationTab() override;

    /// The second data module, created after the sign-in: the documents group is
    /// bound to it. Until then, and after it is destroyed, showing the tab reads
    /// nothing.
    void SetDocumentsModule(TDM* documents);

    /// The tab became the visible one: re-reads both document dictionaries and the
    /// employee's documents. With no employee loaded the list is emptied and
    /// nothing is sent to the server.
    void TabSheet7Show();

    ui::DbNavigator* DBNavigator4;
    ui::DbLookupListBox* DBLookupListBox1;
    /// The documents grid; null until the documents module is set.
    ui::DbGrid* DBGridEh10 = nullptr;
    ui::DbNavigator* DBNavigator5 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildEducationList(TDM_PUM& dm);
    QWidget* buildEducationGroup(TDM_PUM& dm);
    void buildDocumentsGroup(TDM& documents);

    TDM_PUM& m_dm;
    QPointer<TDM> m_documents;
    ui::GroupBox* m_documentsGroup;
};

}  // namespace zel
