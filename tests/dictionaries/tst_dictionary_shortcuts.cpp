// The card's dictionary buttons, the dictionary windows and the change of name,
// against the embedded demo database.
#include "DictionarySession.h"

#include "data/modules/TADOUpdateHistoryExec.h"
#include "dictionaries/TForm13.h"
#include "dictionaries/TForm14.h"
#include "dictionaries/TForm16.h"
#include "dictionaries/TForm17.h"
#include "dictionaries/TForm18.h"
#include "dictionaries/TForm9.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbNavigator.h"
#include "ui/FlatButton.h"
#include "ui/PageControl.h"
#include "ui/TextStatusBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include <sqlite3.h>

using namespace zel;
using cardtest::DemoDatabase;
using dicttest::DictionarySession;
using Nav = ui::DbNavigator;
using Answer = ui::DialogService::Answer;

namespace {

QString text(const TDataSet& dataSet, const char* field)
{
    return dataSet.FieldByName(QString::fromLatin1(field))->AsString();
}

void setText(TDataSet& dataSet, const char* field, const QString& value)
{
    dataSet.FieldByName(QString::fromLatin1(field))->SetAsString(value);
}

TForm5& shared(QDialog& dialog)
{
    auto* form = qobject_cast<TForm5*>(&dialog);
    if (!form)
        qFatal("the shared dictionary window was expected, got %s", qPrintable(dialog.objectName()));
    return *form;
}

Nav& navigatorOf(QDialog& dialog)
{
    if (auto* form = qobject_cast<TForm5*>(&dialog))
        return *form->Navigator(form->ActivePage());
    return *static_cast<DictionaryGridWindow&>(dialog).DBNavigator1;
}

// Runs a statement on the demo file beside the program's own connection.
void execOnFile(const QString& sql)
{
    const DemoDatabase& demo = DemoDatabase::instance();
    sqlite3* db = nullptr;
    QVERIFY(sqlite3_open(QFile::encodeName(demo.folder + u'/' + demo.server).constData(), &db) == SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(message));
}

}  // namespace

// -- the shared window and the audit of its nine dictionaries --

class SharedDictionaryTest : public QObject {
    Q_OBJECT
private slots:
    void socialStatusThenDegreeReuseOneWindowOnTheirPages()
    {
        DictionarySession s;
        TADOUpdateHistoryExec& history = *s.window->ChangeHistory();
        TForm5* seen[2] = {nullptr, nullptr};
        s.then([&](QDialog& d) {
            seen[0] = &shared(d);
            QCOMPARE(seen[0]->ActivePage(), 1);
            QCOMPARE(seen[0]->PageControl1->currentIndex(), 1);
            QCOMPARE(history.DataSet(), &s.dm.ADOQ_Soc_pr);
            QCOMPARE(history.TableLabel(), QStringLiteral("Soc_pr"));
            QCOMPARE(history.KeyField(), QStringLiteral("id_soc_pr"));
            QVERIFY(history.LogChanges());
            QVERIFY(history.LogDeletes());
            d.close();
        });
        s.then([&](QDialog& d) {
            seen[1] = &shared(d);
            QCOMPARE(seen[1]->ActivePage(), 2);
            QCOMPARE(history.DataSet(), &s.dm.ADOQ_Uch_step);
            QCOMPARE(history.TableLabel(), QStringLiteral("Uch_ste"));
            QCOMPARE(history.KeyField(), QStringLiteral("id_uch_stepen"));
            d.close();
        });
        s.tab().Button3->click();
        s.tab().Button4->click();

        QCOMPARE(s.shownCaptions, (QStringList{QStringLiteral("Социальный статус"), QStringLiteral("Ученая степень")}));
        QCOMPARE(seen[0], s.form5.get());
        QCOMPARE(seen[1], s.form5.get());
        // Page and caption stay until the next caller sets them; the history is free again.
        QCOMPARE(s.form5->windowTitle(), QStringLiteral("Ученая степень"));
        QCOMPARE(s.form5->ActivePage(), 2);
        QCOMPARE(history.DataSet(), nullptr);
        QVERIFY(s.messages().isEmpty());
    }

