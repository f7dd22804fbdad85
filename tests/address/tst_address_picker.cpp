// The address picker over the embedded demo database: its initial state, the cascade
// of the five lists, Enter and Esc, and a failing list.
#include "AddressTestSupport.h"

#include "address/TForm12.h"

#include <QPushButton>
#include <QRadioButton>

using namespace zel;
using addresstest::offered;
using addresstest::pick;
using addresstest::ServerFile;
using cardtest::CardSession;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QString kyrgyzstan()
{
    return QStringLiteral("Кыргызская Республика");
}

}  // namespace

class AddressPickerTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithOnlyTheRepublicsOfferedAndEnterEscClose()
    {
        CardSession s;
        ServerFile db;
        auto picker = std::make_unique<TForm12>(s.dm);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Место нахождение"));
        QCOMPARE(picker->size(), QSize(237, 255));
        QCOMPARE(sorted(offered(picker->RepublicLookupComboBox)),
                 sorted(db.column(QStringLiteral("SELECT republic FROM Republics WHERE visible = 1"))));
        QVERIFY(!offered(picker->RepublicLookupComboBox).contains(QStringLiteral("Союз Советских Социалистических Республик")));
        QVERIFY(picker->RepublicLookupComboBox->isEnabled());
        for (QWidget* below : std::initializer_list<QWidget*>{picker->RegionLookupComboBox, picker->DistrictLookupComboBox,
                                                             picker->CityLookupComboBox, picker->VillageLookupComboBox,
                                                             picker->CityRB, picker->VillageRB})
            QVERIFY2(!below->isEnabled(), qPrintable(below->objectName()));
        QVERIFY(picker->CityRB->isChecked());
        QVERIFY(!picker->VillageRB->isChecked());
        QCOMPARE(picker->CityRB->text(), QStringLiteral("Город"));
        QCOMPARE(picker->VillageRB->text(), QStringLiteral("Село"));
        QVERIFY(picker->CityRB->font().bold());
        QVERIFY(picker->OkButton->isDefault());
        QVERIFY(picker->RepublicLookupComboBox->keyValue().isNull());

        // Esc cancels, Enter on a list (its drop-down closed) confirms.
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        picker->RepublicLookupComboBox->setFocus();
        QTest::keyClick(picker->RepublicLookupComboBox, Qt::Key_Escape);
        QCOMPARE(picker->result(), int(QDialog::Rejected));
        QVERIFY(!picker->isVisible());
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        picker->RepublicLookupComboBox->setFocus();
        QTest::keyClick(picker->RepublicLookupComboBox, Qt::Key_Return);
        QCOMPARE(picker->result(), int(QDialog::Accepted));
        // Closing the window any other way counts as cancel.
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
        QVERIFY(picker->close());
        QCOMPARE(picker->result(), int(QDialog::Rejected));

        QVERIFY(s.dm.ADOQ_Republic_Lookup.Active());
        picker.reset();
        QVERIFY(!s.dm.ADOQ_Republic_Lookup.Active());
        QVERIFY(s.messages().isEmpty());
    }

    void eachStepResetsEverythingBelowIt()
    {
        CardSession s;
        ServerFile db;
        TForm12 picker(s.dm);
        const qint64 kg = db.keyOf("Republics", "id_republics", "republic", kyrgyzstan());

        QVERIFY(pick(picker.RepublicLookupComboBox, kyrgyzstan()));
        QVERIFY(picker.RegionLookupComboBox->isEnabled());
        QCOMPARE(sorted(offered(picker.RegionLookupComboBox)),
                 sorted(db.column(QStringLiteral("SELECT NameRegion FROM RegionKR WHERE visible = 1 AND id_republic = %1").arg(kg))));
        QVERIFY(!offered(picker.RegionLookupComboBox).contains(QStringLiteral("Фрунзенская область")));
        QVERIFY(!picker.DistrictLookupComboBox->isEnabled());

        QVERIFY(pick(picker.RegionLookupComboBox, QStringLiteral("Чуйская область")));
        QVERIFY(picker.DistrictLookupComboBox->isEnabled());
        QVERIFY(offered(picker.DistrictLookupComboBox).contains(QStringLiteral("Сокулукский район")));
        QVERIFY(!offered(picker.DistrictLookupComboBox).contains(QStringLiteral("Калининский район")));

        // Cities and villages: city mode wins.
        QVERIFY(pick(picker.DistrictLookupComboBox, QStringLiteral("Сокулукский район")));
        QVERIFY(picker.CityRB->isEnabled() && picker.CityRB->isChecked());
        QVERIFY(picker.VillageRB->isEnabled() && !picker.VillageRB->isChecked());
        QVERIFY(picker.CityLookupComboBox->isEnabled());
        QVERIFY(!picker.VillageLookupComboBox->isEnabled());
        QCOMPARE(offered(picker.CityLookupComboBox), QStringList{QStringLiteral("Шопоков")});
        QCOMPARE(offered(picker.VillageLookupComboBox).size(), 4);
        QVERIFY(pick(picker.CityLookupComboBox, QStringLiteral("Шопоков")));
        QCOMPARE(picker.CityLookupComboBox->keyValue().toLongLong(),
                 db.keyOf("CityKR", "IDCity", "NameCity", QStringLiteral("Шопоков")));

        // Switching to "Село" drops the city; selecting it again changes nothing.
        picker.VillageRB->click();
        QVERIFY(picker.CityLookupComboBox->keyValue().isNull());
        QVERIFY(!picker.CityLookupComboBox->isEnabled());
        QVERIFY(picker.VillageLookupComboBox->isEnabled());
        QVERIFY(pick(picker.VillageLookupComboBox, QStringLiteral("Гавриловка")));
        const qint64 village = db.keyOf("VillageKR", "IDVillage", "NameVillage", QStringLiteral("Гавриловка"));
        picker.VillageRB->click();
        QCOMPARE(picker.VillageLookupComboBox->keyValue().toLongLong(), village);
        picker.CityRB->click();
        QVERIFY(picker.VillageLookupComboBox->keyValue().isNull());
        QVERIFY(!picker.VillageLookupComboBox->isEnabled());

        // Villages only: village mode, "Город" not offered.
        QVERIFY(pick(picker.DistrictLookupComboBox, QStringLiteral("Аламудунский район")));
        QVERIFY(picker.VillageRB->isChecked() && picker.VillageRB->isEnabled());
        QVERIFY(!picker.CityRB->isEnabled());
        QVERIFY(picker.VillageLookupComboBox->isEnabled());
        QVERIFY(!picker.CityLookupComboBox->isEnabled());
        QCOMPARE(offered(picker.VillageLookupComboBox).size(), 5);

        // Another region resets district, city and village.
        QVERIFY(pick(picker.VillageLookupComboBox, QStringLiteral("Байтик")));
        QVERIFY(pick(picker.RegionLookupComboBox, QStringLiteral("Иссык-Кульская область")));
        QVERIFY(picker.DistrictLookupComboBox->keyValue().isNull());
        QVERIFY(picker.VillageLookupComboBox->keyValue().isNull());
        QVERIFY(!picker.CityRB->isEnabled() && !picker.VillageRB->isEnabled());
        QVERIFY(!picker.VillageLookupComboBox->isEnabled());

        // A district with neither cities nor villages leaves both modes closed.
        QVERIFY(pick(picker.DistrictLookupComboBox, QStringLiteral("Тонский район")));
        QVERIFY(!picker.CityRB->isEnabled() && !picker.VillageRB->isEnabled());
        QVERIFY(!picker.CityLookupComboBox->isEnabled() && !picker.VillageLookupComboBox->isEnabled());
        QCOMPARE(picker.CityLookupComboBox->count(), 0);
        QCOMPARE(picker.VillageLookupComboBox->count(), 0);

        // Another republic resets all four levels below it.
        QVERIFY(pick(picker.RegionLookupComboBox, QStringLiteral("Чуйская область")));
        QVERIFY(pick(picker.DistrictLookupComboBox, QStringLiteral("Кеминский район")));
        QVERIFY(pick(picker.CityLookupComboBox, QStringLiteral("Орловка")));
        QVERIFY(pick(picker.RepublicLookupComboBox, QStringLiteral("Российская Федерация")));
        for (ui::DbLookupComboBox* below : {picker.RegionLookupComboBox, picker.DistrictLookupComboBox,
                                            picker.CityLookupComboBox, picker.VillageLookupComboBox})
            QVERIFY2(below->keyValue().isNull(), qPrintable(below->objectName()));
        QVERIFY(picker.RegionLookupComboBox->isEnabled());
        QVERIFY(offered(picker.RegionLookupComboBox).contains(QStringLiteral("Новосибирская область")));
        QVERIFY(!picker.DistrictLookupComboBox->isEnabled());
        QVERIFY(!picker.CityLookupComboBox->isEnabled());
        QVERIFY(!picker.CityRB->isEnabled());
        QVERIFY(s.messages().isEmpty());
    }

    void aFailingListIsShownAndTheWindowStaysOpen()
    {
        CardSession s;
        ServerFile db;
        TForm12 picker(s.dm);
        picker.show();
        QVERIFY(pick(picker.RepublicLookupComboBox, kyrgyzstan()));
        // The district procedure cannot read its table.
        db.exec(QStringLiteral("ALTER TABLE DistrictKR RENAME TO DistrictKR_away"));
        const bool picked = pick(picker.RegionLookupComboBox, QStringLiteral("Чуйская область"));
        db.exec(QStringLiteral("ALTER TABLE DistrictKR_away RENAME TO DistrictKR"));
        QVERIFY(picked);
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().front().icon, ui::DialogService::Icon::Error);
        QVERIFY(!s.dialogs.shown().front().text.isEmpty());
        QVERIFY(!picker.DistrictLookupComboBox->isEnabled());
        QVERIFY(picker.isVisible());
        QCOMPARE(picker.result(), 0);
        // The choice stays; the next pick fills the list.
        QVERIFY(!picker.RegionLookupComboBox->keyValue().isNull());
        QVERIFY(pick(picker.RegionLookupComboBox, QStringLiteral("Нарынская область")));
        QVERIFY(picker.DistrictLookupComboBox->isEnabled());
        QCOMPARE(sorted(offered(picker.DistrictLookupComboBox)),
                 sorted(QStringList{QStringLiteral("Нарынский район"), QStringLiteral("Ат-Башинский район"),
                         QStringLiteral("Кочкорский район")}));
    }
};

int runAddressPickerTests(int argc, char** argv)
{
    AddressPickerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_address_picker.moc"
