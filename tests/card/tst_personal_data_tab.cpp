// The card's first tab, "Личная карточка", over the embedded demo database: what each
// control shows, Save arming, the previous surname and the INN check.
#include "TabChecks.h"

#include "card/AddressBlock.h"
#include "ui/DbLabel.h"
#include "ui/GroupBox.h"
#include "ui/PageControl.h"

#include <QCheckBox>
#include <QPushButton>

using namespace zel;
using cardtest::CardSession;

namespace {

const QString kInnMessage = QStringLiteral("Не до конца заполнен \"ИНН\".");

void showActive(CardSession& s)
{
    s.window->show();
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
}

int employeeWithPassport(CardSession& s)
{
    return s.scalar(QStringLiteral("select top 1 p.id_teacher from Passport p join TEACHER_info i"
                                   " on i.id_teacher = p.id_teacher where p.id_teacher <> 1 order by p.id_teacher"));
}

/// Types an INN into the edit as the user does, replacing what it held.
void typeInn(PersonalDataTab& t, const QString& inn)
{
    t.DBEdit18->setFocus();
    QTRY_VERIFY(t.DBEdit18->hasFocus());
    t.DBEdit18->selectAll();
    QTest::keyClick(t.DBEdit18, Qt::Key_Delete);
    cardtest::typeText(t.DBEdit18, inn);
}

}  // namespace

class PersonalDataTabTest : public QObject {
    Q_OBJECT
private slots:
    void aDemoEmployeeFillsTheTab()
    {
        CardSession s;
        const int key = cardtest::showRichestEmployee(s);
        s.window->PageControl1->showPage(0);
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
        QCOMPARE(s.tab().DBText4->text(), QString::number(key));
        QVERIFY(!s.tab().DBEdit1->text().isEmpty());
        QVERIFY(s.messages().isEmpty());
        cardtest::screenshot(s.window.get(), QStringLiteral("tab1-personal"));
    }

    void everyControlShowsItsField()
    {
        CardSession s;
        PersonalDataTab& t = s.tab();
        const TDataSource* master = &s.dm.DS_TEACHER;
        const TDataSource* info = &s.dm.DS_Teacher_2;
        const TDataSource* passport = &s.dm.DS_Passport;
        cardtest::checkBindings(&t, {
                                        {"DBEdit1", master, "P26", "  Фамилия:"},
                                        {"DBEdit37", info, "first_p26", nullptr},
                                        {"DBEdit38", info, "num_date_f_p26", "№ и Дата приказа:"},
                                        {"DBEdit2", master, "P27", "  Имя:"},
                                        {"DBEdit3", master, "P28", "  Отчество:"},
                                        {"DBDateTimeEditEh6", info, "D_b", "  Дата рождения:"},
                                        {"DBLookupComboBox16", info, "id_nationality", "  Национальность:"},
                                        {"DBLookupComboBox1", info, "id_pol", "  Пол:"},
                                        {"DBLookupComboBox17", info, "id_citizenship", "  Гражданство:"},
                                        {"DBLookupComboboxEh2", info, "id_soc_pr", "Соц. происхождение:"},
                                        {"DBLookupComboBox3", info, "id_Uch_Stepen", "  Ученая степень:"},
                                        {"DBLookupComboBox11", info, "id_Uch_zvanie", "  Ученое звание:"},
                                        {"DBEdit11", info, "Phone", " Телефон домашний:"},
                                        {"DBEdit4", info, "Phone_mobile", "  Телефон сотовый:"},
                                        {"DBEdit12", info, "Phon_w", "Телефон служебный:"},
                                        {"DBEdit16", passport, "S_p", "Серия:"},
                                        {"DBEdit17", passport, "N_p", "№:"},
                                        {"DBDateTimeEditEh2", passport, "D_given_p", "Дата выдачи:"},
                                        {"DBLookupComboboxEh3", passport, "id_passport_organ", "Кем выдан:"},
                                        {"DBEdit18", passport, "INN", "ИНН:"},
                                        {"DBCheckBox2", passport, "BessrochnyiPasport", "Бессрочный пасспорт:"},
                                        {"DBEdit21", info, "eMail", "e-mail:"},
                                        {"DBDateTimeEditEh7", info, "D_z", "Дата заполнения:"},
                                        {"DBEdit6", &s.dm.DS_place_leave, "Address", "Улица, №дома, кв.:"},
                                        {"DBEdit36", &s.dm.DS_PlaceResidence, "Address", "Улица, №дома, кв.:"},
                                    });
        cardtest::checkLookupList(t.DBLookupComboBox16, &s.dm.DS_nationality, "IDNationality", "Nationality");
        cardtest::checkLookupList(t.DBLookupComboBox1, &s.dm.DS_pol, "id_pol", "p17");
        cardtest::checkLookupList(t.DBLookupComboBox17, &s.dm.DS_cityzenship, "IDCitizenship", "Citizenship");
        cardtest::checkLookupList(t.DBLookupComboboxEh2, &s.dm.DS_Soc_pr, "id_soc_pr", "soc_status");
        cardtest::checkLookupList(t.DBLookupComboBox3, &s.dm.DS_Uch_step, "id_uch_stepen", "k5");
        cardtest::checkLookupList(t.DBLookupComboBox11, &s.dm.DS_uch_zvanie, "id_uch_zvanie", "k6");
        cardtest::checkLookupList(t.DBLookupComboboxEh3, &s.dm.DS_passport_organ, "IDMVD", "CodeMVD");
        const QList<std::pair<QPushButton*, const char*>> plus = {
            {t.Button11, "Button11"}, {t.Button10, "Button10"}, {t.Button3, "Button3"},
            {t.Button4, "Button4"},   {t.Button5, "Button5"},   {t.Button7, "Button7"},
        };
        for (const auto& [button, name] : plus) {
            QCOMPARE(button->objectName(), QString::fromLatin1(name));
            QCOMPARE(button->text(), QStringLiteral("+"));
        }
        QCOMPARE(t.PlaceOfBirth->button()->objectName(), QStringLiteral("BitBtn2"));
        QCOMPARE(t.PlaceLeave->button()->objectName(), QStringLiteral("BitBtn3"));
        QCOMPARE(t.PlaceResidence->button()->objectName(), QStringLiteral("BitBtn4"));
    }

