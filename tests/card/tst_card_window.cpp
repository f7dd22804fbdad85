// The card window over the embedded demo database: sign-in, directory, loading,
// saving with its audit rows, new employees, the tab guards, Cancel and Enter.
#include "CardSession.h"

#include "data/DbError.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "signin/BuildInfo.h"
#include "signin/WorkstationIdentity.h"
#include "card/AddressBlock.h"
#include "ui/DatePicker.h"
#include "ui/DbDateEdit.h"
#include "ui/DbImage.h"
#include "ui/GroupBox.h"
#include "ui/DbEdit.h"
#include "ui/DbLabel.h"
#include "ui/FlatButton.h"
#include "ui/LabelPanel.h"
#include "ui/PageControl.h"
#include "ui/TextStatusBar.h"
#include "ui/ToolBar.h"

#include <QCheckBox>
#include <QToolButton>

using namespace zel;
using cardtest::CardSession;
using Answer = ui::DialogService::Answer;

namespace {

const QString kNameMessage = QStringLiteral("Значение ФИО должны быть заполнены корректно!");
const QString kMustSave = QStringLiteral("Вы должны сохранить личную информацию о студенте.");

QString fullNameOf(const TDM_PUM& dm)
{
    const TADOQuery& m = dm.ADO_TEACHER;
    return m.FieldByName(QStringLiteral("p26"))->AsString() + u' ' + m.FieldByName(QStringLiteral("p27"))->AsString()
        + u' ' + m.FieldByName(QStringLiteral("p28"))->AsString();
}

}  // namespace

// -- sign-in, directory, search and loading --

class CardSearchTest : public QObject {
    Q_OBJECT
private slots:
    void signInLeavesAnEmptyCardAndTheDirectoryInFront()
    {
        CardSession s;
        QVERIFY(!ZelApplication::instance()->Terminated());
        QCOMPARE(s.window->UserLogin, QStringLiteral("ivanova"));
        QVERIFY(!s.window->CardSaved);
        QVERIFY(s.directory());
        QVERIFY(s.directory()->isVisible());
        QVERIFY(!s.window->SpeedButton1->isEnabled());
        QVERIFY(s.window->Timer1->isActive());
        QTRY_VERIFY(!s.window->Timer1->isActive());
        // Nothing loaded: every section open with its columns and no row.
        QVERIFY(s.dm.ADO_TEACHER.Active());
        QVERIFY(s.dm.ADO_TEACHER.IsEmpty());
        QVERIFY(s.dm.ADOQ_Teacher_2.Active());
        QVERIFY(s.dm.ADOQ_Teacher_2.IsEmpty());
        QVERIFY(s.dm.ADOQ_Passport.Active());
        QVERIFY(s.tab().DBText4->text().isEmpty());
        QVERIFY(s.tab().DBEdit1->text().isEmpty());
        QVERIFY(s.window->ChangeHistory());
        QVERIFY(!s.window->ComputerName.isEmpty());
    }

    void searchListsMatchesAndLoadsTheFirstCard()
    {
        CardSession s;
        s.search(QStringLiteral("ов"));
        TADOQuery& master = s.dm.ADO_TEACHER;
        QVERIFY(master.RecordCount() > 1);

        // The same employees the server finds on its own, in full-name order.
        const auto expected = s.rows(QStringLiteral(
            "select id_teacher from TEACHER where p26 like N'%ов%' and id_teacher <> 1 order by p26, p27, p28"));
        QCOMPARE(master.RecordCount(), int(expected.size()));
        QStringList listed;
        const int firstKey = master.FieldByName(QStringLiteral("id_teacher"))->AsInteger();
        const QString firstName = fullNameOf(s.dm);
        for (master.First(); !master.Eof(); master.Next())
            listed << master.FieldByName(QStringLiteral("id_teacher"))->AsString();
        QStringList server;
        for (const auto& row : expected)
            server << row.front();
        QCOMPARE(listed, server);
        QVERIFY(!listed.contains(QStringLiteral("1")));

        master.First();
        QCOMPARE(s.tab().DBText4->text(), QString::number(firstKey));
        QCOMPARE(s.window->StatusBar1->text(), firstName);
        QCOMPARE(s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("id_teacher"))->AsInteger(), firstKey);
        QCOMPARE(s.tab().DBEdit1->text(), master.FieldByName(QStringLiteral("p26"))->AsString());
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
        QCOMPARE(s.directory()->RecordTag(), firstKey);

