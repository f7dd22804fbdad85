// Hostile texts typed through the real windows into every kind of field: the surname
// of a new employee, a phone, a passport number, the directory's search box and a
// dictionary window's grid cell. Each text is stored and read back exactly, or is
// refused with a Russian message while the control keeps what was typed; no
// statement ever fails with a syntax error.

#include "tests/dictionaries/DictionarySession.h"

#include "card/WorkTab.h"
#include "dictionaries/TForm5.h"
#include "ui/PageControl.h"
#include "ui/DbEdit.h"
#include "ui/DataSetTableModel.h"
#include "ui/DbGrid.h"
#include "ui/FlatButton.h"
#include "ui/DbNavigator.h"

#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;
using dicttest::DictionarySession;

namespace {

struct Hostile {
    const char* name;
    QString text;
};

QList<Hostile> hostileTexts()
{
    return {
        {"apostrophe", QStringLiteral("O'Brien")},
        {"apostrophe in Cyrillic", QStringLiteral("д'Артаньян")},
        {"statement in a name", QStringLiteral("'; DROP TABLE TEACHER--")},
        {"percent", QStringLiteral("100%")},
        {"underscore", QStringLiteral("a_b")},
        {"brackets", QStringLiteral("[x]")},
        {"2000 characters", QString(2000, QChar(u'ж'))},
        {"lone blank", QStringLiteral(" ")},
        {"euro sign", QStringLiteral("€ 5")},
        {"Japanese", QStringLiteral("日本")},
    };
}

const QRegularExpression kCyrillic(QStringLiteral("[А-Яа-яЁё]"));

/// What the clerk was shown is acceptable: nothing, or Russian messages that tell of
/// no failed statement.
void checkMessages(const QStringList& messages, const char* field, const char* text)
{
    for (const QString& message : messages) {
        QVERIFY2(message.contains(kCyrillic), qPrintable(QStringLiteral("%1/%2: not Russian: %3")
                                                             .arg(field, text, message)));
        QVERIFY2(!message.contains(QStringLiteral("syntax"), Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("%1/%2: %3").arg(field, text, message)));
    }
}

/// The typed text made it into the control whole, or the control took as much as its
/// field holds (a control with a length limit takes no more keys), or the control
/// refused the keys it may not take (a leading blank in a surname).
void checkControlKeptTyping(const QString& typed, const QLineEdit& edit, const char* field, const char* name)
{
    const QString shown = edit.text();
    const bool whole = shown == typed;
    const bool limited = edit.maxLength() < typed.size() && shown == typed.left(edit.maxLength());
    const bool refusedBlank = typed == QStringLiteral(" ") && shown.isEmpty();
    QVERIFY2(whole || limited || refusedBlank,
             qPrintable(QStringLiteral("%1/%2: the control holds \"%3\"").arg(field, name, shown.left(60))));
}

/// One line per case in the test's output: what became of the text.
void report(const char* field, const Hostile& h, const QStringList& messages)
{
    qInfo("%s / %s: %s", field, h.name,
          messages.isEmpty() ? "stored" : qPrintable(QStringLiteral("refused: ") + messages.join(QStringLiteral(" | "))));
}

void typeInto(QLineEdit* edit, const QString& text)
{
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    cardtest::typeText(edit, text);
}

}  // namespace

class BadInputTour : public QObject {
    Q_OBJECT
private slots:
    void surnameOfANewEmployee()
    {
        for (const Hostile& h : hostileTexts()) {
            CardSession s;
            s.window->show();
            s.window->SpeedButton2->click();
            QLineEdit* surname = s.tab().DBEdit1;
            typeInto(surname, h.text);
            checkControlKeptTyping(h.text, *surname, "surname", h.name);
            typeInto(s.tab().DBEdit2, QStringLiteral("Тест"));
            const QString kept = surname->text();
            const int before = s.scalar(QStringLiteral("select count(*) from TEACHER"));
            s.window->Apply_Records_Btn->click();
            checkMessages(s.messages(), "surname", h.name);
            const int after = s.scalar(QStringLiteral("select count(*) from TEACHER"));
            const bool saved = s.dm.ADO_TEACHER.State() == dsBrowse && after == before + 1;
            // The confirmation of a saved new employee is the only message then.
            if (saved)
                QCOMPARE(s.messages(), QStringList{QStringLiteral("Сохранено")});
            report("surname", h, saved ? QStringList() : s.messages());
            if (saved) {
                const QString key = s.dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsString();
                QCOMPARE(s.rows(QStringLiteral("select p26 from TEACHER where id_teacher = ") + key).value(0).value(0),
                         kept.isEmpty() ? QStringLiteral("NULL") : kept);
            } else {
                // Refused: said so in Russian, nothing stored, the typing still there.
                QVERIFY2(!s.messages().isEmpty(), h.name);
                QCOMPARE(after, before);
                QCOMPARE(surname->text(), kept);
            }
        }
    }