    void aDegreeAddedThroughItsButtonIsListedAtOnceAndNotPicked()
    {
        DictionarySession s;
        const int key = s.scalar(QStringLiteral("select top 1 id_teacher from TEACHER_info where id_uch_stepen is not null"));
        s.loadEmployee(key);
        TADOQuery& info = s.dm.ADOQ_Teacher_2;
        const QString degreeBefore = text(info, "id_uch_stepen");
        const int logBefore = s.lastLogId();
        const QString degree = QStringLiteral("Доктор д'Артаньяновых наук");
        QCOMPARE(s.tab().DBLookupComboBox3->findText(degree), -1);

        s.then([&](QDialog& d) {
            Nav& nav = navigatorOf(d);
            nav.click(Nav::Insert);
            setText(s.dm.ADOQ_Uch_step, "k5", degree);
            nav.click(Nav::Post);
            d.close();
        });
        s.tab().Button4->click();

        QVERIFY(s.tab().DBLookupComboBox3->findText(degree) >= 0);
        QCOMPARE(text(info, "id_uch_stepen"), degreeBefore);
        QCOMPARE(info.State(), dsBrowse);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        // Stored with the clerk's stamp; an insert is not logged.
        QCOMPARE(s.rows(QStringLiteral("select ZEL_User from Uch_step where k5 = 'Доктор д''Артаньяновых наук'")),
                 (QList<QStringList>{{QStringLiteral("ivanova")}}));
        QCOMPARE(s.lastLogId(), logBefore);
    }

    void renamingAPassportIssuerWritesOneRowWithOldAndNewText()
    {
        DictionarySession s;
        TADOQuery& issuers = s.dm.ADOQ_passport_organ;
        const int logBefore = s.lastLogId();
        QString key, oldText;
        const QString newText = QStringLiteral("УВД O'Brien района");
        s.then([&](QDialog& d) {
            QCOMPARE(shared(d).ActivePage(), 7);
            issuers.First();
            key = text(issuers, "IDMVD");
            oldText = text(issuers, "CodeMVD");
            Nav& nav = navigatorOf(d);
            nav.click(Nav::Edit);
            setText(issuers, "CodeMVD", newText);
            nav.click(Nav::Post);
            d.close();
        });
        s.tab().Button7->click();

        QVERIFY(!key.isEmpty());
        QCOMPARE(s.shownCaptions, QStringList{QStringLiteral("Орган выдачи пасспорта")});
        QCOMPARE(s.logSince(logBefore),
                 (QList<QStringList>{{QStringLiteral("MVD_Pasport"), key,
                                      QStringLiteral("Поле \"CodeMVD\" изменило значение \"%1\" на \"%2\".")
                                          .arg(oldText, newText),
                                      QStringLiteral("ivanova")}}));
        QCOMPARE(s.rows(QStringLiteral("select CodeMVD from MVD_pasport where IDMVD = ") + key)[0][0], newText);
    }