        // Moving through the list moves the card.
        master.Next();
        const int secondKey = master.FieldByName(QStringLiteral("id_teacher"))->AsInteger();
        QCOMPARE(s.tab().DBText4->text(), QString::number(secondKey));
        QCOMPARE(s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("id_teacher"))->AsInteger(), secondKey);
        QCOMPARE(s.directory()->GroupBox2->title(), QStringLiteral("Запись - %1").arg(secondKey));
    }

    void aQuoteInTheSearchTextIsSearchedFor()
    {
        CardSession s;
        s.search(QStringLiteral("Д'Арк"));
        QVERIFY(s.dm.ADO_TEACHER.Active());
        QVERIFY(s.dm.ADO_TEACHER.IsEmpty());
        QVERIFY(s.messages().isEmpty());
    }

    void closingTheDirectoryHandsTheEmployeeOver()
    {
        CardSession s;
        s.search(QStringLiteral("ов"));
        const QString key = s.tab().DBText4->text();
        const QString name = fullNameOf(s.dm);
        s.window->PageControl1->showPage(3);
        s.directory()->close();
        QVERIFY(!s.window->Directory());
        QVERIFY(s.window->CardSaved);
        QCOMPARE(s.window->StatusBar1->text(), name);
        QCOMPARE(s.dm.ADOQ_teacher_medosmotr.SQL(),
                 QStringLiteral("Select * From teacher_medosmotr WHERE id_teacher =") + key
                     + QStringLiteral(" ORDER BY id_teacher_medosmotr"));
        QVERIFY(s.dm.ADOQ_teacher_medosmotr.Active());
        QVERIFY(s.window->SpeedButton1->isEnabled());
        QVERIFY(s.window->SpeedButton2->isEnabled());
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
        QVERIFY(s.window->DateTimePicker1->dateTime().secsTo(QDateTime::currentDateTime()) < 60);

        // Opening again makes a new, collapsed directory.
        s.window->SpeedButton1->click();
        QVERIFY(s.directory());
        QVERIFY(!s.directory()->Expanded());
        QVERIFY(s.directory()->p26->text().isEmpty());
        QVERIFY(!s.window->SpeedButton1->isEnabled());
    }

    void anEmptyResultGivesAnEmptyCardAndClosingLeavesTheCardAlone()
    {
        CardSession s;
        s.search(QStringLiteral("ов"));
        const QString status = s.window->StatusBar1->text();
        const QString examinations = s.dm.ADOQ_teacher_medosmotr.SQL();
        s.search(QStringLiteral("Щщщъъъ"));
        QVERIFY(s.dm.ADO_TEACHER.IsEmpty());
        QVERIFY(s.dm.ADOQ_Teacher_2.Active());
        QVERIFY(s.dm.ADOQ_Teacher_2.IsEmpty());
        QVERIFY(s.dm.ADOQ_Passport.IsEmpty());
        QVERIFY(s.tab().DBText4->text().isEmpty());
        QVERIFY(s.tab().DBEdit11->text().isEmpty());

        s.window->SpeedButton2->setEnabled(false);
        s.directory()->close();
        QVERIFY(!s.window->Directory());
        QVERIFY(!s.window->CardSaved);
        QCOMPARE(s.window->StatusBar1->text(), status);
        QCOMPARE(s.dm.ADOQ_teacher_medosmotr.SQL(), examinations);
        QVERIFY(s.window->SpeedButton1->isEnabled());
        QVERIFY(s.window->SpeedButton2->isEnabled());
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
    }

    void aNewCardDoesNotCarryThePreviousPensionOver()
    {
        CardSession s;
        const int pensioner = s.scalar(QStringLiteral("select top 1 id_teacher from Pensioners where id_teacher <> 1"));
        QVERIFY(pensioner > 1);
        s.loadEmployee(pensioner);
        QVERIFY(s.window->PensionerCheckBox->isChecked());
        QVERIFY(!s.dm.ADOQPensioner.IsEmpty());

        s.window->SpeedButton2->click();
        QVERIFY(s.dm.ADOQPensioner.Active());
        QVERIFY(s.dm.ADOQPensioner.IsEmpty());
        QVERIFY(!s.window->PensionerCheckBox->isChecked());
    }
};

// -- saving, the audit trail, new employees, guards and Cancel --

class CardSavingTest : public QObject {
    Q_OBJECT

