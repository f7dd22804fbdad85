#pragma once

#include "history/HistoryEntry.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zel {

class HistoryHost;

/// "История изменений": every audit-log row of one employee, newest first, with the
/// section in Russian, the field (its card label where known), the old and new value, the clerk and the
/// workstation. Filters by section and by a date range re-read the rows (one
/// request each); the selected rows can be copied as tab-separated text.
///
/// A non-modal window that deletes itself when closed. Reading only: it works for
/// every signed-in role.
class EmployeeHistoryWindow : public QDialog {
    Q_OBJECT
public:
    /// The grid's column titles, in order.
    static const QStringList& ColumnTitles();

    /// host is not owned and must outlive the window.
    EmployeeHistoryWindow(HistoryHost& host, qint64 employee, const QString& fullName, QWidget* parent = nullptr);

    QComboBox* SectionBox;
    QCheckBox* FromCheck;
    QDateEdit* FromDate;
    QCheckBox* ToCheck;
    QDateEdit* ToDate;
    QTableWidget* Grid;
    QLabel* CountLabel;
    QPushButton* CopyButton;
    QPushButton* CloseButton;

    qint64 Employee() const { return m_employee; }
    const std::vector<HistoryEntry>& Entries() const { return m_entries; }

    /// Reads the rows for the filters now set and shows them. A range whose start
    /// lies after its end is refused with a message and keeps the rows shown.
    /// Returns whether it read.
    bool Refresh();
    /// The selected rows (all rows when none is selected) as text: a title line and
    /// one line per row, cells separated by tabs.
    QString SelectedText() const;
    /// Copies SelectedText to the clipboard through the host.
    void CopySelection();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showEntries();
    QStringList cells(const HistoryEntry& entry) const;

    HistoryHost& m_host;
    qint64 m_employee;
    std::vector<HistoryEntry> m_entries;
};

}  // namespace zel
