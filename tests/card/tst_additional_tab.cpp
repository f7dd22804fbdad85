// The card's "Доп. сведения" tab over the embedded demo database: works, rank,
// languages, awards, trips, elected bodies, pension and party.
#include "TabChecks.h"

#include "card/AdditionalTab.h"
#include "ui/PageControl.h"

#include <QPushButton>

using namespace zel;
using cardtest::CardSession;
using Kind = ui::GridColumn::Kind;
using Nav = ui::DbNavigator;
using Answer = ui::DialogService::Answer;

namespace {

int employeeWith(CardSession& s, const char* table)
{
    return s.scalar(QStringLiteral("select top 1 id_teacher from %1 where id_teacher <> 1 order by id_teacher")
                        .arg(QLatin1String(table)));
}

}  // namespace

class AdditionalTabTest : public QObject {
    Q_OBJECT
private slots:
    void aDemoEmployeeFillsTheTab()
    {
        CardSession s;
        const int key = cardtest::showRichestEmployee(s);
        QVERIFY(s.window->PageControl1->userSelect(3));
        QCOMPARE(s.window->PageControl1->currentIndex(), 3);
        AdditionalTab& tab = *s.window->TabSheet4;
        const QList<std::pair<ui::DbGrid*, const char*>> grids = {
            {tab.DBGridEh7, "Language_OPTIONS"}, {tab.DBGridEh4, "Nagrada"}, {tab.DBGridEh5, "Abroad"},
            {tab.DBGridEh6, "Elect_org"}};
        int filled = 0;
        for (const auto& [grid, table] : grids) {
            const int rows = s.scalar(QStringLiteral("select count(*) from %1 where id_teacher = %2")
                                          .arg(QLatin1String(table)).arg(key));
            QCOMPARE(grid->tableModel()->rowCount(), rows);
            filled += rows > 0 ? 1 : 0;
        }
        QVERIFY(filled >= 2);
        QVERIFY(s.messages().isEmpty());
        cardtest::screenshot(s.window.get(), QStringLiteral("tab4-additional"));
    }

    void controlsCaptionsAndGroups()
    {
        CardSession s;
        s.loadEmployee(employeeWith(s, "Pensioners"));
        AdditionalTab& tab = *s.window->TabSheet4;
        QCOMPARE(tab.objectName(), QStringLiteral("TabSheet4"));
        QCOMPARE(s.window->PageControl1->tabText(3), QStringLiteral("Доп. сведения"));
        const QStringList groups = cardtest::groupTitles(&tab);
        for (const char* title : {"Информация о себе", "Имеете ли вы дипломатический ранг или иные классные звания",
                                  "Знание языков", "Гос. награды", "Командировки",
                                  "Участие в международных, государственных и других выборных органах ",
                                  "Где и когда назначена пенсия", "Партийность"})
            QVERIFY2(groups.contains(QString::fromUtf8(title)), title);

        cardtest::checkBindings(&tab, {
                                          {"DBMemo1", &s.dm.DS_Teacher_2, "nauch_r",
                                           "Какие имеете научные труды, изобретения:"},
                                          {"DBLookupComboBox2", &s.dm.DS_Teacher_2, "id_rang", nullptr},
                                          {"DBCheckBox1", &s.dm.DSPensioner, "pensioner", "Пенсионер"},
                                          {"DBDateTimeEditEh4", &s.dm.DSPensioner, "date", "Дата назначения пенсии"},
                                          {"DBLookupComboBox4", &s.dm.DSPensioner, "id_district", "Район"},
                                          {"DBEdit20", &s.dm.DS_Partiya, "name", "Наименование партии"},
                                          {"DBDateTimeEditEh5", &s.dm.DS_Partiya, "date", "Месяц и год вступления"},
                                      });
        cardtest::checkLookupList(tab.DBLookupComboBox2, &s.dm.DS_Rang, "id_rang", "rang");
        cardtest::checkLookupList(tab.DBLookupComboBox4, &s.dm.DS_District, "IDDistrict", "NameDistrict");
        QCOMPARE(tab.Button2->objectName(), QStringLiteral("Button2"));
        QCOMPARE(tab.Button2->text(), QStringLiteral("+"));
        QCOMPARE(tab.PensionerCheckBox->text(), QStringLiteral("Пенсионер1"));
        QVERIFY(tab.PensionerCheckBox->isHidden());
        QCOMPARE(s.window->PensionerCheckBox, tab.PensionerCheckBox);
        // The pension district of the loaded employee is shown by its name.
        const QString district = s.rows(QStringLiteral("select NameDistrict from DistrictKR where IDDistrict = %1")
                                            .arg(s.dm.ADOQPensioner.FieldByName(QStringLiteral("id_district"))->AsInteger()))
                                     .value(0)
                                     .value(0);
        QCOMPARE(tab.DBLookupComboBox4->currentText(), district);
    }

