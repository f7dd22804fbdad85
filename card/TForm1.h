#pragma once

#include "data/modules/CardHost.h"
#include "directory/DirectoryHost.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QCheckBox;
class QMenu;
class QTimer;
class QToolButton;

namespace zel {

class AdditionalTab;
class AuditLog;
class CardTab;
class EducationTab;
class FamilyTab;
class LeaveTab;
class MedicalTab;
class MilitaryTab;
class PersonalDataTab;
class SignInBackend;
class TADOUpdateHistoryExec;
class TDM;
class TDM_PUM;
class TForm4;
class WorkTab;

namespace ui {
class DatePicker;
class DbLookupComboBox;
class FlatButton;
class PageControl;
class TextStatusBar;
class ToolBar;
}  // namespace ui

/// The employee card window, the program's main window: the card of the current
/// employee of ADO_TEACHER on eight tabs, the tool bar with Save, Search, New record
/// and Cancel, and the status bar with the employee's full name.
///
/// Its creation runs the sign-in: the window exists even when the sign-in is
/// cancelled, but it is shown only after a successful one. It is the data module's
/// card host (the posting rules reach the window only through that interface) and
/// the directory's host. Closing it ends the program.
class TForm1 : public QMainWindow, public CardHost, public DirectoryHost {
    Q_OBJECT
public:
    using SignInFactory = std::function<std::unique_ptr<QDialog>(SignInBackend&)>;

    /// dm is not owned and outlives the window. createSignInWindow replaces
    /// the sign-in window (tests); empty = TForm8.
    explicit TForm1(TDM_PUM& dm, SignInFactory createSignInWindow = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    /// The login and password as typed at sign-in, kept for the whole run.
    QString UserLogin;
    QString UserPassword;
    /// The workstation's name, read once at start-up (at most 100 characters).
    QString ComputerName;
    /// The employee shown exists in the database.
    bool CardSaved = false;
    /// While set, a change of the family-status chooser is not acted upon.
    bool FamilyStatusLocked = false;

    // -- card operations --
    void LoadCard() override;
    void OpenEmptyCard() override;
    /// Save: the master row first, then every pending section; reloads the card.
    void Apply_Records_BtnClick();
    /// Cancel: drops the pending edits of the list sections and the personal data.
    void Cancel_Records_BtnClick();
    /// New record: an empty card whose surname, name and patronymic can be typed.
    void SpeedButton2Click();
    /// Search: opens the directory window (or shows the one that is open).
    void SpeedButton1Click();
    /// Posts every section holding unposted changes, without the change history.
    void PostModifiedSections();
    /// Guard before a user tab change; false refuses it.
    bool PageControl1Changing(int leaving);
    /// After a user tab change: posts, saves and reloads the card.
    void PageControl1Change();

    /// Entering the family-status chooser lets the next change of it through.
    void DBLookupComboboxEh1Enter();
    /// A change of the family-status chooser, unless locked: stores the status on
    /// the employee's relatives through the stored procedure, reloads the card and
    /// makes Save available.
    void DBLookupComboboxEh1Change();
    /// "Обновить": re-reads the relatives of the employee (pending edits are dropped).
    void RzBitBtn4Click();

    /// The names the unsaved-changes question gives the tabs.
    static QString TabName(int index);

    // -- frame --
    ui::ToolBar* ToolBar1;
    QToolButton* RzMenuButton3;
    QMenu* PopupMenu1;
    QAction* ChangeFIO_M;
    ui::FlatButton* SpeedButton4;
    ui::FlatButton* Apply_Records_Btn;
    ui::FlatButton* SpeedButton1;
    ui::FlatButton* SpeedButton2;
    ui::FlatButton* Cancel_Records_Btn;
    ui::PageControl* PageControl1;
    PersonalDataTab* TabSheet1;
    FamilyTab* TabSheet2;
    WorkTab* TabSheet3;
    AdditionalTab* TabSheet4;
    LeaveTab* TabSheet5;
    MilitaryTab* TabSheet6;
    EducationTab* TabSheet7;
    MedicalTab* TabSheet8;
    ui::TextStatusBar* StatusBar1;
    QTimer* Timer1;
    /// Hidden mark on "Доп. сведения": the employee has a pension row.
    QCheckBox* PensionerCheckBox;
    /// The family-status chooser of the relatives tab (not bound to a field).
    ui::DbLookupComboBox* DBLookupComboboxEh1;
    /// The date of a new medical examination, on "Медосмотр".
    ui::DatePicker* DateTimePicker1;

    /// The directory window while it exists.
    TForm4* Directory() const;
    /// The change history; null before the start-up and after closing.
    TADOUpdateHistoryExec* ChangeHistory() const { return m_changeHistory.get(); }
    /// The second data module DM, created after the sign-in; not owned. The
    /// education tab's post-graduate documents are bound to it.
    void SetDocumentsModule(TDM* documents);

    // -- CardHost --
    QString SignedInLogin() const override { return UserLogin; }
    QString Workstation() const override;
    void SetSaveEnabled(bool enabled) override;
    QVariant FamilyStatusKey() const override;
    void SetFamilyStatusKey(const QVariant& key) override;
    void SetFamilyStatusLocked(bool locked) override;
    void SetPensionerMark(bool pensioner) override;
    void SetStatusText(const QString& text) override;
    bool DirectoryExists() const override;
    void ShowDirectoryRecord(const QString& fullName, const QVariant& key) override;
    void SetDirectoryRecordCaption(const QString& caption) override;
    void ReloadCard() override { LoadCard(); }
    void ShowNoRightsWarning(const QString& text, const QString& caption) override;

    // -- DirectoryHost --
    void ShowFirstTab() override;
    void EnableNewRecordAndSearch() override;
    void ResetFormerSurname() override;
    void SetCardSaved() override { CardSaved = true; }
    void SetExaminationDate(const QDateTime& when) override;
    void DirectoryClosed() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildToolBar();
    void buildPages();
    /// Adds a page; its Save arming and its grids' leaving reach the window.
    template <typename Tab>
    Tab* addCardTab(Tab* tab, const QString& caption);
    void connectFamilyStatus();
    /// Shows the status stored on the current relative without acting on the change.
    void showStoredFamilyStatus();
    void FormCreate(const SignInFactory& createSignInWindow);
    bool runSignInWindow(const SignInFactory& createSignInWindow);
    void prepareEmptyCard();
    void centreOnScreen();
    void setUpChangeHistory();
    void Timer1Timer();

    TDM_PUM& m_dm;
    std::unique_ptr<SignInBackend> m_signInBackend;
    std::unique_ptr<TADOUpdateHistoryExec> m_changeHistory;
    std::unique_ptr<AuditLog> m_auditLog;
    QPointer<TForm4> m_directory;
};

}  // namespace zel