    void twoDeletionsInOneVisitWriteTwoRowsAndTheInsertsNone()
    {
        DictionarySession s;
        TADOQuery& titles = s.dm.ADOQ_uch_zvanie;
        const int logBefore = s.lastLogId();
        QStringList keys;
        s.then([&](QDialog& d) {
            Nav& nav = navigatorOf(d);
            for (const QString& title : {QStringLiteral("Звание А"), QStringLiteral("Звание Б")}) {
                nav.click(Nav::Insert);
                setText(titles, "k6", title);
                nav.click(Nav::Post);
                keys << text(titles, "id_uch_zvanie");
            }
            QCOMPARE(s.lastLogId(), logBefore);
            for (const QString& k : keys) {
                QVERIFY(titles.Locate(QStringLiteral("id_uch_zvanie"), k.toInt()));
                s.dialogs.queueAnswer(Answer::Yes);
                nav.click(Nav::Delete);
            }
            d.close();
        });
        s.tab().Button5->click();

        QCOMPARE(keys.size(), 2);
        QVERIFY(keys[0] != keys[1]);
        const auto logged = s.logSince(logBefore);
        QCOMPARE(logged.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(logged[i][0], QStringLiteral("Uch_zvanie"));
            QCOMPARE(logged[i][1], keys[i]);
            QVERIFY2(logged[i][2].startsWith(QStringLiteral("Запись с уникальным номером - '%1' была удалена - (")
                                                 .arg(keys[i])),
                     qPrintable(logged[i][2]));
            QVERIFY(logged[i][2].contains(QStringLiteral("k6['%1']").arg(i == 0 ? QStringLiteral("Звание А")
                                                                                 : QStringLiteral("Звание Б"))));
        }
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from uch_zvanie where k6 like 'Звание _'")), 0);
    }