    void gridsAndNavigator()
    {
        CardSession s;
        s.loadEmployee(employeeWith(s, "Nagrada"));
        AdditionalTab& tab = *s.window->TabSheet4;
        cardtest::checkGrid(tab.DBGridEh7, &s.dm.DS_Lang_options,
                            {{"language", "Язык", Kind::Lookup}, {"level", "Уровень знания", Kind::Lookup}});
        cardtest::checkGrid(tab.DBGridEh4, &s.dm.DS_Nagrada,
                            {{"nagrada", "Награда"}, {"date_get", "Когда", Kind::Date}, {"By_who", "Кем награжден"}});
        cardtest::checkGrid(tab.DBGridEh5, &s.dm.DS_Abroad,
                            {
                                {"date_begin", "Месяц, год|Начала", Kind::Date},
                                {"date_end", "Месяц, год|Окончания", Kind::Date},
                                {"country", "Куда"},
                                {"purchose", "Цель прибывания"},
                                {"orderNum", "Приказ|№"},
                                {"orderDate", "Приказ|Дата", Kind::Date},
                            });
        cardtest::checkGrid(tab.DBGridEh6, &s.dm.DS_Elect_org,
                            {
                                {"address", "Местонахождение органа"},
                                {"organ", "Название органа"},
                                {"elected_as", "В качестве кого избран"},
                                {"year_elect", "Год|Избрания"},
                                {"year_End", "Год|Выбытия"},
                            });
        for (const auto& [grid, name] : {std::pair{tab.DBGridEh7, "DBGridEh7"}, std::pair{tab.DBGridEh4, "DBGridEh4"},
                                         std::pair{tab.DBGridEh5, "DBGridEh5"}, std::pair{tab.DBGridEh6, "DBGridEh6"}})
            QCOMPARE(grid->objectName(), QString::fromLatin1(name));
        cardtest::checkNavigator(tab.DBNavigator2, &s.dm.DS_Nagrada,
                                 {{Nav::Insert, QStringLiteral("Добавить награду")},
                                  {Nav::Delete, QStringLiteral("Удалить награду")}});
        QVERIFY(s.dm.ADOQ_Nagrada.RecordCount() > 0);
        QCOMPARE(tab.DBGridEh4->tableModel()->rowCount(), s.dm.ADOQ_Nagrada.RecordCount());
    }

    void deletingAnAwardAsksFirst()
    {
        CardSession s;
        const int key = employeeWith(s, "Nagrada");
        s.loadEmployee(key);
        AdditionalTab& tab = *s.window->TabSheet4;
        const QString count = QStringLiteral("select count(*) from Nagrada where id_teacher = %1").arg(key);
        const int before = s.scalar(count);
        s.dialogs.queueAnswer(Answer::No);
        tab.DBNavigator2->button(Nav::Delete)->click();
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown()[0].buttons, ui::DialogService::Buttons::YesNo);
        QCOMPARE(s.scalar(count), before);
        QCOMPARE(s.dm.ADOQ_Nagrada.RecordCount(), before);