    void clicksAndChangesArmSave()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithPassport(s));
        PersonalDataTab& t = s.tab();
        t.CheckBox1->setChecked(true);
        for (QWidget* control : std::initializer_list<QWidget*>{t.DBEdit11, t.DBEdit37, t.DBEdit21, t.DBEdit18,
                                                                t.DBLookupComboBox16, t.DBLookupComboBox1,
                                                                t.PlaceLeave->streetEdit()}) {
            s.window->SetSaveEnabled(false);
            QTest::mousePress(control, Qt::LeftButton, {}, QPoint(4, 4));
            QVERIFY2(s.window->Apply_Records_Btn->isEnabled(), qPrintable(control->objectName()));
            QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(4, 4));
            QApplication::processEvents();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        }
        // A date typed in the date editor arms it as well.
        s.dm.ADOQ_Teacher_2.Edit();
        s.window->SetSaveEnabled(false);
        t.DBDateTimeEditEh6->setFocus();
        t.DBDateTimeEditEh6->setCursorPosition(0);
        cardtest::typeText(t.DBDateTimeEditEh6, QStringLiteral("1"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(s.messages().isEmpty());
    }

    void theFormerSurnameGroupFollowsItsBox()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithPassport(s));
        PersonalDataTab& t = s.tab();
        QVERIFY(!t.GroupBox20->isEnabled());
        const QColor light = t.palette().color(QPalette::Midlight);
        QCOMPARE(t.DBEdit37->palette().color(QPalette::Base), light);

        QTest::mouseClick(t.CheckBox1, Qt::LeftButton, {}, QPoint(6, t.CheckBox1->height() / 2));
        QVERIFY(t.CheckBox1->isChecked());
        QVERIFY(t.GroupBox20->isEnabled());
        QCOMPARE(t.DBEdit37->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(t.DBEdit38->palette().color(QPalette::Base), QColor(Qt::white));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit37));

        QTest::mouseClick(t.CheckBox1, Qt::LeftButton, {}, QPoint(6, t.CheckBox1->height() / 2));
        QVERIFY(!t.GroupBox20->isEnabled());
        QCOMPARE(t.DBEdit37->palette().color(QPalette::Base), light);
        QCOMPARE(t.DBEdit38->palette().color(QPalette::Base), light);
    }

    void anIncompleteInnIsReportedOnLeavingEitherEdit()
    {
        CardSession s;
        showActive(s);
        const int key = employeeWithPassport(s);
        s.loadEmployee(key);
        PersonalDataTab& t = s.tab();
        const TField* inn = s.dm.ADOQ_Passport.FieldByName(QStringLiteral("INN"));
        QCOMPARE(inn->Size(), 12);

        // One character short, leaving by Enter into the e-mail edit.
        typeInn(t, QStringLiteral("12345678901"));
        cardtest::pressEnter(t.DBEdit18);
        QCOMPARE(s.messages(), QStringList{kInnMessage});
        QCOMPARE(s.dialogs.shown()[0].caption, QStringLiteral("Уведомление"));
        QCOMPARE(s.dialogs.shown()[0].icon, ui::DialogService::Icon::Warning);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit18));
        QCOMPARE(t.DBEdit18->cursorPosition(), 11);
        QVERIFY(!t.DBEdit18->hasSelectedText());
        QCOMPARE(inn->AsString(), QStringLiteral("12345678901"));

        // Every exit repeats it.
        t.DBEdit16->setFocus();
        QCOMPARE(s.messages().size(), 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit18));

        // Leaving the e-mail edit checks the INN too.
        s.dialogs.clear();
        t.DBEdit21->setFocus();
        QCOMPARE(s.messages(), QStringList{kInnMessage});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit18));
        s.dialogs.clear();

        // Twelve characters pass silently, from either edit.
        typeInn(t, QStringLiteral("123456789012"));
        t.DBEdit21->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit21));
        t.DBEdit4->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit4));
        QVERIFY(s.messages().isEmpty());

        // An emptied INN is NULL and passes too.
        typeInn(t, QString());
        t.DBEdit4->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit4));
        QVERIFY(inn->IsNull());
        QVERIFY(s.messages().isEmpty());
    }

    void anIncompleteInnIsReportedWhenTheEmailEditIsLeft()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithPassport(s));
        PersonalDataTab& t = s.tab();
        // Stored short by another program: the e-mail edit alone is visited.
        s.dm.ADOQ_Passport.Edit();
        s.dm.ADOQ_Passport.FieldByName(QStringLiteral("INN"))->SetAsString(QStringLiteral("1234"));
        s.dm.ADOQ_Passport.Post();
        t.DBEdit21->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit21));
        QVERIFY(s.messages().isEmpty());
        t.DBEdit4->setFocus();
        QCOMPARE(s.messages(), QStringList{kInnMessage});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit18));
        QCOMPARE(t.DBEdit18->cursorPosition(), 4);
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<PersonalDataTabTest>(argc, argv);
}

#include "tst_personal_data_tab.moc"