    void phoneAndPassportOfALoadedCard()
    {
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral(
            "select top 1 t.id_teacher from TEACHER t join TEACHER_info i on i.id_teacher = t.id_teacher"
            " join Passport p on p.id_teacher = t.id_teacher where t.id_teacher <> 1"));
        QVERIFY(key > 1);
        struct Target {
            const char* name;
            QLineEdit* edit;
            QString readBack;
        };
        const Target targets[] = {
            {"phone", s.tab().DBEdit11,
             QStringLiteral("select Phone from TEACHER_info where id_teacher = %1").arg(key)},
            {"passport number", s.tab().DBEdit17,
             QStringLiteral("select N_p from Passport where id_teacher = %1").arg(key)},
        };
        for (const Target& target : targets) {
            for (const Hostile& h : hostileTexts()) {
                s.loadEmployee(key);
                s.dialogs.clear();
                const QString storedBefore = s.rows(target.readBack).value(0).value(0);
                typeInto(target.edit, h.text);
                checkControlKeptTyping(h.text, *target.edit, target.name, h.name);
                const QString kept = target.edit->text();
                s.window->Apply_Records_Btn->click();
                checkMessages(s.messages(), target.name, h.name);
                report(target.name, h, s.messages());
                const QString stored = s.rows(target.readBack).value(0).value(0);
                if (s.messages().isEmpty()) {
                    QCOMPARE(stored, kept.isEmpty() ? QStringLiteral("NULL") : kept);
                } else {
                    QCOMPARE(stored, storedBefore);
                    QCOMPARE(target.edit->text(), kept);
                    s.window->Cancel_Records_Btn->click();
                    s.dialogs.clear();
                }
            }
        }
    }

    void directorySearchBox()
    {
        CardSession s;
        s.window->show();
        QVERIFY(s.directory());
        for (const Hostile& h : hostileTexts()) {
            s.dialogs.clear();
            QLineEdit* box = s.directory()->p26;
            typeInto(box, h.text);
            checkControlKeptTyping(h.text, *box, "search", h.name);
            const QString kept = box->text();
            s.directory()->BitBtn1->click();
            checkMessages(s.messages(), "search", h.name);
            report("search", h, s.messages());
            QCOMPARE(box->text(), kept);
            QVERIFY(s.dm.ADO_TEACHER.Active());
        }
        // The search treats its text as a surname's beginning, quotes and all.
        s.dialogs.clear();
        s.search(QStringLiteral("О'Коннор-поиск"));
        QVERIFY(s.messages().isEmpty());
    }

    void workHistoryGridCell()
    {
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral("select top 1 id_teacher from Work where id_teacher <> 1"));
        QVERIFY(key > 1);
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QVERIFY(s.window->PageControl1->userSelect(2));
        ui::DbGrid* grid = s.window->TabSheet3->DBGridEh1;
        const QList<Hostile> texts = hostileTexts();
        for (const Hostile& h : texts) {
            s.loadEmployee(key);
            s.dialogs.clear();
            s.dm.ADOQ_Work.First();
            const QString row = s.dm.ADOQ_Work.FieldByName(QStringLiteral("id_Work"))->AsString();
            const QString readBack = QStringLiteral("select Doljnost from Work where id_Work = ") + row;
            const QString storedBefore = s.rows(readBack).value(0).value(0);
            int column = -1;
            for (int c = 0; c < grid->tableModel()->columnCount(); ++c)
                if (grid->tableModel()->column(c).fieldName.compare(QStringLiteral("Doljnost"), Qt::CaseInsensitive) == 0)
                    column = c;
            QVERIFY(column >= 0);
            const QModelIndex index = grid->model()->index(0, column);
            grid->setFocus();
            grid->setCurrentIndex(index);
            grid->edit(index);
            QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY2(editor, "the grid opened no text editor");
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Delete);
            cardtest::typeText(editor, h.text);
            checkControlKeptTyping(h.text, *editor, "work grid", h.name);
            const QString kept = editor->text();
            s.window->Apply_Records_Btn->click();
            checkMessages(s.messages(), "work grid", h.name);
            report("work grid", h, s.messages());
            const QString stored = s.rows(readBack).value(0).value(0);
            if (s.messages().isEmpty()) {
                QCOMPARE(stored, kept.isEmpty() ? QStringLiteral("NULL") : kept);
            } else {
                // One refused text, one message.
                QCOMPARE(s.messages().size(), 1);
                QCOMPARE(stored, storedBefore);
                QVERIFY(s.dm.ADOQ_Work.State() != dsBrowse);
                // The refused text stays in the open cell editor.
                QVERIFY(editor);
                QCOMPARE(editor->text(), kept);
                // The last refused text is left in its editor: the window must survive
                // being destroyed over an open editor.
                if (&h != &texts.back()) {
                    QTest::keyClick(editor, Qt::Key_Escape);
                    s.window->Cancel_Records_Btn->click();
                }
            }
        }
    }

    void dictionaryGridCell()
    {
        for (const Hostile& h : hostileTexts()) {
            DictionarySession s;
            TADOQuery& issuers = s.dm.ADOQ_passport_organ;
            QString key, before, kept, keptAfterClose;
            bool edited = false;
            s.then([&](QDialog& d) {
                auto& form = static_cast<TForm5&>(d);
                ui::DbGrid* grid = form.Grid(form.ActivePage());
                issuers.First();
                key = issuers.FieldByName(QStringLiteral("IDMVD"))->AsString();
                before = issuers.FieldByName(QStringLiteral("CodeMVD"))->AsString();
                int column = -1;
                for (int c = 0; c < grid->model()->columnCount(); ++c)
                    if (grid->tableModel()->column(c).fieldName.compare(QStringLiteral("CodeMVD"), Qt::CaseInsensitive) == 0)
                        column = c;
                QVERIFY2(column >= 0, "no CodeMVD column");
                QVERIFY(QTest::qWaitForWindowExposed(&d));
                grid->setFocus();
                const QModelIndex index = grid->model()->index(0, column);
                grid->setCurrentIndex(index);
                grid->edit(index);
                QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                if (!editor) {
                    d.close();
                    return;
                }
                editor->selectAll();
                QTest::keyClick(editor, Qt::Key_Delete);
                cardtest::typeText(editor, h.text);
                checkControlKeptTyping(h.text, *editor, "dictionary", h.name);
                kept = editor->text();
                QTest::keyClick(editor, Qt::Key_Return);
                edited = true;
                form.Navigator(form.ActivePage())->click(ui::DbNavigator::Post);
                if (issuers.State() == dsBrowse) {
                    d.close();
                    return;
                }
                // Refused: closing the window meets the same text and keeps it.
                d.close();
                QVERIFY(d.isVisible());
                QVERIFY(editor);
                keptAfterClose = editor->text();
                QTest::keyClick(editor, Qt::Key_Escape);
                issuers.Cancel();
                d.close();
                QVERIFY(!d.isVisible());
            });
            s.tab().Button7->click();
            QVERIFY2(edited, "the grid opened no text editor");
            checkMessages(s.messages(), "dictionary", h.name);
            report("dictionary", h, s.messages());
            const QString stored =
                s.rows(QStringLiteral("select CodeMVD from MVD_pasport where IDMVD = ") + key).value(0).value(0);
            if (s.messages().isEmpty()) {
                QCOMPARE(stored, kept.isEmpty() ? QStringLiteral("NULL") : kept);
            } else {
                // Enter, the navigator's post and the window's close meet the same text: one message.
                QCOMPARE(s.messages().size(), 1);
                QCOMPARE(stored, before);
                QCOMPARE(keptAfterClose, kept);
            }
        }
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    DemoDatabase::instance().create();
    int failures = 0;
    {
        BadInputTour tour;
        failures = QTest::qExec(&tour, argc, argv);
    }
    DemoDatabase::instance().remove();
    return failures;
}
#include "tst_bad_input_tour.moc"
