// The address dictionary window over the embedded demo database: visible rows only,
// narrowing, toggles and panels, the region question, inserting each level, the
// refused places, a failing post, and the card resolving a new place at once.
#include "AddressTestSupport.h"

#include "address/TForm12.h"
#include "address/TForm6.h"
#include "card/AddressBlock.h"
#include "data/dataset/TADOTable.h"
#include "ui/DbEdit.h"
#include "ui/FlatButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QToolButton>

using namespace zel;
using addresstest::offered;
using addresstest::pick;
using addresstest::ServerFile;
using cardtest::CardSession;
using Answer = ui::DialogService::Answer;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

const QString kNotice = QStringLiteral("Уведомление");

/// The five lists the window filters, top down.
std::vector<TDataSet*> filteredLists(TDM_PUM& dm)
{
    return {&dm.ADOT_Republic, &dm.ADOQ_RegionAdd, &dm.ADOQ_DistrictAdd, &dm.ADOQ_CityAdd, &dm.ADOQ_VillageAdd};
}

/// Which add panels are shown, as "10100".
QString panelsShown(const TForm6& form)
{
    QString shown;
    for (const QWidget* panel : {form.Panel5, form.Panel1, form.Panel2, form.Panel3, form.Panel4})
        shown += panel->isVisibleTo(&form) ? u'1' : u'0';
    return shown;
}

void chooseSokuluk(TForm6& form)
{
    QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
    QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Чуйская область")));
    QVERIFY(pick(form.DBLookupComboBox14, QStringLiteral("Сокулукский район")));
}

}  // namespace

class AddressDictionaryTest : public QObject {
    Q_OBJECT
private slots:
    void theToolBarOpensItOnVisibleRowsAndClosingLiftsTheFilters()
    {
        CardSession s;
        ServerFile db;
        QPointer<TForm6> shown;
        QStringList republics;
        QString caption;
        QVector<bool> filteredWhileOpen;
        s.window->RunModal = [&](QDialog& dialog) {
            auto* form = qobject_cast<TForm6*>(&dialog);
            if (!form)
                return int(QDialog::Rejected);
            shown = form;
            caption = form->windowTitle();
            republics = offered(form->DBLookupComboBox1);
            for (TDataSet* list : filteredLists(s.dm))
                filteredWhileOpen << (list->Filtered() && list->Filter() == QStringLiteral("visible = 1"));
            form->close();
            return form->result();
        };
        QCOMPARE(s.window->SpeedButton4->hint(), QStringLiteral("Добавить в справочник"));
        s.window->SpeedButton4->click();

        QCOMPARE(caption, QStringLiteral("Справочник"));
        QVERIFY(shown.isNull());  // destroyed once closed
        QCOMPARE(filteredWhileOpen, QVector<bool>(5, true));
        QCOMPARE(sorted(republics), sorted(db.column(QStringLiteral("SELECT republic FROM Republics WHERE visible = 1"))));
        QVERIFY(!republics.contains(QStringLiteral("Союз Советских Социалистических Республик")));
        // Closed: every list offers its hidden rows again (the citizenship window reads ADOT_Republic).
        for (TDataSet* list : filteredLists(s.dm))
            QVERIFY2(!list->Filtered(), qPrintable(list->Name()));
        QCOMPARE(qint64(s.dm.ADOT_Republic.RecordCount()), db.number(QStringLiteral("SELECT count(*) FROM Republics")));
        QVERIFY(s.dm.ADOT_Republic.Locate(QStringLiteral("republic"),
                                          QStringLiteral("Союз Советских Социалистических Республик")));
        QCOMPARE(qint64(s.dm.ADOQ_DistrictAdd.RecordCount()), db.number(QStringLiteral("SELECT count(*) FROM DistrictKR")));
        QVERIFY(s.messages().isEmpty());
    }