    static int lastLogId(CardSession& s) { return s.scalar(QStringLiteral("select isnull(max(id_log), 0) from ZEL_LOG")); }

private slots:
    void savingAChangedFieldWritesOneAuditRowPerField()
    {
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral(
            "select top 1 t.id_teacher from TEACHER t join TEACHER_info i on i.id_teacher = t.id_teacher"
            " where t.id_teacher <> 1 and i.Phone is not null and i.phone_mobile is not null"));
        s.loadEmployee(key);
        TADOQuery& info = s.dm.ADOQ_Teacher_2;
        const QString oldPhone = info.FieldByName(QStringLiteral("Phone"))->AsString();
        const QString oldMobile = info.FieldByName(QStringLiteral("phone_mobile"))->AsString();
        const QString infoKey = info.FieldByName(QStringLiteral("id_teacher_info"))->AsString();
        const int before = lastLogId(s);

        // The mobile number first: the log follows the field order, not the typing order.
        QTest::mouseClick(s.tab().DBEdit4, Qt::LeftButton);
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        s.tab().DBEdit4->selectAll();
        cardtest::typeText(s.tab().DBEdit4, QStringLiteral("0555 12-34-56"));
        QTest::mouseClick(s.tab().DBEdit11, Qt::LeftButton);
        s.tab().DBEdit11->selectAll();
        cardtest::typeText(s.tab().DBEdit11, QStringLiteral("O'Brien 1"));
        s.window->Apply_Records_Btn->click();

        const auto logged = s.rows(QStringLiteral("select [table], row_id, descr, ZEL_User, comp from ZEL_LOG"
                                                  " where id_log > %1 order by id_log").arg(before));
        const QString workstation = s.window->ComputerName + u'\\' + WorkstationIdentity::ipAddress();
        QCOMPARE(logged.size(), 2);
        QCOMPARE(logged[0], (QStringList{QStringLiteral("Teacher_info"), infoKey,
                                         QStringLiteral("Поле \"Phone\" изменило значение \"%1\" на \"O'Brien 1\".")
                                             .arg(oldPhone),
                                         QStringLiteral("ivanova"), workstation}));
        QCOMPARE(logged[1][2], QStringLiteral("Поле \"phone_mobile\" изменило значение \"%1\" на \"0555 12-34-56\".")
                                   .arg(oldMobile));
        QCOMPARE(s.rows(QStringLiteral("select Phone from TEACHER_info where id_teacher_info = ") + infoKey)[0][0],
                 QStringLiteral("O'Brien 1"));
        // Saved and reloaded: nothing pending, nothing asked.
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        QCOMPARE(info.State(), dsBrowse);
        QVERIFY(s.messages().isEmpty());

