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

class AuditLog;
class DictionaryShortcuts;
class PersonalDataTab;
class SignInBackend;
class TADOUpdateHistoryExec;
class TDataSet;
class TDM_PUM;
class TForm4;

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
    /// The dictionary buttons of the card and the windows they open.
    DictionaryShortcuts& Dictionaries() const { return *m_dictionaryShortcuts; }

    /// The names the unsaved-changes question gives the tabs.
    static QString TabName(int index);

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
    ui::TextStatusBar* StatusBar1;
    QTimer* Timer1;
    /// Hidden mark: the employee has a pension row.
    QCheckBox* PensionerCheckBox;
    /// The family-status chooser of the relatives tab (not bound to a field).
    ui::DbLookupComboBox* DBLookupComboboxEh1;
    /// The date of a new medical examination.
    ui::DatePicker* DateTimePicker1;

    /// The directory window while it exists.
    TForm4* Directory() const;
    /// The change history; null before the start-up and after closing.
    TADOUpdateHistoryExec* ChangeHistory() const { return m_changeHistory.get(); }
    /// The audit log behind the change history; null when the history is.
    AuditLog* AuditTrail() const { return m_auditLog.get(); }

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
    QAction* addHistoryItem(QMenu* menu);

    TDM_PUM& m_dm;
    std::unique_ptr<SignInBackend> m_signInBackend;
    std::unique_ptr<TADOUpdateHistoryExec> m_changeHistory;
    std::unique_ptr<AuditLog> m_auditLog;
    QPointer<TForm4> m_directory;
    DictionaryShortcuts* m_dictionaryShortcuts = nullptr;  ///< a child of the window
};

}  // namespace zel