    void afterTheWindowClosesTheCardLogsAsUsualAndTheDictionaryNoLonger()
    {
        DictionarySession s;
        const int key = s.scalar(QStringLiteral(
            "select top 1 t.id_teacher from TEACHER t join TEACHER_info i on i.id_teacher = t.id_teacher"
            " where i.Phone is not null"));
        s.loadEmployee(key);
        TADOQuery& ranks = s.dm.ADOQ_Soc_pr;
        const int logBefore = s.lastLogId();
        s.then([&](QDialog& d) {
            ranks.Last();
            navigatorOf(d).click(Nav::Edit);
            setText(ranks, "soc_status", text(ranks, "soc_status") + QStringLiteral(" (уточн.)"));
            navigatorOf(d).click(Nav::Post);
            d.close();
        });
        s.tab().Button3->click();
        QCOMPARE(s.logSince(logBefore).size(), 1);

        // The card's own save: one row for the changed phone, and the history is
        // detached again once its statements have run.
        const int afterVisit = s.lastLogId();
        TADOQuery& info = s.dm.ADOQ_Teacher_2;
        info.Edit();
        setText(info, "Phone", QStringLiteral("312-000"));
        s.window->Apply_Records_BtnClick();
        const auto saved = s.logSince(afterVisit);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0][0], QStringLiteral("Teacher_info"));
        QVERIFY(s.window->ChangeHistory()->DataSet() != &ranks);

        // An edit of the dictionary outside its window is not watched.
        const int afterSave = s.lastLogId();
        ranks.Edit();
        setText(ranks, "soc_status", QStringLiteral("без журнала"));
        ranks.Post();
        QCOMPARE(s.lastLogId(), afterSave);
    }

    void anEntryInUseIsNotDeletedAndNothingIsLogged()
    {
        DictionarySession s;
        const auto used = s.rows(QStringLiteral("select top 1 id_passport_organ, count(*) from Passport"
                                                " where id_passport_organ is not null"
                                                " group by id_passport_organ order by count(*) desc"));
        QCOMPARE(used.size(), 1);
        const QString key = used[0][0];
        const QString uses = used[0][1];
        TADOQuery& issuers = s.dm.ADOQ_passport_organ;
        const int rowsBefore = issuers.RecordCount();
        const int logBefore = s.lastLogId();
        s.then([&](QDialog& d) {
            QVERIFY(issuers.Locate(QStringLiteral("IDMVD"), key.toInt()));
            s.dialogs.queueAnswer(Answer::Yes);
            navigatorOf(d).click(Nav::Delete);
            // The refused deletion's statement must not ride on the next post.
            navigatorOf(d).click(Nav::Insert);
            setText(issuers, "CodeMVD", QStringLiteral("Новый орган"));
            navigatorOf(d).click(Nav::Post);
            d.close();
        });
        s.tab().Button7->click();

        const QString refusal = QStringLiteral("Запись справочника \"Орган выдачи пасспорта\" используется в карточках "
                                               "сотрудников (записей: %1) и не может быть удалена.")
                                    .arg(uses);
        QVERIFY2(s.messages().join(u'\n').contains(refusal), qPrintable(s.messages().join(u'\n')));
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from MVD_pasport where IDMVD = ") + key), 1);
        QVERIFY(issuers.Locate(QStringLiteral("IDMVD"), key.toInt()));
        QCOMPARE(issuers.RecordCount(), rowsBefore + 1);
        QCOMPARE(s.lastLogId(), logBefore);
    }

    void aRefusedPostLogsNothingAndLaterChangesAreStillLogged()
    {
        execOnFile(QStringLiteral("CREATE TRIGGER IF NOT EXISTS refuse_rang BEFORE UPDATE ON Rang"
                                  " WHEN NEW.rang = 'ОТКАЗ' BEGIN SELECT RAISE(ABORT, 'Ранг отклонён сервером'); END;"
                                  "INSERT INTO Rang (rang) VALUES ('Ранг без сотрудников')"));
        DictionarySession s;
        TADOQuery& ranks = s.dm.ADOQ_Rang;
        const int logBefore = s.lastLogId();
        QString key, oldText, spareKey;
        s.then([&](QDialog& d) {
            Nav& nav = navigatorOf(d);
            const auto refuse = [&] {
                QVERIFY(ranks.Locate(QStringLiteral("id_rang"), key.toInt()));
                nav.click(Nav::Edit);
                setText(ranks, "rang", QStringLiteral("ОТКАЗ"));
                nav.click(Nav::Post);
                QCOMPARE(ranks.State(), dsEdit);
                QCOMPARE(text(ranks, "rang"), QStringLiteral("ОТКАЗ"));
                QCOMPARE(s.lastLogId(), logBefore + (spareKey.isEmpty() ? 0 : 1));
            };
            ranks.First();
            key = text(ranks, "id_rang");
            oldText = text(ranks, "rang");
            // Refused, then given up: the deletion that follows is still logged.
            refuse();
            nav.click(Nav::Cancel);
            QVERIFY(ranks.Locate(QStringLiteral("rang"), QStringLiteral("Ранг без сотрудников")));
            spareKey = text(ranks, "id_rang");
            s.dialogs.queueAnswer(Answer::Yes);
            nav.click(Nav::Delete);
            // Refused, then corrected: the corrected value is logged, the refused one never.
            refuse();
            setText(ranks, "rang", QStringLiteral("Исправленный ранг"));
            nav.click(Nav::Post);
            QCOMPARE(ranks.State(), dsBrowse);
            d.close();
        });
        // The rank button sits on a later tab; the table row opens the same way.
        s.window->Dictionaries().Open(QStringLiteral("Button2"));

        QVERIFY2(s.messages().join(u'\n').contains(QStringLiteral("Ранг отклонён сервером")),
                 qPrintable(s.messages().join(u'\n')));
        const auto logged = s.logSince(logBefore);
        QCOMPARE(logged.size(), 2);
        QCOMPARE(logged[0][0], QStringLiteral("Rang"));
        QCOMPARE(logged[0][1], spareKey);
        QVERIFY2(logged[0][2].startsWith(QStringLiteral("Запись с уникальным номером - '%1' была удалена").arg(spareKey)),
                 qPrintable(logged[0][2]));
        QCOMPARE(logged[1], (QStringList{QStringLiteral("Rang"), key,
                                         QStringLiteral("Поле \"rang\" изменило значение \"%1\" на \"Исправленный ранг\".")
                                             .arg(oldText),
                                         QStringLiteral("ivanova")}));
    }

    void closingWritesThePendingRowAndARefusedOneKeepsTheWindowOpen()
    {
        DictionarySession s;
        TADOQuery& kval = s.dm.ADOQ_diploma_kval;
        bool stayedOpen = false;
        s.then([&](QDialog& d) {
            navigatorOf(d).click(Nav::Insert);
            setText(kval, "diploma_kval", QStringLiteral("Магистр (проверка закрытия)"));
            d.close();
            QVERIFY(!d.isVisible());
        });
        s.window->Dictionaries().Open(QStringLiteral("Button9"));
        QCOMPARE(kval.State(), dsBrowse);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from diploma_kval where diploma_kval = 'Магистр (проверка закрытия)'")), 1);

        execOnFile(QStringLiteral("CREATE TRIGGER IF NOT EXISTS refuse_kval BEFORE INSERT ON diploma_kval"
                                  " WHEN NEW.diploma_kval = 'ОТКАЗ' BEGIN SELECT RAISE(ABORT, 'Отклонено'); END"));
        s.then([&](QDialog& d) {
            navigatorOf(d).click(Nav::Insert);
            setText(kval, "diploma_kval", QStringLiteral("ОТКАЗ"));
            d.close();
            stayedOpen = d.isVisible();
            QCOMPARE(kval.State(), dsInsert);
            QCOMPARE(text(kval, "diploma_kval"), QStringLiteral("ОТКАЗ"));
            kval.Cancel();
            d.close();
        });
        s.window->Dictionaries().Open(QStringLiteral("Button9"));
        QVERIFY(stayedOpen);
        QVERIFY(s.messages().join(u'\n').contains(QStringLiteral("Отклонено")));
    }
};

