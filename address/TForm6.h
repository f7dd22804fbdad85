#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace zel {

class TDataSet;
class TDM_PUM;

namespace ui {
class DbLookupComboBox;
}

/// The address dictionary "Справочник": adds a republic, a region of a republic, a
/// district of a region, and a city or a village of a district. It only adds; it never
/// renames, hides or deletes.
///
/// While the window is open the republic, region, district, city and village lists of
/// the data module offer visible rows only, and choosing a row narrows the list below
/// to the chosen parent. A new place is inserted with visible set, and the two card
/// lists of its level are read again so that the card resolves the new name at once.
/// A place without its parent or a name of blanks only is refused with a notice.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window. Switches the visible-only filters on.
    explicit TForm6(TDM_PUM& dm, QWidget* parent = nullptr);
    /// Switches the filters off when the window was never closed.
    ~TForm6() override;

    // -- republic row --
    QLabel* Label1;
    ui::DbLookupComboBox* DBLookupComboBox1;
    QToolButton* SpeedButton10;
    QWidget* Panel5;
    QLineEdit* Edit5;
    QToolButton* SpeedButton9;
    // -- region row --
    QLabel* Label2;
    ui::DbLookupComboBox* DBLookupComboBox13;
    QToolButton* SpeedButton5;
    QWidget* Panel1;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1;
    // -- district row --
    QLabel* Label3;
    ui::DbLookupComboBox* DBLookupComboBox14;
    QToolButton* SpeedButton6;
    QWidget* Panel2;
    QLineEdit* Edit2;
    QToolButton* SpeedButton2;
    // -- city row --
    QRadioButton* RadioButton3;
    ui::DbLookupComboBox* DBLookupComboBox15;
    QToolButton* SpeedButton7;
    QWidget* Panel3;
    QLineEdit* Edit3;
    QToolButton* SpeedButton3;
    // -- village row --
    QRadioButton* RadioButton4;
    ui::DbLookupComboBox* DBLookupComboBox16;
    QToolButton* SpeedButton8;
    QWidget* Panel4;
    QLineEdit* Edit4;
    QToolButton* SpeedButton4;

    // -- choosing --
    /// Republic chosen: the region list offers its visible regions.
    void DBLookupComboBox1Click();
    /// Region chosen: the district list offers its visible districts.
    void DBLookupComboBox13Click();
    /// District chosen: both lower lists offer its visible places, in city mode.
    void DBLookupComboBox14Click();
    void RadioButton3Click();
    void RadioButton4Click();
    /// Any toggle pressed: the add panel of the toggle that is down is the one shown.
    void SpeedButton6Click();

    // -- saving: each inserts one place from its text box --
    void SpeedButton9Click();  ///< republic
    void SpeedButton1Click();  ///< region, after a question
    void SpeedButton2Click();  ///< district
    void SpeedButton3Click();  ///< city
    void SpeedButton4Click();  ///< village

    /// The notices of a refused place.
    static QString BlankNameText();
    static QString MissingParentText(int level);

    /// Levels of the hierarchy, top down.
    enum Level { Republic, Region, District, City, Village, LevelCount };

protected:
    void done(int result) override;

private:
    struct NewPlace;

    void buildRows();
    void FormCreate();
    void FormClose();
    /// Filters list to its visible rows under the parent key (none for the republics).
    static void narrow(TDataSet& list, const char* parentField, const QVariant& parentKey);
    void savePlace(const NewPlace& place);

    TDM_PUM& m_dm;
    QButtonGroup* m_toggles;
    bool m_closed = false;
};

}  // namespace zel