        // Saving again with nothing pending writes nothing.
        s.window->Apply_Records_BtnClick();
        QCOMPARE(lastLogId(s), before + 2);
        QVERIFY(s.messages().isEmpty());
    }

    void aNewEmployeeIsSavedWithTheSectionsTypedBeforehand()
    {
        CardSession s;
        s.window->show();
        const int before = lastLogId(s);
        s.window->SpeedButton2->click();
        QVERIFY(!s.window->Directory());
        QVERIFY(s.window->SpeedButton1->isEnabled());
        QVERIFY(!s.window->CardSaved);
        QVERIFY(s.window->StatusBar1->text().isEmpty());
        QVERIFY(!s.tab().DBEdit1->isReadOnly());
        QVERIFY(s.dm.ADO_TEACHER.IsEmpty());

        // A surname never starts with a blank.
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral(" "));
        QCOMPARE(s.messages(), QStringList{QStringLiteral("1-я буква не должна быть пробелом!")});
        QVERIFY(s.tab().DBEdit1->text().isEmpty());
        s.dialogs.clear();

        QTest::mouseClick(s.tab().DBEdit1, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral("О'Коннор"));
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsInsert);
        QTest::mouseClick(s.tab().DBEdit2, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit2, QStringLiteral("Жанна"));
        QTest::mouseClick(s.tab().DBEdit16, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit16, QStringLiteral("AK"));
        QTest::mouseClick(s.tab().DBEdit11, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit11, QStringLiteral("22-33-44"));
        s.window->Apply_Records_Btn->click();

        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().front().text, QStringLiteral("Сохранено"));
        QVERIFY(s.dialogs.shown().front().caption.isEmpty());
        const QString key = s.tab().DBText4->text();
        QVERIFY(key.toInt() > 1);
        QCOMPARE(s.rows(QStringLiteral("select p26, p27, ZEL_User from TEACHER where id_teacher = ") + key),
                 (QList<QStringList>{{QStringLiteral("О'Коннор"), QStringLiteral("Жанна"), QStringLiteral("ivanova")}}));
        QCOMPARE(s.rows(QStringLiteral("select S_p, ZEL_User from Passport where id_teacher = ") + key),
                 (QList<QStringList>{{QStringLiteral("AK"), QStringLiteral("ivanova")}}));
        QCOMPARE(s.rows(QStringLiteral("select Phone from TEACHER_info where id_teacher = ") + key),
                 (QList<QStringList>{{QStringLiteral("22-33-44")}}));
        // Inserted rows are never compared.
        QCOMPARE(lastLogId(s), before);
        QVERIFY(s.tab().DBEdit1->isReadOnly());
        QVERIFY(s.window->CardSaved);
        QCOMPARE(s.window->StatusBar1->text(), QStringLiteral("О'Коннор Жанна "));
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void theNameCheckAndTheTabChangeQuestion()
    {
        CardSession s;
        s.window->SpeedButton2Click();
        s.window->Apply_Records_BtnClick();
        QCOMPARE(s.messages(), QStringList{kNameMessage});
        QVERIFY(s.window->CardSaved);

        // CardSaved is set now: no question, but the change saves, fails the check
        // and goes back to the first tab.
        s.dialogs.clear();
        QVERIFY(s.window->PageControl1->userSelect(1));
        QCOMPARE(s.messages(), (QStringList{kNameMessage, kMustSave}));
        QCOMPARE(s.dialogs.shown().back().icon, ui::DialogService::Icon::Warning);
        QCOMPARE(s.dialogs.shown().back().caption, QStringLiteral("Уведомление"));
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);

        // A new card without a directory asks; Cancel keeps the tab.
        s.window->SpeedButton2Click();
        s.dialogs.clear();
        s.dialogs.queueAnswer(Answer::Cancel);
        QVERIFY(!s.window->PageControl1->userSelect(2));
        QCOMPARE(s.dialogs.shown().size(), 1);
        const auto question = s.dialogs.shown().front();
        QCOMPARE(question.text, QStringLiteral("Вы сделали изменения на вкладкe \"Личная карточка\",и не сохранили"
                                               " эти изменения.\rВы хотите сохранить эти изменения-?"));
        QCOMPARE(question.caption, QStringLiteral("Уведомление"));
        QCOMPARE(question.buttons, ui::DialogService::Buttons::YesNoCancel);
        QCOMPARE(question.icon, ui::DialogService::Icon::Question);
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
        QVERIFY(!s.window->CardSaved);

        // No: Cancel runs and the change goes ahead, then the save refuses the empty name.
        s.dialogs.clear();
        s.dialogs.queueAnswer(Answer::No);
        QVERIFY(s.window->PageControl1->userSelect(2));
        QCOMPARE(s.messages().mid(1), (QStringList{kNameMessage, kMustSave}));
        QVERIFY(s.tab().DBEdit1->isReadOnly());
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);

        // The question is never asked while the directory is open.
        s.window->SpeedButton2Click();
        s.window->SpeedButton1Click();
        s.dialogs.clear();
        s.window->PageControl1->userSelect(1);
        for (const QString& text : s.messages())
            QVERIFY(!text.startsWith(QStringLiteral("Вы сделали")));
    }

    void answeringYesSavesTheNewEmployeeAndTheTabChanges()
    {
        CardSession s;
        s.window->show();
        s.window->SpeedButton2Click();
        QTest::mouseClick(s.tab().DBEdit1, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral("Ёлкина"));
        QTest::mouseClick(s.tab().DBEdit2, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit2, QStringLiteral("Анна"));
        s.dialogs.queueAnswer(Answer::Yes);
        QVERIFY(s.window->PageControl1->userSelect(1));
        QCOMPARE(s.messages().size(), 2);
        QVERIFY(s.messages()[0].startsWith(QStringLiteral("Вы сделали изменения")));
        QCOMPARE(s.messages()[1], QStringLiteral("Сохранено"));
        QCOMPARE(s.window->PageControl1->currentIndex(), 1);
        const QString key = s.tab().DBText4->text();
        QCOMPARE(s.rows(QStringLiteral("select p26, p27 from TEACHER where id_teacher = ") + key),
                 (QList<QStringList>{{QStringLiteral("Ёлкина"), QStringLiteral("Анна")}}));
    }

    void aRefusedPostKeepsTheEditAndSaveStaysAvailable()
    {
        CardSession s(QStringLiteral("petrov"));
        QVERIFY(!ZelApplication::instance()->Terminated());
        s.window->show();
        const int key = s.scalar(QStringLiteral("select top 1 id_teacher from Passport where id_teacher <> 1"));
        s.loadEmployee(key);
        const QString series = s.tab().DBEdit16->text();
        QTest::mouseClick(s.tab().DBEdit16, Qt::LeftButton);
        s.tab().DBEdit16->selectAll();
        cardtest::typeText(s.tab().DBEdit16, QStringLiteral("QQ"));
        QVERIFY_THROWS_EXCEPTION(DbError, s.window->Apply_Records_BtnClick());
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsEdit);
        QCOMPARE(s.tab().DBEdit16->text(), QStringLiteral("QQ"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        QCOMPARE(s.rows(QStringLiteral("select S_p from Passport where id_teacher = %1").arg(key))[0][0], series);
        // The change history let go of the refused section.
        QVERIFY(!s.window->ChangeHistory()->DataSet());
    }

    void aTabChangeSavesTheLoadedCard()
    {
        CardSession s;
        s.window->show();
        s.search(QStringLiteral("ов"));
        const QString infoKey = s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("id_teacher_info"))->AsString();
        QTest::mouseClick(s.tab().DBEdit12, Qt::LeftButton);
        s.tab().DBEdit12->selectAll();
        cardtest::typeText(s.tab().DBEdit12, QStringLiteral("11-22"));
        QVERIFY(s.window->PageControl1->userSelect(1));
        QCOMPARE(s.window->PageControl1->currentIndex(), 1);
        QCOMPARE(s.rows(QStringLiteral("select Phon_w from TEACHER_info where id_teacher_info = ") + infoKey)[0][0],
                 QStringLiteral("11-22"));
        QCOMPARE(s.dm.ADOQ_Teacher_2.State(), dsBrowse);
        QVERIFY(s.messages().isEmpty());
    }

    void cancelKeepsThePassportEditPending()
    {
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral(
            "select top 1 p.id_teacher from Passport p join TEACHER_info i on i.id_teacher = p.id_teacher"
            " where p.id_teacher <> 1"));
        s.loadEmployee(key);
        const QString oldPhone = s.tab().DBEdit11->text();
        QTest::mouseClick(s.tab().DBEdit16, Qt::LeftButton);
        s.tab().DBEdit16->selectAll();
        cardtest::typeText(s.tab().DBEdit16, QStringLiteral("XZ"));
        QTest::mouseClick(s.tab().DBEdit11, Qt::LeftButton);
        s.tab().DBEdit11->selectAll();
        cardtest::typeText(s.tab().DBEdit11, QStringLiteral("99"));
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsEdit);
        QCOMPARE(s.dm.ADOQ_Teacher_2.State(), dsEdit);

        s.window->Cancel_Records_Btn->click();
        QCOMPARE(s.dm.ADOQ_Teacher_2.State(), dsBrowse);
        QCOMPARE(s.tab().DBEdit11->text(), oldPhone);
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsEdit);
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());

        s.window->Apply_Records_Btn->click();
        QCOMPARE(s.rows(QStringLiteral("select S_p from Passport where id_teacher = %1").arg(key))[0][0],
                 QStringLiteral("XZ"));
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsBrowse);
    }
};

