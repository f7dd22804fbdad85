// The card's three address buttons and ChooseAddress: Save first, the picker pre-set
// from the record, the keys written back with the fixed keys for empty levels, the
// stamps, the audit rows and the names on the card.
#include "AddressTestSupport.h"

#include "address/TForm12.h"
#include "card/AddressBlock.h"
#include "ui/DbEdit.h"
#include "ui/FlatButton.h"

#include <QPushButton>
#include <QRadioButton>

using namespace zel;
using addresstest::offered;
using addresstest::pick;
using addresstest::ServerFile;
using cardtest::CardSession;

namespace {

/// The n-th employee after the administrator's own row.
qint64 employee(ServerFile& db, int n)
{
    return db.number(QStringLiteral("SELECT id_teacher FROM TEACHER WHERE id_teacher > 1 ORDER BY id_teacher "
                                    "LIMIT 1 OFFSET %1").arg(n));
}

/// A place of the demo hierarchy by its district's name.
struct Place {
    qint64 republic, region, district;

    static Place of(ServerFile& db, const QString& districtName)
    {
        Place p{};
        p.district = db.keyOf("DistrictKR", "IDDistrict", "NameDistrict", districtName);
        p.region = db.number(QStringLiteral("SELECT IDRegion FROM DistrictKR WHERE IDDistrict = %1").arg(p.district));
        p.republic = db.number(QStringLiteral("SELECT id_republic FROM RegionKR WHERE IDRegion = %1").arg(p.region));
        return p;
    }
};

/// Replaces the employee's place-of-birth row; returns its key.
qint64 setBirthPlace(ServerFile& db, qint64 teacher, const QString& keys)
{
    db.exec(QStringLiteral("DELETE FROM Place_of_birth WHERE id_teacher = %1").arg(teacher));
    db.exec(QStringLiteral("INSERT INTO Place_of_birth (ZEL_User, id_teacher, id_republic, id_regionKR, id_districtKR,"
                           " id_cityKR, id_villageKR) VALUES ('kadry', %1, %2)").arg(teacher).arg(keys));
    return db.number(QStringLiteral("SELECT id_place_of_birth FROM Place_of_birth WHERE id_teacher = %1").arg(teacher));
}

QString birthKeys(ServerFile& db, qint64 teacher)
{
    return db.rows(QStringLiteral("SELECT id_republic, id_regionKR, id_districtKR, id_cityKR, id_villageKR, ZEL_User"
                                  " FROM Place_of_birth WHERE id_teacher = %1").arg(teacher)).join(u'/');
}

TForm12& pickerOf(QDialog& dialog)
{
    auto* picker = qobject_cast<TForm12*>(&dialog);
    if (!picker)
        qFatal("the card showed another window than the address picker");
    return *picker;
}

const QString kNameMessage = QStringLiteral("Значение ФИО должны быть заполнены корректно!");

}  // namespace

class AddressButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void okUntouchedOnAnEmployeeWithoutAddressInsertsTheFixedKeys()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 2);
        for (const char* table : {"Place_of_birth", "place_leave", "Place_of_residence"})
            db.exec(QStringLiteral("DELETE FROM %1 WHERE id_teacher = %2").arg(QLatin1String(table)).arg(teacher));
        s.loadEmployee(teacher);
        QVERIFY(s.dm.ADOQ_Place_of_birth.IsEmpty());
        int shown = 0;
        s.window->RunModal = [&](QDialog& dialog) {
            pickerOf(dialog);
            ++shown;
            return int(QDialog::Accepted);
        };

        s.tab().PlaceOfBirth->button()->click();
        s.tab().PlaceLeave->button()->click();
        s.tab().PlaceResidence->button()->click();
        QCOMPARE(shown, 3);
        QVERIFY(s.messages().isEmpty());
        const QString where = QStringLiteral(" WHERE id_teacher = %1").arg(teacher);
        QCOMPARE(db.rows(QStringLiteral("SELECT id_republic, id_regionKR, id_districtKR, id_cityKR, id_villageKR,"
                                        " ZEL_User, ZEL_Update FROM Place_of_birth") + where),
                 QStringList{QStringLiteral("NULL|11|300|200|2000|ivanova|NULL")});
        QCOMPARE(db.rows(QStringLiteral("SELECT id_republic, id_ragionKR, id_districtKR, id_cityKR, id_villageKR,"
                                        " ZEL_User, ZEL_Update FROM place_leave") + where),
                 QStringList{QStringLiteral("NULL|11|300|200|2000|ivanova|NULL")});
        QCOMPARE(db.rows(QStringLiteral("SELECT id_republic, id_regionKR, id_districtKR, id_cityKR, id_villageKR,"
                                        " ZEL_User, substr(ZEL_Update, 1, 10) FROM Place_of_residence") + where),
                 QStringList{QStringLiteral("NULL|11|300|200|2000|ivanova|")
                             + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))});
        // The fixed keys name no place.
        QCOMPARE(s.dm.ADOQ_Place_of_birth.State(), dsBrowse);
        for (const char* name : {"REPUBLIC", "AREA", "DISTRICT", "CITY", "VILLAGE"})
            QVERIFY(s.tab().PlaceOfBirth->nameField(QString::fromLatin1(name))->text().isEmpty());
    }

    void aPresetWithCityAndVillageKeysIsWrittenBackUnchanged()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 3);
        const Place sokuluk = Place::of(db, QStringLiteral("Сокулукский район"));
        const qint64 village = db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Сокулук"));
        setBirthPlace(db, teacher, QStringLiteral("%1, %2, %3, 200, %4")
                                       .arg(sokuluk.republic).arg(sokuluk.region).arg(sokuluk.district).arg(village));
        s.loadEmployee(teacher);
        QCOMPARE(s.tab().PlaceOfBirth->nameField(QStringLiteral("VILLAGE"))->text(), QStringLiteral("Сокулук"));
        const qint64 logged = db.lastLogId();

        bool cityMode = false, villageListOpen = true;
        QVariant cityChoice, villageChoice, districtChoice;
        QString cityShown = QStringLiteral("?"), districtShown;
        s.window->RunModal = [&](QDialog& dialog) {
            TForm12& picker = pickerOf(dialog);
            cityMode = picker.CityRB->isChecked() && picker.CityLookupComboBox->isEnabled();
            villageListOpen = picker.VillageLookupComboBox->isEnabled();
            cityChoice = picker.CityLookupComboBox->keyValue();
            villageChoice = picker.VillageLookupComboBox->keyValue();
            districtChoice = picker.DistrictLookupComboBox->keyValue();
            cityShown = picker.CityLookupComboBox->currentText();
            districtShown = picker.DistrictLookupComboBox->currentText();
            if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR")) {
                picker.show();
                picker.grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/picker.png"));
            }
            return int(QDialog::Accepted);
        };
        s.tab().PlaceOfBirth->button()->click();

        QVERIFY(cityMode);
        QVERIFY(!villageListOpen);
        QCOMPARE(cityChoice.toInt(), 200);
        QVERIFY(cityShown.isEmpty());  // a key with no row shows nothing but is kept
        QCOMPARE(villageChoice.toLongLong(), village);
        QCOMPARE(districtChoice.toLongLong(), sokuluk.district);
        QCOMPARE(districtShown, QStringLiteral("Сокулукский район"));
        QCOMPARE(birthKeys(db, teacher), QStringLiteral("%1|%2|%3|200|%4|kadry")
                                             .arg(sokuluk.republic).arg(sokuluk.region).arg(sokuluk.district).arg(village));
        QCOMPARE(db.lastLogId(), logged);
    }

    void switchingToVillageStoresTheFixedCityAndLogsEachChangedKey()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 4);
        const Place sokuluk = Place::of(db, QStringLiteral("Сокулукский район"));
        const qint64 city = db.keyOf("CityKR", "IDCity", "NameCity", QStringLiteral("Шопоков"));
        const qint64 village = db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Гавриловка"));
        const qint64 row = setBirthPlace(db, teacher, QStringLiteral("%1, %2, %3, %4, 2000")
                                                          .arg(sokuluk.republic).arg(sokuluk.region)
                                                          .arg(sokuluk.district).arg(city));
        s.loadEmployee(teacher);
        QCOMPARE(s.tab().PlaceOfBirth->nameField(QStringLiteral("CITY"))->text(), QStringLiteral("Шопоков"));
        const qint64 logged = db.lastLogId();
        bool picked = false;
        s.window->RunModal = [&](QDialog& dialog) {
            TForm12& picker = pickerOf(dialog);
            picker.VillageRB->click();
            picked = pick(picker.VillageLookupComboBox, QStringLiteral("Гавриловка"));
            return int(QDialog::Accepted);
        };
        s.tab().PlaceOfBirth->button()->click();

        QVERIFY(picked);
        QCOMPARE(birthKeys(db, teacher), QStringLiteral("%1|%2|%3|200|%4|kadry")
                                             .arg(sokuluk.republic).arg(sokuluk.region).arg(sokuluk.district).arg(village));
        const QString workstation = s.window->Workstation();
        QCOMPARE(db.rows(QStringLiteral("SELECT [table], row_id, descr, ZEL_User, comp FROM ZEL_LOG WHERE id_log > %1"
                                        " ORDER BY id_log").arg(logged)),
                 (QStringList{
                     QStringLiteral("Place_of_birth|%1|Поле \"id_cityKR\" изменило значение \"%2\" на \"200\".|ivanova|%3")
                         .arg(row).arg(city).arg(workstation),
                     QStringLiteral("Place_of_birth|%1|Поле \"id_villageKR\" изменило значение \"2000\" на \"%2\".|ivanova|%3")
                         .arg(row).arg(village).arg(workstation),
                 }));
        // The names follow the new keys at once.
        QCOMPARE(s.tab().PlaceOfBirth->nameField(QStringLiteral("VILLAGE"))->text(), QStringLiteral("Гавриловка"));
        QVERIFY(s.tab().PlaceOfBirth->nameField(QStringLiteral("CITY"))->text().isEmpty());
        QCOMPARE(s.tab().PlaceOfBirth->nameField(QStringLiteral("DISTRICT"))->text(), QStringLiteral("Сокулукский район"));
        QVERIFY(s.messages().isEmpty());
    }

    void anotherRepublicStoresTheFixedKeysBelowIt()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 5);
        const Place kant = Place::of(db, QStringLiteral("Ысык-Атинский район"));
        const qint64 city = db.keyOf("CityKR", "IDCity", "NameCity", QStringLiteral("Кант"));
        db.exec(QStringLiteral("DELETE FROM place_leave WHERE id_teacher = %1").arg(teacher));
        db.exec(QStringLiteral("INSERT INTO place_leave (ZEL_User, id_teacher, id_republic, id_ragionKR, id_districtKR,"
                               " id_cityKR, id_villageKR, Address) VALUES ('kadry', %1, %2, %3, %4, %5, 2000,"
                               " 'ул. Ленина, 5')").arg(teacher).arg(kant.republic).arg(kant.region).arg(kant.district).arg(city));
        s.loadEmployee(teacher);
        QCOMPARE(s.tab().PlaceLeave->nameField(QStringLiteral("AREA"))->text(), QStringLiteral("Чуйская область"));
        bool picked = false;
        s.window->RunModal = [&](QDialog& dialog) {
            picked = pick(pickerOf(dialog).RepublicLookupComboBox, QStringLiteral("Российская Федерация"));
            return int(QDialog::Accepted);
        };
        s.tab().PlaceLeave->button()->click();

        QVERIFY(picked);
        const qint64 russia = db.keyOf("Republics", "id_republics", "republic", QStringLiteral("Российская Федерация"));
        QCOMPARE(db.rows(QStringLiteral("SELECT id_republic, id_ragionKR, id_districtKR, id_cityKR, id_villageKR, Address"
                                        " FROM place_leave WHERE id_teacher = %1").arg(teacher)),
                 QStringList{QStringLiteral("%1|11|300|200|2000|ул. Ленина, 5").arg(russia)});
        QCOMPARE(s.tab().PlaceLeave->nameField(QStringLiteral("REPUBLIC"))->text(), QStringLiteral("Российская Федерация"));
        QVERIFY(s.tab().PlaceLeave->nameField(QStringLiteral("AREA"))->text().isEmpty());
    }

    void aRegionWithoutRepublicFillsTheDistrictsAndCancelChangesNothing()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 6);
        const qint64 naryn = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Нарынская область"));
        db.exec(QStringLiteral("DELETE FROM Place_of_residence WHERE id_teacher = %1").arg(teacher));
        db.exec(QStringLiteral("INSERT INTO Place_of_residence (id_teacher, id_republic, id_regionKR, id_districtKR,"
                               " id_cityKR, id_villageKR, ZEL_User) VALUES (%1, NULL, %2, 300, 200, 2000, 'kadry')")
                    .arg(teacher).arg(naryn));
        s.loadEmployee(teacher);
        const QStringList before = db.rows(QStringLiteral("SELECT * FROM Place_of_residence WHERE id_teacher = %1").arg(teacher));
        const qint64 logged = db.lastLogId();
        bool districtsOpen = false;
        QStringList districts;
        s.window->RunModal = [&](QDialog& dialog) {
            TForm12& picker = pickerOf(dialog);
            districtsOpen = picker.DistrictLookupComboBox->isEnabled();
            districts = offered(picker.DistrictLookupComboBox);
            pick(picker.RepublicLookupComboBox, QStringLiteral("Республика Казахстан"));
            return int(QDialog::Rejected);
        };
        s.tab().PlaceResidence->button()->click();

        QVERIFY(districtsOpen);
        districts.sort();
        QCOMPARE(districts, (QStringList{QStringLiteral("Ат-Башинский район"), QStringLiteral("Кочкорский район"),
                                         QStringLiteral("Нарынский район")}));
        QCOMPARE(db.rows(QStringLiteral("SELECT * FROM Place_of_residence WHERE id_teacher = %1").arg(teacher)), before);
        QCOMPARE(s.dm.ADOQ_PlaceResidence.State(), dsBrowse);
        QCOMPARE(s.tab().PlaceResidence->nameField(QStringLiteral("AREA"))->text(), QStringLiteral("Нарынская область"));
        QCOMPARE(db.lastLogId(), logged);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void aNewCardWithoutSurnameShowsTheNameMessageAndNoPicker()
    {
        CardSession s;
        s.window->SpeedButton2Click();
        int shown = 0;
        s.window->RunModal = [&](QDialog&) {
            ++shown;
            return int(QDialog::Accepted);
        };
        s.tab().PlaceOfBirth->button()->click();
        QCOMPARE(s.messages(), QStringList{kNameMessage});
        QCOMPARE(shown, 0);
        QVERIFY(s.dm.ADOQ_Place_of_birth.IsEmpty());
        QCOMPARE(s.dm.ADOQ_Place_of_birth.State(), dsBrowse);
    }

    void pendingEditsAreSavedBeforeThePickerOpens()
    {
        CardSession s;
        ServerFile db;
        s.window->show();
        const qint64 teacher = employee(db, 7);
        s.loadEmployee(teacher);
        QTest::mouseClick(s.tab().DBEdit11, Qt::LeftButton);
        s.tab().DBEdit11->selectAll();
        cardtest::typeText(s.tab().DBEdit11, QStringLiteral("77-01-02"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        QStringList phoneWhenShown;
        TDataSetState stateWhenShown = dsInactive;
        s.window->RunModal = [&](QDialog& dialog) {
            pickerOf(dialog);
            phoneWhenShown = db.column(QStringLiteral("SELECT Phone FROM TEACHER_info WHERE id_teacher = %1").arg(teacher));
            stateWhenShown = s.dm.ADOQ_Teacher_2.State();
            return int(QDialog::Rejected);
        };
        s.tab().PlaceLeave->button()->click();
        QCOMPARE(phoneWhenShown, QStringList{QStringLiteral("77-01-02")});
        QCOMPARE(stateWhenShown, dsBrowse);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void aFailingPostKeepsTheWrittenKeysInTheRecord()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = employee(db, 8);
        const Place sokuluk = Place::of(db, QStringLiteral("Сокулукский район"));
        setBirthPlace(db, teacher, QStringLiteral("%1, %2, %3, 200, 2000").arg(sokuluk.republic).arg(sokuluk.region)
                                                                           .arg(sokuluk.district));
        s.loadEmployee(teacher);
        db.exec(QStringLiteral("CREATE TRIGGER refuse_birth_place BEFORE UPDATE ON Place_of_birth"
                               " BEGIN SELECT RAISE(ABORT, 'место рождения не меняется'); END"));
        s.window->RunModal = [&](QDialog& dialog) {
            TForm12& picker = pickerOf(dialog);
            picker.VillageRB->click();
            pick(picker.VillageLookupComboBox, QStringLiteral("Кун-Туу"));
            return int(QDialog::Accepted);
        };
        s.tab().PlaceOfBirth->button()->click();
        db.exec(QStringLiteral("DROP TRIGGER refuse_birth_place"));

        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().front().icon, ui::DialogService::Icon::Error);
        QVERIFY(s.dialogs.shown().front().text.contains(QStringLiteral("место рождения не меняется")));
        TADOQuery& birth = s.dm.ADOQ_Place_of_birth;
        QCOMPARE(birth.State(), dsEdit);
        QCOMPARE(birth.FieldByName(QStringLiteral("id_villageKR"))->Value().toLongLong(),
                 db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Кун-Туу")));
        QCOMPARE(birth.FieldByName(QStringLiteral("id_cityKR"))->Value().toInt(), 200);
        // Saving once the server accepts it writes the choice.
        s.window->Apply_Records_BtnClick();
        QCOMPARE(birthKeys(db, teacher).section(u'|', 4, 4),
                 QString::number(db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Кун-Туу"))));
    }
};

int runAddressButtonsTests(int argc, char** argv)
{
    AddressButtonsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_address_buttons.moc"