// -- the windows of their own --

class OwnWindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyButtonOnTheCardOpensItsWindow()
    {
        DictionarySession s;
        // What each button of the card opens, as the clerk sees it.
        const QList<QPair<QString, QString>> expected = {
            {QStringLiteral("Button1"), QStringLiteral("Специальность по диплому")},
            {QStringLiteral("Button3"), QStringLiteral("Социальный статус")},
            {QStringLiteral("Button4"), QStringLiteral("Ученая степень")},
            {QStringLiteral("Button5"), QStringLiteral("Ученое звание")},
            {QStringLiteral("Button2"), QStringLiteral("Ранг")},
            {QStringLiteral("Button6"), QStringLiteral("Воинское звание")},
            {QStringLiteral("Button8"), QStringLiteral("Род войск")},
            {QStringLiteral("Button7"), QStringLiteral("Орган выдачи пасспорта")},
            {QStringLiteral("Button9"), QStringLiteral("Квалификация по диплому")},
            {QStringLiteral("Button10"), QStringLiteral("Гражданство")},
            {QStringLiteral("Button11"), QStringLiteral("Национальность")},
            {QStringLiteral("RzBitBtn5"), QStringLiteral("Образование")},
            {QStringLiteral("RzBitBtn2"), QStringLiteral("Структура выдавщая документ")},
            {QStringLiteral("RzBitBtn3"), QStringLiteral("Form17")},
        };
        QCOMPARE(int(DictionaryShortcuts::Shortcuts().size()), expected.size());
        const QStringList firstTab = {QStringLiteral("Button3"), QStringLiteral("Button4"), QStringLiteral("Button5"),
                                      QStringLiteral("Button7"), QStringLiteral("Button10"), QStringLiteral("Button11")};
        QStringList missing;
        for (const auto& [name, caption] : expected) {
            if (!s.window->Dictionaries().FindButton(name)) {
                QVERIFY2(!firstTab.contains(name), qPrintable(name));
                missing << name;
            }
        }
        // Connecting again finds the same buttons and must not connect them twice.
        QCOMPARE(s.window->Dictionaries().Connect(), expected.size() - missing.size());
        for (const auto& [name, caption] : expected) {
            QAbstractButton* button = s.window->Dictionaries().FindButton(name);
            if (!button)
                continue;
            s.shownCaptions.clear();
            button->click();
            QCOMPARE(s.shownCaptions, QStringList{caption});
        }
        QCOMPARE(s.unscripted, expected.size() - missing.size());
        if (!missing.isEmpty())
            qInfo("not on the card yet: %s", qPrintable(missing.join(u' ')));
        // A button a tab creates later is connected when its tab is shown.
        if (!missing.isEmpty()) {
            const int row = int(std::find_if(expected.begin(), expected.end(),
                                             [&](const auto& e) { return e.first == missing.front(); })
                                - expected.begin());
            auto* late = new QPushButton(QStringLiteral("+"), s.window->PageControl1->widget(6));
            late->setObjectName(missing.front());
            s.window->PageControl1->showPage(6);
            s.shownCaptions.clear();
            late->click();
            QCOMPARE(s.shownCaptions, QStringList{expected[row].second});
            s.window->PageControl1->showPage(0);
            late->click();
            QCOMPARE(s.shownCaptions.size(), 2);
        }
        // Every row opens through the table, whether its button exists or not.
        for (const auto& [name, caption] : expected) {
            s.shownCaptions.clear();
            s.window->Dictionaries().Open(name);
            QCOMPARE(s.shownCaptions, QStringList{caption});
        }
    }

    void aStructureAddedIsUsableInTheDocumentGridAtOnce()
    {
        DictionarySession s;
        s.second.ADOQ_teacher_struktura.Open();
        s.second.ADOQ_teacher_stepen.Open();
        s.second.ADOQ_obrazovanie_teacher.SetSQL(TDM::DocumentsStatement(QStringLiteral("0")));
        s.second.ADOQ_obrazovanie_teacher.Open();
        s.then([&](QDialog& d) {
            auto& form = static_cast<TForm16&>(d);
            QCOMPARE(form.DBNavigator1->visibleButtons(), Nav::Insert | Nav::Delete | Nav::Post);
            form.DBNavigator1->click(Nav::Insert);
            setText(s.second.ADOQ_teacher_struktura, "s_teacher_struktura", QStringLiteral("ИТС"));
            setText(s.second.ADOQ_teacher_struktura, "teacher_struktura", QStringLiteral("Институт тестовых структур"));
            form.DBNavigator1->click(Nav::Post);
            d.close();
        });
        s.window->Dictionaries().Open(QStringLiteral("RzBitBtn2"));

        const QString key = s.rows(QStringLiteral(
            "select id_teacher_struktura from teacher_struktura where s_teacher_struktura = 'ИТС'"))[0][0];
        TADOQuery& documents = s.second.ADOQ_obrazovanie_teacher;
        documents.Append();
        documents.FieldByName(QStringLiteral("id_teacher_struktura"))->SetAsInteger(key.toInt());
        QCOMPARE(text(documents, "s_teacher_struktura"), QStringLiteral("ИТС"));
        QCOMPARE(text(documents, "teacher_struktura"), QStringLiteral("Институт тестовых структур"));
        documents.Cancel();
        QVERIFY(s.second.ADOQ_teacher_struktura.Active());
    }

    void openingEducationSeveralTimesLeavesNoWindowsBehind()
    {
        DictionarySession s;
        s.window->Dictionaries().SetModalRunner({});  // the real modal loop
        const auto educationWindows = [] {
            int n = 0;
            for (QWidget* w : QApplication::allWidgets())
                n += qobject_cast<TForm18*>(w) != nullptr;
            return n;
        };
        for (int i = 0; i < 3; ++i) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* form = qobject_cast<TForm18*>(QApplication::activeModalWidget());
                seen = form && form->isVisible() && form->windowTitle() == QStringLiteral("Образование");
                if (form)
                    form->close();
            });
            s.window->Dictionaries().Open(QStringLiteral("RzBitBtn5"));
            QVERIFY(seen);
            QCOMPARE(educationWindows(), 0);
        }
    }

    void windowsLookAsDesigned()
    {
        DictionarySession s;
        TForm5& form5 = *s.form5;
        QCOMPARE(form5.windowTitle(), QStringLiteral("Специальность"));
        QCOMPARE(form5.size(), QSize(324, 448));
        QCOMPARE(form5.PageControl1->count(), 9);
        const QStringList titles = {
            QStringLiteral("Специальность"), QStringLiteral("Cоц.происхождение (статус)"),
            QStringLiteral("Ученая степень"), QStringLiteral("Ученое звание"), QStringLiteral("Ранг"),
            QStringLiteral("Воинское звание"), QStringLiteral("Род войск"), QStringLiteral("Орган выдачи пасспорта"),
            QStringLiteral("Квалификация по диплому")};
        for (int page = 0; page < 9; ++page) {
            ui::DbGrid* grid = form5.Grid(page);
            QCOMPARE(grid->model()->columnCount(), 1);
            QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), titles[page]);
            QCOMPARE(form5.Navigator(page)->visibleButtons(), Nav::allButtons());
        }
        // Latin C, not the Cyrillic letter.
        QCOMPARE(form5.Grid(1)->model()->headerData(0, Qt::Horizontal).toString().at(0).unicode(), char16_t(u'C'));
        form5.SetActivePage(0);
        QCOMPARE(form5.Grid(0)->columnWidth(0), 314);
        form5.SetActivePage(12);
        QCOMPARE(form5.ActivePage(), 0);

        TForm16 form16(s.second);
        QCOMPARE(form16.windowTitle(), QStringLiteral("Структура выдавщая документ"));
        QCOMPARE(form16.DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Краткое название"));
        QCOMPARE(form16.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Полное название"));
        QVERIFY(form16.StatusBar1);
        QVERIFY(form16.StatusBar1->text().isEmpty());
        QCOMPARE(form16.DBGrid1->verticalHeader()->defaultSectionSize(), 22);

        TForm18 form18(s.dm);
        QVERIFY(form18.Panel1);
        QCOMPARE(form18.Panel1->palette().color(QPalette::Window), QColor(0xDD, 0xEE, 0xEE));
        QCOMPARE(form18.DBGrid1->verticalHeader()->defaultSectionSize(), 25);
        QCOMPARE(form18.DBNavigator1->visibleButtons(), Nav::Insert | Nav::Delete | Nav::Post);

        TForm13 form13(s.dm);
        QCOMPARE(form13.size(), QSize(281, 383));
        QCOMPARE(form13.DBNavigator1->visibleButtons(), Nav::allButtons());
        QVERIFY(!form13.StatusBar1);
        TForm14 form14(s.dm);
        QCOMPARE(form14.DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Национальность"));
        TForm17 form17(s.second);
        QCOMPARE(form17.windowTitle(), QStringLiteral("Form17"));

        // Pictures to look at, on request.
        const QString shots = qEnvironmentVariable("ZEL_SCREENSHOT_DIR");
        if (shots.isEmpty())
            return;
        const auto grab = [&](QWidget& w, const QString& file) {
            w.show();
            QCoreApplication::processEvents();
            QVERIFY(w.grab().save(shots + u'/' + file));
            w.hide();
        };
        form5.setWindowTitle(QStringLiteral("Социальный статус"));
        form5.SetActivePage(1);
        grab(form5, QStringLiteral("form5-page1.png"));
        form5.setWindowTitle(QStringLiteral("Орган выдачи пасспорта"));
        form5.SetActivePage(7);
        grab(form5, QStringLiteral("form5-page7.png"));
        s.second.ADOQ_teacher_struktura.Open();
        grab(form16, QStringLiteral("form16.png"));
        grab(form18, QStringLiteral("form18.png"));
    }
};

// -- the change of name --

class ChangeNameTest : public QObject {
    Q_OBJECT

    static int employeeWithPatronymic(DictionarySession& s)
    {
        return s.scalar(QStringLiteral("select top 1 id_teacher from TEACHER where p28 is not null and id_teacher <> 1"));
    }

private slots:
    void cancelChangesNothingAndSavesNothing()
    {
        DictionarySession s;
        const int key = employeeWithPatronymic(s);
        s.loadEmployee(key);
        const auto before = s.rows(QStringLiteral("select p26, p27, p28 from TEACHER where id_teacher = %1").arg(key));
        const int logBefore = s.lastLogId();
        s.then([&](QDialog& d) {
            auto& form = static_cast<TForm9&>(d);
            QCOMPARE(form.windowTitle(), QStringLiteral("Изменение ФИО"));
            QCOMPARE(QStringList({form.Edit1->text(), form.Edit2->text(), form.Edit3->text()}), before[0]);
            form.Edit1->setText(QStringLiteral("Другая"));
            QTest::keyClick(form.Edit1, Qt::Key_Escape);
            QVERIFY(!form.isVisible());
        });
        s.window->ChangeFIO_M->trigger();

        QCOMPARE(s.shownNames, QStringList{QStringLiteral("Form9")});
        QCOMPARE(s.rows(QStringLiteral("select p26, p27, p28 from TEACHER where id_teacher = %1").arg(key)), before);
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsBrowse);
        QCOMPARE(text(s.dm.ADO_TEACHER, "p26"), before[0][0]);
        QVERIFY(s.messages().isEmpty());
        QCOMPARE(s.lastLogId(), logBefore);
    }

    void saveLandsInTeacherAndReloadsTheStatusBar()
    {
        DictionarySession s;
        const int key = employeeWithPatronymic(s);
        s.loadEmployee(key);
        const int logBefore = s.lastLogId();
        s.then([&](QDialog& d) {
            auto& form = static_cast<TForm9&>(d);
            for (QLineEdit* edit : {form.Edit1, form.Edit2, form.Edit3})
                edit->clear();
            cardtest::typeText(form.Edit1, QStringLiteral("О'Коннор"));
            cardtest::typeText(form.Edit2, QStringLiteral("Мария"));
            cardtest::typeText(form.Edit3, QStringLiteral("Ивановна"));
            QTest::keyClick(form.Edit3, Qt::Key_Return);
            QVERIFY(!form.isVisible());
        });
        s.window->ChangeFIO_M->trigger();

        QCOMPARE(s.rows(QStringLiteral("select p26, p27, p28 from TEACHER where id_teacher = %1").arg(key)),
                 (QList<QStringList>{{QStringLiteral("О'Коннор"), QStringLiteral("Мария"), QStringLiteral("Ивановна")}}));
        QVERIFY(s.messages().contains(QStringLiteral("Сохранено")));
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsBrowse);
        QVERIFY(s.window->StatusBar1->text().contains(QStringLiteral("О'Коннор Мария Ивановна")));
        // The master record is never compared: no audit row.
        QCOMPARE(s.lastLogId(), logBefore);
    }

    void anEmptySurnameIsRefusedAndKeptForCorrection()
    {
        DictionarySession s;
        const int key = employeeWithPatronymic(s);
        s.loadEmployee(key);
        const QString surname = s.rows(QStringLiteral("select p26 from TEACHER where id_teacher = %1").arg(key))[0][0];
        s.then([&](QDialog& d) {
            auto& form = static_cast<TForm9&>(d);
            form.Edit1->clear();
            form.BitBtn2->click();
        });
        s.window->ChangeFIO_M->trigger();
        QVERIFY(s.messages().contains(QStringLiteral("Значение ФИО должны быть заполнены корректно!")));
        QCOMPARE(s.dm.ADO_TEACHER.State(), dsEdit);
        QCOMPARE(s.rows(QStringLiteral("select p26 from TEACHER where id_teacher = %1").arg(key))[0][0], surname);
    }

    void nothingWithoutAnEmployee()
    {
        DictionarySession s;
        s.window->OpenEmptyCard();
        s.window->ChangeFIO_MClick();
        QVERIFY(s.shownNames.isEmpty());
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    DemoDatabase::instance().create();
    int failures = 0;
    {
        SharedDictionaryTest shared;
        failures += QTest::qExec(&shared, argc, argv);
        OwnWindowTest own;
        failures += QTest::qExec(&own, argc, argv);
        ChangeNameTest name;
        failures += QTest::qExec(&name, argc, argv);
    }
    DemoDatabase::instance().remove();
    return failures;
}

#include "tst_dictionary_shortcuts.moc"