// -- the frame, the first tab's controls and Enter, closing --

class CardFrameTest : public QObject {
    Q_OBJECT
private slots:
    void frameHasItsFixedSizeToolBarTabsAndStatusBar()
    {
        CardSession s;
        TForm1& w = *s.window;
        QVERIFY(w.windowTitle().startsWith(program::title()));
        QCOMPARE(w.size(), QSize(913, 718));
        w.resize(1000, 800);
        QCOMPARE(w.size(), QSize(913, 718));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.ToolBar1->height(), 35);

        QCOMPARE(w.RzMenuButton3->text(), QStringLiteral("Данные"));
        QCOMPARE(w.ChangeFIO_M->text(), QStringLiteral("Изменить ФИО"));
        const QList<std::pair<ui::FlatButton*, QString>> hints = {
            {w.SpeedButton4, QStringLiteral("Добавить в справочник")},
            {w.Apply_Records_Btn, QStringLiteral("Сохранить запись")},
            {w.SpeedButton1, QStringLiteral("Поиск")},
            {w.SpeedButton2, QStringLiteral("Новая запись")},
        };
        for (const auto& [button, hint] : hints) {
            QCOMPARE(button->toolTip(), hint);
            QCOMPARE(button->size(), QSize(96, 24));
        }
        QCOMPARE(w.Cancel_Records_Btn->hint(), QStringLiteral("Отменить запись"));
        QVERIFY(w.Cancel_Records_Btn->toolTip().isEmpty());

