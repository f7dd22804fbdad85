#pragma once

#include <QDateTime>
#include <QString>

namespace zel {

/// What the employee directory needs of the main window. The card window implements
/// it; the directory never reaches into the window's controls itself.
class DirectoryHost {
public:
    virtual ~DirectoryHost() = default;

    /// Re-queries every card section for the current employee of ADO_TEACHER.
    virtual void LoadCard() = 0;
    /// Puts every card section into its empty state.
    virtual void OpenEmptyCard() = 0;
    /// Before a search replaces the employees: what the card holds unposted is posted,
    /// or the user decides about it. False when the search must not run.
    virtual bool SettlePendingEdits() { return true; }

    /// Shows the card's first tab, as the program's own switch (no tab-change guard runs).
    virtual void ShowFirstTab() = 0;
    /// Enables or disables the card's Save button.
    virtual void SetSaveEnabled(bool enabled) = 0;
    /// Enables the card's New record and Search buttons again.
    virtual void EnableNewRecordAndSearch() = 0;
    /// Disables the group of the former surname and clears its check box.
    virtual void ResetFormerSurname() = 0;
    /// Sets the card's flag that the employee shown exists in the database.
    virtual void SetCardSaved() = 0;
    /// The card's status bar text.
    virtual void SetStatusText(const QString& text) = 0;
    /// Sets the card's examination-date picker.
    virtual void SetExaminationDate(const QDateTime& when) = 0;

    /// The login typed at sign-in, recorded as the author of copies and deletions.
    virtual QString SignedInLogin() const = 0;
    /// The workstation text: computer name, one backslash, current IP address.
    virtual QString Workstation() const = 0;

    /// The directory is closing and is about to be destroyed: from now on the card
    /// behaves as if no directory existed.
    virtual void DirectoryClosed() = 0;
};

}  // namespace zel
