#pragma once

#include "directory/CopyDeleteStatements.h"
#include "directory/DirectorySearch.h"

#include <QDialog>
#include <QVariant>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace zel {

class DirectoryHost;
class TDM_PUM;

namespace ui {
class DbGrid;
class GroupBox;
}  // namespace ui

/// The employee directory "Поиск": searches TEACHER by one name part and makes
/// the chosen row the current row of ADO_TEACHER, which the card follows. It
/// keeps no rows of its own: the grid shows DS_TEACHER.
///
/// A topmost tool window of the main window, not modal, fixed size. Collapsed it
/// shows the search part (client 401 x 441); expanded it also shows the record
/// panel right of x = 401. Closing (close button or close box) hands the chosen
/// employee over to the host and destroys the window (it deletes itself on close);
/// when loading the employee's examination list fails, the close is refused and
/// the error goes on to the default error display.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    /// Window width as the form states it (frame included): collapsed, expanded.
    static constexpr int kCollapsedWidth = 408;
    static constexpr int kExpandedWidth = 685;
    /// What the dialog frame adds to the client width.
    static constexpr int kFrameWidth = 7;
    static constexpr int kClientHeight = 441;

    /// dm and host are not owned and must outlive the window; parent is the main
    /// window (null = a free window, as in tests).
    TForm4(TDM_PUM& dm, DirectoryHost& host, QWidget* parent = nullptr);
    ~TForm4() override;

    ui::GroupBox* GroupBox1;  ///< "Введите ФИО для поиска:"
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QLineEdit* p26;
    QLineEdit* p27;
    QLineEdit* p28;
    QPushButton* BitBtn1;  ///< search, the default button
    ui::DbGrid* DBGridEh2;
    QPushButton* Button1;  ///< close
    QPushButton* BitBtn2;  ///< expand toggle
    ui::GroupBox* GroupBox2;  ///< record panel "Запись:"
    QLabel* Label9;

    /// The name part chosen now and the text of its box.
    DirectorySearch::Field SearchField() const;
    QString SearchText() const;

    bool Expanded() const { return m_expanded; }
    /// The window's width as the form states it: kCollapsedWidth or kExpandedWidth.
    int FormWidth() const { return width() + kFrameWidth; }

    /// The id_teacher the record panel carries; 0 until it is first filled.
    int RecordTag() const { return m_recordTag; }
    /// Shows an employee in the record panel: its full name and its key as tag.
    void ShowRecord(const QString& fullName, const QVariant& key);
    /// The record panel's frame caption.
    void SetRecordCaption(const QString& caption);
    /// Shows the current row of ADO_TEACHER in the record panel; nothing without rows.
    void FillRecordPanel();

    // -- copying and deleting employees (the expanded part; TForm4CopyDelete.cpp) --
    QPushButton* BitBtn3;  ///< "Удалить", in the record panel
    QPushButton* BitBtn5;  ///< "Удалить принудительно": opens PopupMenu1
    QMenu* PopupMenu1;
    QAction* N1;  ///< the forced delete
    QPushButton* BitBtn4;  ///< "Копировать"; enabled only while a copy target is chosen
    ui::GroupBox* GroupBox3;  ///< "Копировать на запись:"
    QLineEdit* Edit1;  ///< the copy target's full name
    QToolButton* SpeedButton3;  ///< clears the copy target; never shown

    /// The copy target's id_teacher; 0 = none.
    int CopyTargetTag() const { return m_copyTargetTag; }
    /// The screen point where the forced-delete menu opens.
    QPoint PopupPosition() const;

signals:
    /// A row of the grid was double-clicked; it is the current row of ADO_TEACHER.
    void GridRowDoubleClicked();

public slots:
    /// The search: replaces ADO_TEACHER's statement and opens it, then loads the
    /// card of the first match or shows an empty card. An error of the server
    /// propagates; ADO_TEACHER is then closed and the window stays.
    void BitBtn1Click();
    /// Expand toggle.
    void BitBtn2Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void DBGridEh2CellClick();
    /// Chooses the copy target (the row double-clicked).
    void DBGridEh2DblClick();
    /// Makes the current row of ADO_TEACHER the copy target.
    void ChooseCopyTarget();
    /// Empties the copy target and disables the copy button.
    void SpeedButton3Click();
    /// Copy: the current employee's data onto the copy target, after a question.
    /// A server error propagates; the target then stays chosen.
    void BitBtn4Click();
    /// Delete: the current employee, when the server finds nothing linked to it.
    void BitBtn3Click();
    /// Forced delete: the current employee with everything linked, unless a
    /// workload has been drawn up for it.
    void N1Click();
    /// Opens the forced-delete menu at PopupPosition().
    void BitBtn5Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* makeChoice(const QString& caption, int top);
    QLineEdit* makeBox(const QString& name, const QRect& geometry);
    void setClientWidth(int formWidth);
    void handOver();
    void buildCopyDeletePart();
    CopyDeleteStatements::Author author() const;
    void afterDeletion();
    void showDeleteFailure(const QString& serverText);

    TDM_PUM& m_dm;
    DirectoryHost& m_host;
    bool m_expanded = false;
    bool m_placed = false;
    int m_recordTag = 0;
    int m_copyTargetTag = 0;
};

}  // namespace zel