    void choosingNarrowsTheListBelowAndTheTogglesShowOnePanel()
    {
        CardSession s;
        ServerFile db;
        TForm6 form(s.dm);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Справочник"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Республика"));
        QCOMPARE(form.RadioButton4->text(), QStringLiteral("Село:"));
        QVERIFY(form.SpeedButton10->isChecked() && form.SpeedButton10->isEnabled());
        QCOMPARE(form.SpeedButton10->text(), QStringLiteral("->"));
        QCOMPARE(panelsShown(form), QStringLiteral("10000"));
        for (QWidget* off : std::initializer_list<QWidget*>{form.DBLookupComboBox13, form.DBLookupComboBox14,
                                                           form.DBLookupComboBox15, form.DBLookupComboBox16,
                                                           form.SpeedButton5, form.SpeedButton6, form.SpeedButton7,
                                                           form.SpeedButton8, form.RadioButton3, form.RadioButton4,
                                                           form.SpeedButton9, form.SpeedButton1, form.SpeedButton4})
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        QVERIFY(form.RadioButton3->isChecked());
        QCOMPARE(form.SpeedButton9->toolTip(), QStringLiteral("Сохранить"));
        QCOMPARE(form.Edit5->width(), 201);

        // A save button is offered exactly while its box holds text.
        form.Edit5->setText(QStringLiteral(" "));
        QVERIFY(form.SpeedButton9->isEnabled());
        form.Edit5->clear();
        QVERIFY(!form.SpeedButton9->isEnabled());

        const qint64 kg = db.keyOf("Republics", "id_republics", "republic", QStringLiteral("Кыргызская Республика"));
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
        QCOMPARE(s.dm.ADOQ_RegionAdd.Filter(), QStringLiteral("id_republic=%1 AND visible = 1").arg(kg));
        QVERIFY(form.DBLookupComboBox13->isEnabled() && form.SpeedButton5->isEnabled());
        QCOMPARE(sorted(offered(form.DBLookupComboBox13)),
                 sorted(db.column(QStringLiteral("SELECT NameRegion FROM RegionKR WHERE id_republic = %1 AND visible = 1").arg(kg))));
        QVERIFY(!offered(form.DBLookupComboBox13).contains(QStringLiteral("Фрунзенская область")));

        QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Чуйская область")));
        QVERIFY(form.DBLookupComboBox14->isEnabled() && form.SpeedButton6->isEnabled());
        const qint64 chuy = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Чуйская область"));
        QCOMPARE(sorted(offered(form.DBLookupComboBox14)),
                 sorted(db.column(QStringLiteral("SELECT NameDistrict FROM DistrictKR WHERE IDRegion = %1 AND visible = 1").arg(chuy))));
        QVERIFY(!offered(form.DBLookupComboBox14).contains(QStringLiteral("Калининский район")));

        QVERIFY(pick(form.DBLookupComboBox14, QStringLiteral("Сокулукский район")));
        QCOMPARE(offered(form.DBLookupComboBox15), QStringList{QStringLiteral("Шопоков")});
        QCOMPARE(sorted(offered(form.DBLookupComboBox16)),
                 sorted(QStringList{QStringLiteral("Сокулук"), QStringLiteral("Новопавловка"), QStringLiteral("Гавриловка"),
                         QStringLiteral("Кун-Туу")}));
        QVERIFY(form.RadioButton3->isEnabled() && form.RadioButton4->isEnabled() && form.RadioButton3->isChecked());
        QVERIFY(form.DBLookupComboBox15->isEnabled() && !form.DBLookupComboBox16->isEnabled());
        QVERIFY(form.SpeedButton7->isEnabled() && !form.SpeedButton8->isEnabled());
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR"))
            form.grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/dictionary.png"));

        form.RadioButton4->click();
        QVERIFY(form.DBLookupComboBox16->isEnabled() && !form.DBLookupComboBox15->isEnabled());
        QVERIFY(form.SpeedButton8->isEnabled() && !form.SpeedButton7->isEnabled());
        form.SpeedButton8->click();
        QCOMPARE(panelsShown(form), QStringLiteral("00001"));
        QVERIFY(!form.SpeedButton10->isChecked());
        form.SpeedButton5->click();
        QCOMPARE(panelsShown(form), QStringLiteral("01000"));
        QVERIFY(!form.SpeedButton8->isChecked());

        // A hidden village of another district stays hidden.
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
        QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Ошская область")));
        QVERIFY(pick(form.DBLookupComboBox14, QStringLiteral("Кара-Сууский район")));
        QCOMPARE(offered(form.DBLookupComboBox16), QStringList{QStringLiteral("Нариман")});
        QVERIFY(form.RadioButton3->isChecked());
        QVERIFY(s.messages().isEmpty());
    }

    void eachLevelIsAddedUnderItsParentAndOnlyTheRegionAsks()
    {
        CardSession s;
        ServerFile db;
        TForm6 form(s.dm);
        const qint64 kg = db.keyOf("Republics", "id_republics", "republic", QStringLiteral("Кыргызская Республика"));
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));

        // Region: asked first; No changes nothing.
        form.SpeedButton5->click();
        QCOMPARE(panelsShown(form), QStringLiteral("01000"));
        form.Edit1->setText(QStringLiteral("Таласская область"));
        s.dialogs.queueAnswer(Answer::No);
        form.SpeedButton1->click();
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown()[0].caption, kNotice);
        QCOMPARE(s.dialogs.shown()[0].text, QStringLiteral("Вы действительно хотите добавить запись?"));
        QCOMPARE(s.dialogs.shown()[0].icon, ui::DialogService::Icon::Question);
        QCOMPARE(s.dialogs.shown()[0].buttons, ui::DialogService::Buttons::YesNo);
        QCOMPARE(db.number(QStringLiteral("SELECT count(*) FROM RegionKR WHERE NameRegion = 'Таласская область'")), 0);
        QCOMPARE(form.Edit1->text(), QStringLiteral("Таласская область"));
        s.dialogs.queueAnswer(Answer::Yes);
        form.SpeedButton1->click();
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(db.rows(QStringLiteral("SELECT id_republic, visible FROM RegionKR WHERE NameRegion = 'Таласская область'")),
                 QStringList{QStringLiteral("%1|1").arg(kg)});
        const qint64 talas = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Таласская область"));
        QVERIFY(form.Edit1->text().isEmpty());
        QVERIFY(!form.SpeedButton1->isEnabled());
        QVERIFY(offered(form.DBLookupComboBox13).contains(QStringLiteral("Таласская область")));
        for (TADOQuery* cardList : {&s.dm.ADOQ_Area, &s.dm.ADOQ_AreaNow})
            QCOMPARE(cardList->Lookup(QStringLiteral("IDRegion"), talas, QStringLiteral("NameRegion")).toString(),
                     QStringLiteral("Таласская область"));

        // District: no question; a name longer than the column is cut to its 25 characters.
        QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Таласская область")));
        form.SpeedButton6->click();
        const QString longName = QStringLiteral("Таласский район имени Манаса");  // 28 characters
        form.Edit2->setText(longName);
        form.SpeedButton2->click();
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(db.rows(QStringLiteral("SELECT NameDistrict, IDRegion, visible FROM DistrictKR WHERE IDRegion = %1").arg(talas)),
                 QStringList{longName.left(25) + QStringLiteral("|%1|1").arg(talas)});
        const qint64 district = db.number(QStringLiteral("SELECT IDDistrict FROM DistrictKR WHERE IDRegion = %1").arg(talas));
        for (TADOQuery* cardList : {&s.dm.ADOQ_Region, &s.dm.ADOQ_RegionNow})
            QCOMPARE(cardList->Lookup(QStringLiteral("IDDistrict"), district, QStringLiteral("NameDistrict")).toString(),
                     longName.left(25));

        // City and village of the new district.
        QVERIFY(pick(form.DBLookupComboBox14, longName.left(25)));
        QCOMPARE(form.DBLookupComboBox15->count(), 0);
        form.SpeedButton7->click();
        form.Edit3->setText(QStringLiteral("Талас"));
        form.SpeedButton3->click();
        form.RadioButton4->click();
        form.SpeedButton8->click();
        form.Edit4->setText(QStringLiteral("Кара-Буура"));
        form.SpeedButton4->click();
        QCOMPARE(db.rows(QStringLiteral("SELECT NameCity, visible FROM CityKR WHERE IDDistrict = %1").arg(district)),
                 QStringList{QStringLiteral("Талас|1")});
        QCOMPARE(db.rows(QStringLiteral("SELECT NameVillage, visible FROM VillageKR WHERE IDDistrict = %1").arg(district)),
                 QStringList{QStringLiteral("Кара-Буура|1")});
        QCOMPARE(offered(form.DBLookupComboBox15), QStringList{QStringLiteral("Талас")});
        QCOMPARE(offered(form.DBLookupComboBox16), QStringList{QStringLiteral("Кара-Буура")});
        const qint64 village = db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Кара-Буура"));
        QCOMPARE(s.dm.ADOQ_VillageNow.Lookup(QStringLiteral("IDVillage"), village, QStringLiteral("NameVillage")).toString(),
                 QStringLiteral("Кара-Буура"));

        // Republic: visible at once, in both republic lists of the card.
        form.SpeedButton10->click();
        form.Edit5->setText(QStringLiteral("Республика Армения"));
        form.SpeedButton9->click();
        QCOMPARE(db.rows(QStringLiteral("SELECT visible FROM Republics WHERE republic = 'Республика Армения'")),
                 QStringList{QStringLiteral("1")});
        const qint64 armenia = db.keyOf("Republics", "id_republics", "republic", QStringLiteral("Республика Армения"));
        QCOMPARE(s.dm.ADOT_Republic2.Lookup(QStringLiteral("id_republics"), armenia, QStringLiteral("republic")).toString(),
                 QStringLiteral("Республика Армения"));
        QVERIFY(offered(form.DBLookupComboBox1).contains(QStringLiteral("Республика Армения")));
        QCOMPARE(s.dialogs.shown().size(), 2);
    }

    void aDistrictGoesUnderTheRegionStillChosenAndACityUnderItsDistrict()
    {
        CardSession s;
        ServerFile db;
        TForm6 form(s.dm);
        const qint64 naryn = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Нарынская область"));
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
        QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Нарынская область")));
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Российская Федерация")));
        QVERIFY(offered(form.DBLookupComboBox13).contains(QStringLiteral("Московская область")));
        form.SpeedButton6->click();
        form.Edit2->setText(QStringLiteral("Джумгальский район"));
        form.SpeedButton2->click();
        QCOMPARE(db.rows(QStringLiteral("SELECT IDRegion FROM DistrictKR WHERE NameDistrict = 'Джумгальский район'")),
                 QStringList{QString::number(naryn)});

        // The city toggle stays down after switching to villages: a city is added.
        QVERIFY(pick(form.DBLookupComboBox14, QStringLiteral("Кочкорский район")));
        form.SpeedButton7->click();
        form.RadioButton4->click();
        QVERIFY(!form.SpeedButton7->isEnabled() && form.SpeedButton7->isChecked());
        QCOMPARE(panelsShown(form), QStringLiteral("00010"));
        form.Edit3->setText(QStringLiteral("Кочкор-Ата"));
        form.SpeedButton3->click();
        const qint64 kochkor = db.keyOf("DistrictKR", "IDDistrict", "NameDistrict", QStringLiteral("Кочкорский район"));
        QCOMPARE(db.rows(QStringLiteral("SELECT IDDistrict FROM CityKR WHERE NameCity = 'Кочкор-Ата'")),
                 QStringList{QString::number(kochkor)});
        QVERIFY(s.messages().isEmpty());
    }

    void aPlaceWithoutParentOrWithABlankNameIsRefused()
    {
        CardSession s;
        ServerFile db;
        TForm6 form(s.dm);
        const auto count = [&] {
            return db.number(QStringLiteral("SELECT (SELECT count(*) FROM Republics) + (SELECT count(*) FROM RegionKR)"
                                            " + (SELECT count(*) FROM DistrictKR) + (SELECT count(*) FROM CityKR)"
                                            " + (SELECT count(*) FROM VillageKR)"));
        };
        const qint64 before = count();

        form.Edit5->setText(QStringLiteral("   "));
        QVERIFY(form.SpeedButton9->isEnabled());
        form.SpeedButton9->click();
        QCOMPARE(form.Edit5->text(), QStringLiteral("   "));  // kept for correcting

        // No parent chosen: none of the lower levels is written, none is asked about.
        form.Edit1->setText(QStringLiteral("Область без республики"));
        form.SpeedButton1Click();
        form.Edit2->setText(QStringLiteral("Район без области"));
        form.SpeedButton2Click();
        form.Edit3->setText(QStringLiteral("Город без района"));
        form.SpeedButton3Click();
        form.Edit4->setText(QStringLiteral("Село без района"));
        form.SpeedButton4Click();
        // A parent chosen but a name of blanks only.
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
        form.Edit1->setText(QStringLiteral("  "));
        form.SpeedButton1Click();

        QCOMPARE(count(), before);
        QStringList texts;
        for (const auto& shown : s.dialogs.shown()) {
            QCOMPARE(shown.caption, kNotice);
            QCOMPARE(shown.icon, ui::DialogService::Icon::Warning);
            texts << shown.text;
        }
        const QString blank = QStringLiteral("Название не может состоять из одних пробелов. Введите название.");
        QCOMPARE(texts, (QStringList{
                            blank,
                            QStringLiteral("Не выбрана республика. Выберите республику, к которой относится новая область."),
                            QStringLiteral("Не выбрана область. Выберите область, к которой относится новый район."),
                            QStringLiteral("Не выбран район. Выберите район, к которому относится новый город."),
                            QStringLiteral("Не выбран район. Выберите район, к которому относится новое село."),
                            blank,
                        }));
        QCOMPARE(form.Edit4->text(), QStringLiteral("Село без района"));
        for (TDataSet* list : filteredLists(s.dm))
            QCOMPARE(list->State(), dsBrowse);
    }

    void aFailingPostKeepsTheRowTheTextAndTheCardLists()
    {
        CardSession s;
        ServerFile db;
        db.exec(QStringLiteral("CREATE TRIGGER refuse_city BEFORE INSERT ON CityKR WHEN NEW.NameCity = 'Запретный'"
                               " BEGIN SELECT RAISE(ABORT, 'город не принят'); END"));
        {
            TForm6 form(s.dm);
            chooseSokuluk(form);
            form.SpeedButton7->click();
            form.Edit3->setText(QStringLiteral("Запретный"));
            const qint64 since = db.startTrace();
            form.SpeedButton3->click();
            const QStringList traced = db.tracedSince(since);
            db.stopTrace();
            QCOMPARE(s.dialogs.shown().size(), 1);
            QCOMPARE(s.dialogs.shown()[0].icon, ui::DialogService::Icon::Error);
            QVERIFY(s.dialogs.shown()[0].text.contains(QStringLiteral("город не принят")));
            QCOMPARE(s.dm.ADOQ_CityAdd.State(), dsInsert);
            QCOMPARE(form.Edit3->text(), QStringLiteral("Запретный"));
            QVERIFY(form.SpeedButton3->isEnabled());
            QVERIFY(!traced.contains(QStringLiteral("Select * from CityKR")));
            // Closing drops the row that never reached the database.
            form.reject();
            QCOMPARE(s.dm.ADOQ_CityAdd.State(), dsBrowse);
            QVERIFY(!s.dm.ADOQ_CityAdd.Filtered());
        }
        {
            // Corrected in the same visit: the pending row is written once.
            TForm6 form(s.dm);
            chooseSokuluk(form);
            form.SpeedButton7->click();
            form.Edit3->setText(QStringLiteral("Запретный"));
            form.SpeedButton3->click();
            QCOMPARE(s.dm.ADOQ_CityAdd.State(), dsInsert);
            db.exec(QStringLiteral("DROP TRIGGER refuse_city"));
            form.SpeedButton3->click();
            QCOMPARE(s.dm.ADOQ_CityAdd.State(), dsBrowse);
            QCOMPARE(db.number(QStringLiteral("SELECT count(*) FROM CityKR WHERE NameCity = 'Запретный'")), 1);
            QVERIFY(form.Edit3->text().isEmpty());
            const qint64 city = db.keyOf("CityKR", "IDCity", "NameCity", QStringLiteral("Запретный"));
            QCOMPARE(s.dm.ADOQ_City.Lookup(QStringLiteral("IDCity"), city, QStringLiteral("NameCity")).toString(),
                     QStringLiteral("Запретный"));
        }
    }

    void aNewCityShowsOnTheCardWithoutARestart()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = db.number(QStringLiteral("SELECT id_teacher FROM TEACHER WHERE id_teacher > 1"
                                                        " ORDER BY id_teacher LIMIT 1 OFFSET 9"));
        s.loadEmployee(teacher);
        s.window->RunModal = [&](QDialog& dialog) {
            if (auto* form = qobject_cast<TForm6*>(&dialog)) {
                chooseSokuluk(*form);
                form->SpeedButton7->click();
                form->Edit3->setText(QStringLiteral("Ново-Сокулук"));
                form->SpeedButton3->click();
                form->accept();
                return form->result();
            }
            auto& picker = static_cast<TForm12&>(dialog);
            pick(picker.RepublicLookupComboBox, QStringLiteral("Кыргызская Республика"));
            pick(picker.RegionLookupComboBox, QStringLiteral("Чуйская область"));
            pick(picker.DistrictLookupComboBox, QStringLiteral("Сокулукский район"));
            pick(picker.CityLookupComboBox, QStringLiteral("Ново-Сокулук"));
            return int(QDialog::Accepted);
        };
        s.window->SpeedButton4->click();
        s.tab().PlaceOfBirth->button()->click();

        const qint64 city = db.keyOf("CityKR", "IDCity", "NameCity", QStringLiteral("Ново-Сокулук"));
        QCOMPARE(db.column(QStringLiteral("SELECT id_cityKR FROM Place_of_birth WHERE id_teacher = %1").arg(teacher)),
                 QStringList{QString::number(city)});
        QCOMPARE(s.tab().PlaceOfBirth->nameField(QStringLiteral("CITY"))->text(), QStringLiteral("Ново-Сокулук"));
        QVERIFY(s.messages().isEmpty());
    }
};

int runAddressDictionaryTests(int argc, char** argv)
{
    AddressDictionaryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_address_dictionary.moc"
