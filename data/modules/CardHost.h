#pragma once

#include <QString>
#include <QVariant>

namespace zel {

/// What the data module's rules and the card statements need of the windows. The main
/// window implements it; the data layer never shows anything itself.
class CardHost {
public:
    virtual ~CardHost() = default;

    /// The login typed at sign-in; stamped into ZEL_User and written to the audit log.
    virtual QString SignedInLogin() const = 0;
    /// The workstation text of the audit log: computer name, "\" and the local IP address,
    /// asked anew for every statement.
    virtual QString Workstation() const = 0;

    /// Enables or disables the card's Save button.
    virtual void SetSaveEnabled(bool enabled) = 0;

    /// The key selected in the card's family-status chooser; null when nothing is selected.
    virtual QVariant FamilyStatusKey() const = 0;
    /// Shows that key in the chooser (null clears it).
    virtual void SetFamilyStatusKey(const QVariant& key) = 0;
    /// While locked, a change of the chooser is not acted upon.
    virtual void SetFamilyStatusLocked(bool locked) = 0;

    /// The pensioner mark of the card: whether the employee has a pension row.
    virtual void SetPensionerMark(bool pensioner) = 0;
    /// The status bar text of the card.
    virtual void SetStatusText(const QString& text) = 0;

    /// Whether the directory window exists at the moment.
    virtual bool DirectoryExists() const = 0;
    /// The directory's record label: the full name and the key it keeps as its tag.
    virtual void ShowDirectoryRecord(const QString& fullName, const QVariant& key) = 0;
    /// The caption of the directory's record panel.
    virtual void SetDirectoryRecordCaption(const QString& caption) = 0;

    /// Reloads every card section for the current employee (the window's LoadCard).
    virtual void ReloadCard() = 0;

    /// The card is about to show another employee: what was typed and not posted is
    /// posted now, or the user decides about it. False when the card must stay as it is
    /// (the user chose to go on editing). A host without a card of its own has nothing
    /// pending.
    virtual bool SettlePendingEdits() { return true; }

    /// Tells the user that the server refused a change for lack of rights.
    virtual void ShowNoRightsWarning(const QString& text, const QString& caption) = 0;
};

}  // namespace zel
