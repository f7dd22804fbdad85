// The military-registration tab over the embedded demo database: its captions and
// the fields and dictionaries behind them, a loaded card, a change saved with its
// audit rows, and a first registration entered for an employee without one.
#include "TabInspection.h"

#include "card/MilitaryTab.h"
#include "ui/DbCheckBox.h"
#include "ui/DbEdit.h"
#include "ui/DbLookupComboBox.h"
#include "ui/PageControl.h"

#include <QPushButton>

using namespace zel;
using cardtest::CardSession;

namespace {

constexpr int kPage = 5;

struct Selector {
    const char* caption;
    const char* field;
    TDataSource* list;
    const char* key;
    const char* text;
    const char* table;
    const char* plus;  ///< the "+" button beside it, if any
};

struct Plain {
    const char* caption;
    const char* field;
};

struct MilitarySession : CardSession {
    MilitarySession()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }

    QWidget* captioned(const char* caption)
    {
        return cardtest::controlCaptioned(*window, kPage, QString::fromUtf8(caption));
    }
    ui::DbLookupComboBox* rank() { return qobject_cast<ui::DbLookupComboBox*>(captioned("Воинское звание:")); }
    ui::DbEdit* office() { return qobject_cast<ui::DbEdit*>(captioned("Название военкомата по месту жительства:")); }
    ui::DbEdit* specialty() { return qobject_cast<ui::DbEdit*>(captioned("ВУС:")); }
    ui::DbCheckBox* registered() { return qobject_cast<ui::DbCheckBox*>(captioned("Воинский учёт:")); }
};

}  // namespace

class MilitaryTabTest : public QObject {
    Q_OBJECT
private slots:
    void everyCaptionNamesItsFieldAndDictionary()
    {
        MilitarySession s;
        QCOMPARE(s.window->PageControl1->tabText(kPage), QStringLiteral("Воинский учет"));
        QVERIFY(s.window->findChild<MilitaryTab*>());
        s.window->PageControl1->showPage(kPage);
        const Selector selectors[] = {
            {"Воинское звание:", "id_mil_name", &s.dm.DS_Mil_name, "ID_mil_name", "mil_name", "Mil_name", "Button6"},
            {"Годность к военной службе:", "id_valid", &s.dm.DS_Mil_valid, "id_valid", "valid", "Mil_valid",
             nullptr},
            {"Род войск:", "id_R_voisk", &s.dm.DS_Mil_R_Voisk, "id_r_voisk", "R_voisk", "Mil_R_Voisk", "Button8"},
        };
        for (const Selector& row : selectors) {
            auto* box = qobject_cast<ui::DbLookupComboBox*>(s.captioned(row.caption));
            QVERIFY2(box, row.caption);
            QCOMPARE(cardtest::groupOf(box), QStringLiteral("Сведения о воинском учете"));
            QCOMPARE(box->binding().dataLink().DataSource(), &s.dm.DS_mil_card);
            QCOMPARE(box->binding().dataLink().fieldName(), QString::fromLatin1(row.field));
            QCOMPARE(box->binding().model()->listSource(), row.list);
            QCOMPARE(box->binding().model()->keyFieldName(), QString::fromLatin1(row.key));
            // The entries are the dictionary's texts.
            QStringList offered = cardtest::entriesOf(box);
            QStringList dictionary;
            for (const QStringList& r :
                 s.rows(QStringLiteral("select %1 from %2").arg(QString::fromLatin1(row.text), row.table)))
                dictionary << r[0];
            offered.sort();
            dictionary.sort();
            QCOMPARE(offered, dictionary);
            if (row.plus) {
                auto* plus = cardtest::control<QPushButton>(*s.window, row.plus);
                QVERIFY(plus);
                QCOMPARE(plus->text(), QStringLiteral("+"));
                QCOMPARE(plus->parentWidget(), box->parentWidget());
                QVERIFY(plus->geometry().left() >= box->geometry().right());
                QVERIFY(plus->geometry().top() <= box->geometry().center().y());
                QVERIFY(plus->geometry().bottom() >= box->geometry().center().y());
            }
        }
        const Plain edits[] = {
            {"Название военкомата по месту жительства:", "voencom"},
            {"Состав:", "Sostav"},
            {"ВУС:", "Vus"},
        };
        for (const Plain& row : edits) {
            auto* edit = qobject_cast<ui::DbEdit*>(s.captioned(row.caption));
            QVERIFY2(edit, row.caption);
            QCOMPARE(cardtest::groupOf(edit), QStringLiteral("Сведения о воинском учете"));
            QCOMPARE(edit->dataLink().DataSource(), &s.dm.DS_mil_card);
            QCOMPARE(edit->dataLink().fieldName(), QString::fromLatin1(row.field));
        }
        auto* box = s.registered();
        QVERIFY(box);
        QCOMPARE(box->dataLink().DataSource(), &s.dm.DS_mil_card);
        QCOMPARE(box->dataLink().fieldName(), QStringLiteral("Voinsk_uchet"));

        // Top to bottom in the order of the table.
        const char* order[] = {"Воинское звание:", "Годность к военной службе:",
                               "Название военкомата по месту жительства:", "Род войск:", "Состав:", "ВУС:",
                               "Воинский учёт:"};
        int previous = -1;
        for (const char* caption : order) {
            const int y = s.captioned(caption)->mapTo(s.window.get(), QPoint(0, 0)).y();
            QVERIFY2(y > previous, caption);
            previous = y;
        }
    }

