#pragma once

#include "data/modules/CardHost.h"
#include "directory/DirectoryHost.h"

#include <QDialog>
#include <QImage>
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
class DictionaryShortcuts;
class CardTab;
class EducationTab;
class FamilyTab;
class HistoryLookups;
class LeaveTab;
class MedicalTab;
class MilitaryTab;
class PersonalDataTab;
class SignInBackend;
class TADOUpdateHistoryExec;
class TDataSet;
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
    /// False when the name check refused it (nothing posted).
    bool Apply_Records_BtnClick();
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

    /// Load photo: a JPEG file the user chooses is cut out in the photo window and
    /// stored in the employee's photo row, with its row in the audit log.
    void BitBtn1Click();
    /// Delete photo: after a question the stored picture becomes NULL; the row stays.
    void SpeedButton11Click();
    /// "Изменить ФИО": the surname, name and patronymic changed through TForm9 and
    /// saved by Save; nothing without a loaded employee or when the dialog is cancelled.
    void ChangeFIO_MClick();
    /// "История изменений": opens the change history of the loaded employee (nothing
    /// without one). The window is non-modal and deletes itself when closed.
    void History_MClick();
    /// Whether an employee with a key is loaded, not a new one being entered (the
    /// history item is enabled then).
    bool EmployeeLoaded() const;
    /// The dictionary-key fields the change history names, from the tabs' selector
    /// rows and the data module's lookup fields.
    HistoryLookups CardLookups() const;
    /// The dictionary buttons of the card and the windows they open.
    DictionaryShortcuts& Dictionaries() const { return *m_dictionaryShortcuts; }
    /// Entering the family-status chooser lets the next change of it through.
    void DBLookupComboboxEh1Enter();
    /// A change of the family-status chooser, unless locked: stores the status on
    /// the employee's relatives through the stored procedure, reloads the card and
    /// makes Save available.
    void DBLookupComboboxEh1Change();
    /// "Обновить": re-reads the relatives of the employee (pending edits are dropped).
    void RzBitBtn4Click();
    /// Report: opens the printable card of the current employee in the web browser,
    /// at the report server's address read from the settings row 22.
    void Button12Click();
    /// The statement that reads the report server's address.
    static QString ReportSettingsStatement();

    /// The names the unsaved-changes question gives the tabs.
    static QString TabName(int index);
    /// The unsaved-changes question about the tab at that index (Yes, No, Cancel).
    static QString UnsavedChangesQuestion(const QString& tabName);

    /// Before the card shows another employee or closes: posts what was typed through
    /// the tab change's road; a new employee whose name is missing cannot be posted,
    /// so the clerk is asked (Yes: Save, which names the missing part, and stay; No:
    /// drop the edits; Cancel: stay). False when the card must stay as it is.
    bool SettlePendingEdits() override;

    // -- addresses --
    /// Shows a modal window of the card and returns its result; empty = QDialog::exec.
    /// Tests answer the address picker and the address dictionary through it.
    std::function<int(QDialog&)> RunModal;
    /// The address picker over dataSet's current row. keyFields names its key columns in
    /// the order republic, region, district, city, village. On OK the five choices are
    /// written (an empty dataset gets a new row), the fixed keys 11, 300, 200, 2000
    /// standing for an empty region, district, city, village, and, when post is set,
    /// the row is posted through the change history. Cancel changes nothing.
    /// Returns whether OK was chosen.
    bool ChooseAddress(TDataSet& dataSet, const QStringList& keyFields, bool post);
    /// "Место рождения:", "Место жительства:", "Место прописки:": Save first, then the
    /// picker, unless the employee still has no key.
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    /// "Добавить в справочник": the address dictionary, modal, destroyed afterwards.
    void SpeedButton4Click();

    // -- frame --
    ui::ToolBar* ToolBar1;
    QToolButton* RzMenuButton3;
    QMenu* PopupMenu1;
    QAction* ChangeFIO_M;
    QAction* History_M;  ///< "История изменений"
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
    /// The audit log behind the change history; null when the history is.
    AuditLog* AuditTrail() const { return m_auditLog.get(); }
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
    /// The name check of Save on the texts the name edits show.
    bool namesComplete() const;
    QString currentTabName() const;
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
    void connectAddressActions();
    void chooseCardAddress(int button);
    int runModal(QDialog& dialog);
    void connectPhotoButtons();
    /// Decodes the JPEG file the user chooses; a null image when the dialog was cancelled.
    QImage LoadPhotoFile();
    void connectDictionaryActions();
    void wireReportButton();
    QAction* addHistoryItem(QMenu* menu);

    TDM_PUM& m_dm;
    std::unique_ptr<SignInBackend> m_signInBackend;
    std::unique_ptr<TADOUpdateHistoryExec> m_changeHistory;
    std::unique_ptr<AuditLog> m_auditLog;
    QPointer<TForm4> m_directory;
    DictionaryShortcuts* m_dictionaryShortcuts = nullptr;  ///< a child of the window
};

}  // namespace zel