        const QStringList tabs = {"Личная карточка", "Семейное положение", "Трудовая деятельность", "Доп. сведения",
                                  "Отпуск", "Воинский учет", "Образование", "Медосмотр"};
        QCOMPARE(w.PageControl1->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(w.PageControl1->tabText(i), tabs[i]);

        QStringList captions;
        for (const auto* label : w.TabSheet1->findChildren<ui::LabelPanel*>())
            captions << label->text();
        for (const char* caption : {"  Фамилия:", "  Имя:", "  Отчество:", "  Национальность:", "Соц. происхождение:",
                                    " Телефон домашний:", "Кем выдан:", "Бессрочный пасспорт:", "Улица, №дома, кв.:",
                                    "Дата заполнения:", "e-mail:"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
        QCOMPARE(w.TabSheet1->DBImage1->size(), QSize(114, 152));
        QVERIFY(!w.TabSheet1->GroupBox20->isEnabled());
        w.TabSheet1->CheckBox1->setChecked(true);
        QVERIFY(w.TabSheet1->GroupBox20->isEnabled());
    }

    void nameEditsAreReadOnlyOnALoadedCard()
    {
        CardSession s;
        s.search(QStringLiteral("ов"));
        for (ui::DbEdit* edit : {s.tab().DBEdit1, s.tab().DBEdit2, s.tab().DBEdit3})
            QVERIFY(edit->isReadOnly());
        const QString surname = s.tab().DBEdit1->text();
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral("X"));
        QCOMPARE(s.tab().DBEdit1->text(), surname);
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsBrowse);
        // The address names are shown from the dictionaries and never typed into.
        QVERIFY(s.tab().PlaceOfBirth->nameField(QStringLiteral("REPUBLIC"))->isReadOnly());
    }

    void enterMovesDownTheChainOfTheFirstTab()
    {
        CardSession s;
        s.window->SpeedButton2Click();
        s.window->show();
        s.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        PersonalDataTab& t = s.tab();
        const QList<std::pair<QWidget*, QWidget*>> steps = {
            {t.DBEdit1, t.DBEdit2}, {t.DBEdit2, t.DBEdit3}, {t.DBEdit3, t.DBDateTimeEditEh6},
            {t.DBEdit11, t.DBEdit4}, {t.DBEdit12, t.DBEdit16}, {t.DBEdit18, t.DBEdit21},
            {t.DBEdit21, t.DBDateTimeEditEh7},
        };
        for (const auto& [from, to] : steps) {
            from->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), from);
            cardtest::pressEnter(from);
            QCOMPARE(QApplication::focusWidget(), to);
        }
        // The last one names no control; a disabled successor is skipped over by nobody.
        t.DBDateTimeEditEh7->setFocus();
        cardtest::pressEnter(t.DBDateTimeEditEh7);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBDateTimeEditEh7));
        t.DBEdit2->setEnabled(false);
        t.DBEdit1->setFocus();
        cardtest::pressEnter(t.DBEdit1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.DBEdit1));
        QVERIFY(s.messages().isEmpty());
    }

    void closingTheWindowPostsPendingChangesAndEndsTheProgram()
    {
        CardSession s;
        s.window->show();
        s.search(QStringLiteral("ов"));
        s.directory()->close();
        const QString infoKey = s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("id_teacher_info"))->AsString();
        QTest::mouseClick(s.tab().DBEdit21, Qt::LeftButton);
        s.tab().DBEdit21->selectAll();
        cardtest::typeText(s.tab().DBEdit21, QStringLiteral("kadry@knu.kg"));
        QVERIFY(s.window->close());
        QVERIFY(ZelApplication::instance()->Terminated());
        QVERIFY(!s.window->ChangeHistory());
        QCOMPARE(s.rows(QStringLiteral("select eMail from TEACHER_info where id_teacher_info = ") + infoKey)[0][0],
                 QStringLiteral("kadry@knu.kg"));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<CardSearchTest, CardSavingTest, CardFrameTest>(argc, argv);
}

#include "tst_card_window.moc"
