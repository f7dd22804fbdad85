// The card window as the directory and the data module's rules see it: every
// call recorded, the card sections loaded for real.
#pragma once

#include "directory/DirectoryHost.h"
#include "directory/TForm4.h"

#include "data/modules/CardHost.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"

#include <QPointer>
#include <functional>
#include <QStringList>

namespace zel::test {

/// What the data module's rules ask of the card; the directory's record panel is
/// forwarded to the open directory, as the main window does.
class FakeCardHost : public CardHost {
public:
    explicit FakeCardHost(TDM_PUM& dm) : m_dm(dm) {}

    QPointer<TForm4> directory;
    int reloads = 0;
    int saveDisabled = 0;

    QString SignedInLogin() const override { return QStringLiteral("ivanova"); }
    QString Workstation() const override { return QStringLiteral("PC12\\10.0.0.7"); }
    void SetSaveEnabled(bool enabled) override { saveDisabled += enabled ? 0 : 1; }
    QVariant FamilyStatusKey() const override { return {}; }
    void SetFamilyStatusKey(const QVariant&) override {}
    void SetFamilyStatusLocked(bool) override {}
    void SetPensionerMark(bool) override {}
    void SetStatusText(const QString&) override {}
    bool DirectoryExists() const override { return !directory.isNull(); }
    void ShowDirectoryRecord(const QString& fullName, const QVariant& key) override
    {
        directory->ShowRecord(fullName, key);
    }
    void SetDirectoryRecordCaption(const QString& caption) override { directory->SetRecordCaption(caption); }
    void ReloadCard() override
    {
        ++reloads;
        CardStatements::LoadCard(m_dm, *this);
    }
    void ShowNoRightsWarning(const QString&, const QString&) override {}

private:
    TDM_PUM& m_dm;
};

/// The main window as the directory sees it: each call recorded by name.
class FakeDirectoryHost : public DirectoryHost {
public:
    FakeDirectoryHost(TDM_PUM& dm, FakeCardHost& card) : m_dm(dm), m_card(card) {}

    QStringList calls;
    QString statusText;
    QDateTime examinationDate;
    /// The card's answer before a search replaces the employees; unset = go ahead.
    std::function<bool()> settle;

    void LoadCard() override
    {
        calls << QStringLiteral("LoadCard");
        CardStatements::LoadCard(m_dm, m_card);
    }
    void OpenEmptyCard() override
    {
        calls << QStringLiteral("OpenEmptyCard");
        CardStatements::OpenEmptyCard(m_dm);
    }
    bool SettlePendingEdits() override
    {
        if (!settle)
            return true;
        calls << QStringLiteral("SettlePendingEdits");
        return settle();
    }
    void ShowFirstTab() override { calls << QStringLiteral("ShowFirstTab"); }
    void SetSaveEnabled(bool enabled) override
    {
        calls << (enabled ? QStringLiteral("SetSaveEnabled true") : QStringLiteral("SetSaveEnabled false"));
    }
    void EnableNewRecordAndSearch() override { calls << QStringLiteral("EnableNewRecordAndSearch"); }
    void ResetFormerSurname() override { calls << QStringLiteral("ResetFormerSurname"); }
    void SetCardSaved() override { calls << QStringLiteral("SetCardSaved"); }
    void SetStatusText(const QString& text) override
    {
        calls << QStringLiteral("SetStatusText");
        statusText = text;
    }
    void SetExaminationDate(const QDateTime& when) override
    {
        calls << QStringLiteral("SetExaminationDate");
        examinationDate = when;
    }
    QString SignedInLogin() const override { return m_card.SignedInLogin(); }
    QString Workstation() const override { return m_card.Workstation(); }
    void DirectoryClosed() override
    {
        calls << QStringLiteral("DirectoryClosed");
        m_card.directory = nullptr;
    }

private:
    TDM_PUM& m_dm;
    FakeCardHost& m_card;
};

}  // namespace zel::test
