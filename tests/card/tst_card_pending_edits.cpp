// What the clerk typed and did not save survives whatever reloads the card: a move in
// the directory, a new search, New record and closing the window post it, and a new
// employee without a name is never posted behind Save's name check.
#include "CardSession.h"
#include "TabInspection.h"

#include "data/DbError.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/FlatButton.h"
#include "ui/MessageBoxes.h"
#include "ui/PageControl.h"

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;
using Answer = ui::DialogService::Answer;

namespace {

const QString kNameMessage = QStringLiteral("Значение ФИО должны быть заполнены корректно!");
const QString kQuestion = QStringLiteral("Вы сделали изменения на вкладкe \"Личная карточка\",и не сохранили"
                                         " эти изменения.\rВы хотите сохранить эти изменения-?");

/// Replaces the text of a card edit as the clerk does: click, select all, type.
void retype(ui::DbEdit* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    cardtest::typeText(edit, text);
}

int currentKey(const CardSession& s)
{
    return s.dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsInteger();
}

}  // namespace

class PendingEditsTest : public QObject {
    Q_OBJECT

    /// An employee of the "ов" search with a passport and a personal-data row, made
    /// current through the directory; returns its key.
    static int searchEmployeeWithPassport(CardSession& s)
    {
        s.window->show();
        s.search(QStringLiteral("ов"));
        TADOQuery& master = s.dm.ADO_TEACHER;
        for (master.First(); !master.Eof(); master.Next())
            if (!s.dm.ADOQ_Passport.IsEmpty() && !s.dm.ADOQ_Teacher_2.IsEmpty() && master.RecNo() < master.RecordCount())
                return currentKey(s);
        return 0;
    }

    static QString passportSeries(CardSession& s, int key)
    {
        return s.rows(QStringLiteral("select S_p from Passport where id_teacher = %1").arg(key)).value(0).value(0);
    }
    static QString homePhone(CardSession& s, int key)
    {
        return s.rows(QStringLiteral("select Phone from TEACHER_info where id_teacher = %1").arg(key)).value(0).value(0);
    }

private slots:
    void aMoveInTheDirectoryPostsWhatWasTypedForTheEmployeeLeft()
    {
        CardSession s;
        const int key = searchEmployeeWithPassport(s);
        QVERIFY(key > 1);
        retype(s.tab().DBEdit16, QStringLiteral("ЖЖ"));
        retype(s.tab().DBEdit11, QStringLiteral("55-66"));

        // The clerk clicks the next employee in the directory's list.
        ui::DbGrid* grid = s.directory()->DBGridEh2;
        const int row = s.dm.ADO_TEACHER.RecNo();
        grid->setCurrentIndex(grid->model()->index(row, 0));
        QTRY_VERIFY(currentKey(s) != key);

        QCOMPARE(passportSeries(s, key), QStringLiteral("ЖЖ"));
        QCOMPARE(homePhone(s, key), QStringLiteral("55-66"));
        // The card now shows the other employee, nothing pending.
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsBrowse);
        QCOMPARE(s.dm.ADOQ_Passport.FieldByName(QStringLiteral("id_teacher"))->AsInteger(), currentKey(s));
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void aPassportEditKeptByCancelIsPostedByANewSearch()
    {
        CardSession s;
        const int key = searchEmployeeWithPassport(s);
        QVERIFY(key > 1);
        const QString phone = homePhone(s, key);
        retype(s.tab().DBEdit16, QStringLiteral("ЮЮ"));
        retype(s.tab().DBEdit11, QStringLiteral("00-00"));
        // Cancel drops the personal data and keeps the passport pending.
        s.window->Cancel_Records_Btn->click();
        QCOMPARE(s.dm.ADOQ_Passport.State(), dsEdit);

        s.search(QStringLiteral("ин"));
        QCOMPARE(passportSeries(s, key), QStringLiteral("ЮЮ"));
        QCOMPARE(homePhone(s, key), phone);
        QVERIFY(s.messages().isEmpty());
    }