    void aLoadedCardShowsTheRegistration()
    {
        MilitarySession s;
        const auto card = s.rows(QStringLiteral(
            "select top 1 m.id_teacher, n.mil_name, v.valid, m.voencom, r.R_voisk, m.Sostav, m.Vus, m.Voinsk_uchet "
            "from mil_card_ m join Mil_name n on n.ID_mil_name = m.id_mil_name "
            "join Mil_valid v on v.id_valid = m.id_valid join Mil_R_Voisk r on r.id_r_voisk = m.id_R_voisk "
            "where m.id_teacher <> 1 and m.Voinsk_uchet = 1 and m.voencom is not null"));
        QCOMPARE(card.size(), 1);
        s.loadEmployee(card[0][0].toInt());
        QCOMPARE(s.rank()->currentText(), card[0][1]);
        QCOMPARE(qobject_cast<QComboBox*>(s.captioned("Годность к военной службе:"))->currentText(), card[0][2]);
        QCOMPARE(s.office()->text(), card[0][3]);
        QCOMPARE(qobject_cast<QComboBox*>(s.captioned("Род войск:"))->currentText(), card[0][4]);
        QCOMPARE(qobject_cast<QLineEdit*>(s.captioned("Состав:"))->text(), card[0][5] == "NULL" ? QString() : card[0][5]);
        QCOMPARE(s.specialty()->text(), card[0][6] == "NULL" ? QString() : card[0][6]);
        QVERIFY(s.registered()->isChecked());

        // An employee with no registration shows empty controls.
        const int without = s.scalar(QStringLiteral(
            "select top 1 id_teacher from TEACHER where id_teacher <> 1 and id_teacher not in "
            "(select id_teacher from mil_card_ where id_teacher is not null)"));
        QVERIFY(without > 1);
        s.loadEmployee(without);
        QVERIFY(s.rank()->currentText().isEmpty());
        QVERIFY(s.office()->text().isEmpty());
        QVERIFY(!s.registered()->isChecked());
    }

    void aChangedRegistrationIsSavedWithItsAuditRows()
    {
        MilitarySession s;
        const auto card = s.rows(QStringLiteral(
            "select top 1 id_teacher, id_mil_card, id_mil_name from mil_card_ where id_teacher <> 1 "
            "and id_mil_name is not null"));
        s.loadEmployee(card[0][0].toInt());
        s.window->PageControl1->showPage(kPage);
        const int lastLog = s.scalar(QStringLiteral("select isnull(max(id_log), 0) from ZEL_LOG"));

        // Another rank picked with the keyboard, the office typed.
        ui::DbLookupComboBox* rank = s.rank();
        QVERIFY(cardtest::focus(rank));
        QTest::keyClick(rank, rank->currentIndex() + 1 < rank->count() ? Qt::Key_Down : Qt::Key_Up);
        const QString picked = rank->currentText();
        QVERIFY(!picked.isEmpty());
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(cardtest::focus(s.office()));
        s.office()->selectAll();
        cardtest::typeText(s.office(), QStringLiteral("Октябрьский РВК г. Бишкек"));
        s.window->Apply_Records_BtnClick();
        QVERIFY(s.messages().isEmpty());

        const auto saved = s.rows(QStringLiteral("select n.mil_name, m.voencom, m.ZEL_User from mil_card_ m "
                                                 "join Mil_name n on n.ID_mil_name = m.id_mil_name "
                                                 "where m.id_mil_card = ")
                                  + card[0][1]);
        QCOMPARE(saved[0][0], picked);
        QCOMPARE(saved[0][1], QStringLiteral("Октябрьский РВК г. Бишкек"));
        const auto logged = s.rows(QStringLiteral("select [table], row_id from ZEL_LOG where id_log > %1")
                                       .arg(lastLog));
        QCOMPARE(logged.size(), 2);
        for (const QStringList& row : logged)
            QCOMPARE(row, (QStringList{QStringLiteral("Mil_card"), card[0][1]}));
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void typingForAnEmployeeWithoutRegistrationCreatesIt()
    {
        MilitarySession s;
        const int without = s.scalar(QStringLiteral(
            "select top 1 id_teacher from TEACHER where id_teacher <> 1 and id_teacher not in "
            "(select id_teacher from mil_card_ where id_teacher is not null) order by id_teacher desc"));
        s.loadEmployee(without);
        s.window->PageControl1->showPage(kPage);
        QVERIFY(cardtest::focus(s.specialty()));
        cardtest::typeText(s.specialty(), QStringLiteral("021101"));
        QCOMPARE(s.dm.ADOQ_mil_card.State(), dsInsert);
        QTest::mouseClick(s.registered(), Qt::LeftButton, {}, QPoint(4, s.registered()->height() / 2));
        s.window->Apply_Records_BtnClick();
        QVERIFY(s.messages().isEmpty());
        const auto rows = s.rows(QStringLiteral("select Vus, Voinsk_uchet, ZEL_User from mil_card_ where id_teacher = %1")
                                     .arg(without));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0], QStringLiteral("021101"));
        QVERIFY(rows[0][1] == QStringLiteral("1") || rows[0][1].compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0);
        QCOMPARE(rows[0][2], QStringLiteral("ivanova"));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<MilitaryTabTest>(argc, argv);
}

#include "tst_military_tab.moc"