        s.dialogs.queueAnswer(Answer::Yes);
        tab.DBNavigator2->button(Nav::Delete)->click();
        QCOMPARE(s.scalar(count), before - 1);
    }

    void anAwardCellDoesNotArmSaveAnElectedBodyCellDoes()
    {
        CardSession s;
        const int key = s.scalar(QStringLiteral(
            "select top 1 n.id_teacher from Nagrada n join Abroad a on a.id_teacher = n.id_teacher"
            " where n.id_teacher <> 1"));
        QVERIFY(key > 1);
        s.loadEmployee(key);
        AdditionalTab& tab = *s.window->TabSheet4;
        // Each dataset already editing its first row: only a column's own handler can arm Save.
        for (TDataSet* ds : std::initializer_list<TDataSet*>{&s.dm.ADOQ_Nagrada, &s.dm.ADOQ_Elect_org,
                                                            &s.dm.ADOQ_Abroad, &s.dm.ADOQ_Lang_options}) {
            if (ds->IsEmpty()) {
                ds->Insert();
            } else {
                ds->First();
                ds->Edit();
            }
        }
        struct Case {
            ui::DbGrid* grid;
            const char* field;
            QVariant value;
            bool arms;
        };
        const QList<Case> cases = {
            {tab.DBGridEh4, "nagrada", QStringLiteral("Орден «Манас»"), false},
            {tab.DBGridEh4, "date_get", QStringLiteral("31.08.2011"), false},
            {tab.DBGridEh4, "By_who", QStringLiteral("Президент"), false},
            {tab.DBGridEh6, "organ", QStringLiteral("Жогорку Кенеш"), true},
            {tab.DBGridEh6, "year_End", QStringLiteral("2020"), true},
            {tab.DBGridEh5, "country", QStringLiteral("Казахстан"), true},
            {tab.DBGridEh5, "date_end", QStringLiteral("01.03.2019"), true},
            {tab.DBGridEh5, "orderNum", QStringLiteral("12-к"), false},
            {tab.DBGridEh5, "orderDate", QStringLiteral("01.02.2019"), false},
        };
        for (const Case& c : cases) {
            s.window->SetSaveEnabled(false);
            QVERIFY2(cardtest::commitCell(c.grid, 0, c.field, c.value), c.field);
            QVERIFY2(s.window->Apply_Records_Btn->isEnabled() == c.arms, c.field);
        }
        // A language picked from its dictionary arms it too.
        s.window->SetSaveEnabled(false);
        const QVariant level = s.rows(QStringLiteral("select top 1 id_Level from Level")).value(0).value(0);
        QVERIFY(cardtest::commitCell(tab.DBGridEh7, 0, "level", level));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
    }

    void emptyDatesOfTheAwardsAndTripsButNotTheOrderDate()
    {
        CardSession s;
        const int key = s.scalar(QStringLiteral(
            "select top 1 n.id_teacher from Nagrada n join Abroad a on a.id_teacher = n.id_teacher"
            " where n.id_teacher <> 1 and a.orderDate is not null and n.date_get is not null"));
        QVERIFY(key > 1);
        s.loadEmployee(key);
        AdditionalTab& tab = *s.window->TabSheet4;
        TADOQuery& awards = s.dm.ADOQ_Nagrada;
        TADOQuery& trips = s.dm.ADOQ_Abroad;
        QVERIFY(awards.Locate(QStringLiteral("id_teacher"), key));
        const int awardRow = awards.RecNo() - 1;
        const QString awardId = awards.FieldByName(QStringLiteral("id_nagrada"))->AsString();
        QVERIFY(cardtest::commitCell(tab.DBGridEh4, awardRow, "date_get", QStringLiteral("  .  .    ")));
        QVERIFY(awards.FieldByName(QStringLiteral("date_get"))->IsNull());
        QVERIFY(!cardtest::commitCell(tab.DBGridEh4, awardRow, "date_get", QStringLiteral("1 .  .2010")));

        trips.First();
        for (; !trips.Eof() && trips.FieldByName(QStringLiteral("orderDate"))->IsNull(); trips.Next()) {
        }
        QVERIFY(!trips.Eof());
        const int tripRow = trips.RecNo() - 1;
        QVERIFY(cardtest::commitCell(tab.DBGridEh5, tripRow, "date_begin", QStringLiteral("  .  .    ")));
        QVERIFY(trips.FieldByName(QStringLiteral("date_begin"))->IsNull());
        // The order date has no empty-date rule: the blank mask goes to the field's own conversion.
        const QDate ordered = trips.FieldByName(QStringLiteral("orderDate"))->AsDateTime().date();
        QVERIFY(!cardtest::commitCell(tab.DBGridEh5, tripRow, "orderDate", QStringLiteral("  .  .    ")));
        QCOMPARE(trips.FieldByName(QStringLiteral("orderDate"))->AsDateTime().date(), ordered);

        s.window->Apply_Records_BtnClick();
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from Nagrada where id_nagrada = %1 and date_get is null")
                              .arg(awardId)),
                 1);
    }

    void pensionControlsFollowTheHiddenBox()
    {
        CardSession s;
        AdditionalTab& tab = *s.window->TabSheet4;
        const QList<QWidget*> pension = {tab.Label_pension_date, tab.DBDateTimeEditEh4, tab.Label_district,
                                         tab.DBLookupComboBox4};
        QCOMPARE(tab.Label_pension_date->text(), QStringLiteral("Дата назначения пенсии"));
        QCOMPARE(tab.Label_district->text(), QStringLiteral("Район"));
        // Nothing loaded: all four disabled.
        for (QWidget* w : pension)
            QVERIFY(!w->isEnabled());

        s.loadEmployee(employeeWith(s, "Pensioners"));
        QVERIFY(tab.PensionerCheckBox->isChecked());
        for (QWidget* w : pension)
            QVERIFY(w->isEnabled());

        const int none = s.scalar(QStringLiteral(
            "select top 1 id_teacher from TEACHER where id_teacher <> 1"
            " and id_teacher not in (select id_teacher from Pensioners where id_teacher is not null)"));
        s.loadEmployee(none);
        QVERIFY(!tab.PensionerCheckBox->isChecked());
        for (QWidget* w : pension)
            QVERIFY(!w->isEnabled());

        // The visible box is a plain data control: ticking it starts a pension row only.
        tab.DBCheckBox1->click();
        QCOMPARE(s.dm.ADOQPensioner.State(), dsInsert);
        for (QWidget* w : pension)
            QVERIFY(!w->isEnabled());
        // Saved, the reload finds the row and the controls open up.
        s.window->Apply_Records_BtnClick();
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from Pensioners where id_teacher = %1").arg(none)), 1);
        QVERIFY(tab.PensionerCheckBox->isChecked());
        for (QWidget* w : pension)
            QVERIFY(w->isEnabled());

        tab.PensionerCheckBox->setChecked(false);
        for (QWidget* w : pension)
            QVERIFY(!w->isEnabled());
    }

    void partyAndWorksAreSaved()
    {
        CardSession s;
        s.window->show();
        const int key = employeeWith(s, "Partiya");
        s.loadEmployee(key);
        s.window->PageControl1->showPage(3);
        AdditionalTab& tab = *s.window->TabSheet4;
        QTest::mouseClick(tab.DBEdit20, Qt::LeftButton);
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        tab.DBEdit20->selectAll();
        cardtest::typeText(tab.DBEdit20, QStringLiteral("Ата-Журт"));
        tab.DBMemo1->setFocus();
        tab.DBMemo1->selectAll();
        cardtest::typeText(tab.DBMemo1, QStringLiteral("Статьи о д'Аламбере"));
        s.window->Apply_Records_Btn->click();
        QCOMPARE(s.rows(QStringLiteral("select name from Partiya where id_teacher = %1").arg(key))[0][0],
                 QStringLiteral("Ата-Журт"));
        QCOMPARE(s.rows(QStringLiteral("select nauch_r from TEACHER_info where id_teacher = %1").arg(key))[0][0],
                 QStringLiteral("Статьи о д'Аламбере"));
        QVERIFY(s.messages().isEmpty());
    }

    void leavingTheTripsGridPostsIt()
    {
        CardSession s;
        s.window->show();
        s.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        s.loadEmployee(employeeWith(s, "Abroad"));
        s.window->PageControl1->showPage(3);
        AdditionalTab& tab = *s.window->TabSheet4;
        s.dm.ADOQ_Abroad.First();
        const QString id = s.dm.ADOQ_Abroad.FieldByName(QStringLiteral("id_abroad"))->AsString();
        tab.DBGridEh5->setFocus();
        QTRY_VERIFY(tab.DBGridEh5->hasFocus());
        QVERIFY(cardtest::commitCell(tab.DBGridEh5, 0, "purchose", QStringLiteral("Конференция")));
        tab.DBGridEh6->setFocus();
        QTRY_COMPARE(s.dm.ADOQ_Abroad.State(), dsBrowse);
        QCOMPARE(s.rows(QStringLiteral("select purchose from Abroad where id_abroad = ") + id)[0][0],
                 QStringLiteral("Конференция"));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<AdditionalTabTest>(argc, argv);
}

#include "tst_additional_tab.moc"