    void newRecordPostsThePendingEditsFirst()
    {
        CardSession s;
        const int key = searchEmployeeWithPassport(s);
        QVERIFY(key > 1);
        s.directory()->close();
        retype(s.tab().DBEdit16, QStringLiteral("НН"));
        s.window->SpeedButton2->click();
        QCOMPARE(passportSeries(s, key), QStringLiteral("НН"));
        // And the new card is empty and writable.
        QVERIFY(s.dm.ADOQ_Passport.IsEmpty());
        QVERIFY(!s.tab().DBEdit1->isReadOnly());
    }

    void closingPostsThePassportTheSaveLeftPending()
    {
        CardSession s;
        const int key = searchEmployeeWithPassport(s);
        QVERIFY(key > 1);
        s.directory()->close();
        retype(s.tab().DBEdit16, QStringLiteral("ЗЗ"));
        s.window->Cancel_Records_Btn->click();
        QVERIFY(s.window->close());
        QVERIFY(ZelApplication::instance()->Terminated());
        QCOMPARE(passportSeries(s, key), QStringLiteral("ЗЗ"));
    }

    void closingPostsAPendingPensionAndPhoto()
    {
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral("select top 1 id_teacher from Pensioners where id_teacher <> 1"));
        QVERIFY(key > 1);
        s.loadEmployee(key);
        s.directory()->close();
        // The pension date as the pension tab writes it, and a picture as a failed photo
        // post leaves it: both still pending when the clerk closes the window.
        s.dm.ADOQPensioner.Edit();
        s.dm.ADOQPensioner.FieldByName(QStringLiteral("date"))->SetAsDateTime(QDateTime(QDate(2019, 3, 4), QTime()));
        s.dm.ADOQ_photo.Edit();
        s.dm.ADOQ_photo.FieldByName(QStringLiteral("photo"))->SetAsBytes(QByteArray("BM-picture"));
        QVERIFY(s.window->close());
        QCOMPARE(s.rows(QStringLiteral("select convert(varchar(10), date, 104) from Pensioners where id_teacher = %1")
                            .arg(key))
                     .value(0)
                     .value(0),
                 QStringLiteral("04.03.2019"));
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from photo where id_teacher = %1 and photo is not null").arg(key)),
                 1);
    }

    void anEmployeeStoredWithoutANameStillGetsThePendingPassport()
    {
        CardSession s;
        const int key = searchEmployeeWithPassport(s);
        QVERIFY(key > 1);
        TADOQuery clear;
        clear.SetConnection(&s.dm.ADO_PUM);
        clear.SetSQL(QStringLiteral("update TEACHER set p27 = NULL where id_teacher = %1").arg(key));
        clear.ExecSQL();
        s.loadEmployee(key);
        QVERIFY(s.tab().DBEdit2->text().isEmpty());
        retype(s.tab().DBEdit16, QStringLiteral("ББ"));
        s.dialogs.clear();
        s.search(QStringLiteral("ов"));
        QCOMPARE(passportSeries(s, key), QStringLiteral("ББ"));
        QCOMPARE(s.messages(), QStringList{kNameMessage});
    }

    void aNameLessEmployeeIsNeverPostedByATabChange()
    {
        CardSession s;
        s.window->show();
        const int employees = s.scalar(QStringLiteral("select count(*) from TEACHER"));
        const int nameless = s.scalar(QStringLiteral("select count(*) from TEACHER where p27 is null"));
        s.window->SpeedButton2Click();
        QTest::mouseClick(s.tab().DBEdit1, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral("Безымянная"));
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsInsert);

        s.dialogs.queueAnswer(Answer::Yes);
        s.window->PageControl1->userSelect(1);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER")), employees);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER where p27 is null")), nameless);
        QCOMPARE(s.window->PageControl1->currentIndex(), 0);
        QVERIFY(s.messages().contains(kNameMessage));
        // What was typed is still there to be completed.
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsInsert);
        QCOMPARE(s.tab().DBEdit1->text(), QStringLiteral("Безымянная"));

        // Closing does not post it either; the clerk is asked and may stay.
        s.dialogs.clear();
        s.dialogs.queueAnswer(Answer::Cancel);
        QVERIFY(!s.window->close());
        QCOMPARE(s.messages(), QStringList{kQuestion});
        QVERIFY(!ZelApplication::instance()->Terminated());
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER")), employees);

        // The name completes it: now a tab change saves it.
        QTest::mouseClick(s.tab().DBEdit2, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit2, QStringLiteral("Вера"));
        s.window->PageControl1->userSelect(1);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER")), employees + 1);
        QCOMPARE(s.window->PageControl1->currentIndex(), 1);
    }

    void aSearchOverANameLessEmployeeAsksFirst()
    {
        CardSession s;
        s.window->show();
        s.window->SpeedButton2Click();
        QTest::mouseClick(s.tab().DBEdit1, Qt::LeftButton);
        cardtest::typeText(s.tab().DBEdit1, QStringLiteral("Ненаписанная"));
        retype(s.tab().DBEdit11, QStringLiteral("12-34"));
        s.window->SpeedButton1Click();
        const QString newEmployeeStatement = s.dm.ADO_TEACHER.SQL();

        // Cancel: nothing changes, the search does not run.
        s.dialogs.queueAnswer(Answer::Cancel);
        s.search(QStringLiteral("ов"));
        QCOMPARE(s.messages(), QStringList{kQuestion});
        QCOMPARE(s.dialogs.shown().front().buttons, ui::DialogService::Buttons::YesNoCancel);
        QCOMPARE(s.dm.ADO_TEACHER.SQL(), newEmployeeStatement);
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsInsert);
        QCOMPARE(s.tab().DBEdit11->text(), QStringLiteral("12-34"));

        // Yes: Save names what is missing and the card stays.
        s.dialogs.clear();
        s.dialogs.queueAnswer(Answer::Yes);
        s.search(QStringLiteral("ов"));
        QCOMPARE(s.messages(), (QStringList{kQuestion, kNameMessage}));
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsInsert);

        // No: the clerk gives the new employee up and the search runs.
        s.dialogs.clear();
        s.dialogs.queueAnswer(Answer::No);
        s.search(QStringLiteral("ов"));
        QVERIFY(s.dm.ADO_TEACHER.RecordCount() > 1);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER where p26 = N'Ненаписанная'")), 0);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER_info where Phone = '12-34'")), 0);
    }
};

class ExactWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void windowTitlesCarryNoApplicationSuffix()
    {
        CardSession s;
        const QString caption = s.window->windowTitle();
        QVERIFY(caption.startsWith(QStringLiteral("ZEL 4 Личная карточка сотрудника V2 [ ")));
        QCOMPARE(ZelApplication::instance()->Title(), caption);
        // Qt would append its display name to every window title on X11.
        QVERIFY(!QGuiApplication::applicationDisplayName().contains(QStringLiteral("ZEL 4")));
        QCOMPARE(s.directory()->windowTitle(), QStringLiteral("Поиск"));

        // The default error display still carries the application title.
        ui::MessageBoxes::showException(s.window.get(), Error(QStringLiteral("Отказ сервера")));
        QCOMPARE(s.dialogs.shown().back().caption, caption);
        QCOMPARE(s.dialogs.shown().back().text, QStringLiteral("Отказ сервера"));
    }

    void theMainWindowIsSizedFrameIncluded()
    {
        CardSession s;
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QCOMPARE(s.window->frameGeometry().size(), QSize(913, 718));
        QCOMPARE(s.window->minimumSize(), s.window->maximumSize());
    }
};

class CardStatementsTest : public QObject {
    Q_OBJECT
private slots:
    void aCardIsLoadedAndEmptiedWithTheseStatements()
    {
        CardSession s;
        const int key = s.scalar(QStringLiteral("select top 1 id_teacher from Passport where id_teacher <> 1"));
        QVERIFY(key > 1);
        QStringList loaded;
        {
            cardtest::StatementTrace trace;
            s.loadEmployee(key);
            loaded = trace.statements();
        }
        const QString k = QString::number(key);
        const QStringList load = {
            "Select TOP(1) Pensioners.* from Pensioners where id_teacher=" + k,
            "Select * from Educ where id_teacher=" + k,
            "Select * From family_ Where id_teacher=" + k + " ORDER BY Date_of_birth",
            "Select * from Experience where id_teacher=" + k,
            "Select * From Kvalifikation Where id_teacher=" + k + " ORDER BY date_1",
            "Select * From Work Where id_teacher=" + k + " ORDER BY Date_Enter",
            "Select * From Nagrada Where id_teacher=" + k + " ORDER BY date_get",
            "Select * From Abroad Where id_teacher=" + k + " ORDER BY date_begin",
            "Select * From Elect_org Where id_teacher=" + k + " ORDER BY year_elect",
            "Select * from Partiya where id_teacher=" + k,
            "Select * From Holiday Where id_teacher=" + k + " ORDER BY Date_begin",
            "Select * from mil_card_ where id_teacher=" + k,
            "Select * from LANGUAGE_OPTIONS where id_teacher=" + k,
            "Select * from photo where id_teacher=" + k,
            "Select * from Place_of_birth where id_teacher=" + k,
            "Select * from place_leave where id_teacher=" + k,
            "Select * from Place_of_residence where id_teacher=" + k,
            "Select * from Teacher_info where id_teacher=" + k,
            "Select * from Passport where id_teacher=" + k,
        };
        QStringList cardStatements;
        for (const QString& text : loaded)
            if (text.contains(QStringLiteral("id_teacher=")))
                cardStatements << text;
        QCOMPARE(cardStatements, load);

        QStringList emptied;
        {
            cardtest::StatementTrace trace;
            s.window->SpeedButton2Click();
            emptied = trace.statements();
        }
        const QStringList empty = {
            "SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER",
            "SELECT  TOP (0) PERCENT dbo.Educ.* FROM dbo.Educ",
            "SELECT  TOP (0) PERCENT dbo.family_.* FROM dbo.family_",
            "SELECT  TOP (0) PERCENT dbo.Experience.* FROM dbo.Experience",
            "SELECT  TOP (0) PERCENT dbo.Kvalifikation.* FROM dbo.Kvalifikation",
            "SELECT  TOP (0) PERCENT dbo.Work.* FROM dbo.Work",
            "SELECT  TOP (0) PERCENT dbo.Nagrada.* FROM dbo.Nagrada",
            "SELECT  TOP (0) PERCENT dbo.Abroad.* FROM dbo.Abroad",
            "SELECT  TOP (0) PERCENT dbo.Elect_org.* FROM dbo.Elect_org",
            "SELECT  TOP (0) PERCENT dbo.Partiya.* FROM dbo.Partiya",
            "SELECT  TOP (0) PERCENT dbo.Holiday.* FROM dbo.Holiday",
            "SELECT  TOP (0) PERCENT dbo.mil_card_.* FROM dbo.mil_card_",
            "SELECT  TOP (0) PERCENT dbo.Language_options.* FROM dbo.Language_options",
            "SELECT  TOP (0) PERCENT dbo.Photo.* FROM dbo.Photo",
            "SELECT  TOP (0) PERCENT dbo.Place_of_birth.* FROM dbo.Place_of_birth",
            "SELECT  TOP (0) PERCENT dbo.place_leave.* FROM dbo.place_leave",
            "SELECT  TOP (0) PERCENT dbo.Place_of_residence.* FROM dbo.Place_of_residence",
            "SELECT  TOP (0) PERCENT dbo.TEACHER_info.* FROM dbo.TEACHER_info",
            "SELECT  TOP (0) PERCENT dbo.Passport.* FROM dbo.Passport",
        };
        QCOMPARE(emptied.mid(0, empty.size()), empty);
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<PendingEditsTest, ExactWindowsTest, CardStatementsTest>(argc, argv);
}

#include "tst_card_pending_edits.moc"
