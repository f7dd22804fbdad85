// The statement texts the picker and the dictionary send, as the embedded server's
// statement trace recorded them.
#include "AddressTestSupport.h"

#include "address/TForm12.h"
#include "address/TForm6.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

using namespace zel;
using addresstest::pick;
using addresstest::ServerFile;
using cardtest::CardSession;
using Answer = ui::DialogService::Answer;

class AddressStatementsTest : public QObject {
    Q_OBJECT
private slots:
    void thePickerSendsTheProcedureCallsWithTheKeyAppended()
    {
        CardSession s;
        ServerFile db;
        const qint64 teacher = db.number(QStringLiteral("SELECT id_teacher FROM TEACHER WHERE id_teacher > 1"
                                                        " ORDER BY id_teacher LIMIT 1 OFFSET 10"));
        const qint64 kg = db.keyOf("Republics", "id_republics", "republic", QStringLiteral("Кыргызская Республика"));
        const qint64 chuy = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Чуйская область"));
        const qint64 sokuluk = db.keyOf("DistrictKR", "IDDistrict", "NameDistrict", QStringLiteral("Сокулукский район"));
        const qint64 alamudun = db.keyOf("DistrictKR", "IDDistrict", "NameDistrict", QStringLiteral("Аламудунский район"));
        const qint64 naryn = db.keyOf("RegionKR", "IDRegion", "NameRegion", QStringLiteral("Нарынская область"));
        db.exec(QStringLiteral("DELETE FROM Place_of_birth WHERE id_teacher = %1").arg(teacher));
        db.exec(QStringLiteral("INSERT INTO Place_of_birth (ZEL_User, id_teacher, id_republic, id_regionKR, id_districtKR,"
                               " id_cityKR, id_villageKR) VALUES ('kadry', %1, %2, %3, %4, 200, 2000)")
                    .arg(teacher).arg(kg).arg(chuy).arg(sokuluk));
        s.loadEmployee(teacher);

        s.window->RunModal = [&](QDialog& dialog) {
            auto& picker = static_cast<TForm12&>(dialog);
            pick(picker.DistrictLookupComboBox, QStringLiteral("Аламудунский район"));
            pick(picker.RegionLookupComboBox, QStringLiteral("Нарынская область"));
            return int(QDialog::Rejected);
        };
        const qint64 since = db.startTrace();
        const QStringList keys{QStringLiteral("id_republic"), QStringLiteral("id_regionKR"), QStringLiteral("id_districtKR"),
                               QStringLiteral("id_cityKR"), QStringLiteral("id_villageKR")};
        QVERIFY(!s.window->ChooseAddress(s.dm.ADOQ_Place_of_birth, keys, true));
        const QStringList traced = db.tracedSince(since);
        db.stopTrace();

        QCOMPARE(traced, (QStringList{
                             QStringLiteral("exec Ab_RepublicProcSchool "),
                             QStringLiteral("exec ab_RegionProcSchool %1").arg(kg),
                             QStringLiteral("exec ab_DistrictProcSchool %1").arg(chuy),
                             QStringLiteral("exec ab_CityProcSchool %1").arg(sokuluk),
                             QStringLiteral("exec ab_VillageProcSchool %1").arg(sokuluk),
                             QStringLiteral("exec ab_CityProcSchool %1").arg(alamudun),
                             QStringLiteral("exec ab_VillageProcSchool %1").arg(alamudun),
                             QStringLiteral("exec ab_DistrictProcSchool %1").arg(naryn),
                         }));
    }

    void theDictionaryFiltersOnTheClientAndReadsTheCardListsAgain()
    {
        CardSession s;
        ServerFile db;
        TForm6 form(s.dm);
        const qint64 since = db.startTrace();
        QVERIFY(pick(form.DBLookupComboBox1, QStringLiteral("Кыргызская Республика")));
        QVERIFY(pick(form.DBLookupComboBox13, QStringLiteral("Иссык-Кульская область")));
        QVERIFY(pick(form.DBLookupComboBox14, QStringLiteral("Тонский район")));
        const QStringList choosing = db.tracedSince(since);

        form.SpeedButton5->click();
        form.Edit1->setText(QStringLiteral("Баткенская область"));
        s.dialogs.queueAnswer(Answer::Yes);
        form.SpeedButton1->click();
        const qint64 afterRegion = db.number(QStringLiteral("SELECT max(id) FROM zel_trace"));
        const QStringList region = db.tracedSince(since);
        form.RadioButton4->click();
        form.SpeedButton8->click();
        form.Edit4->setText(QStringLiteral("Кок-Мойнок"));
        form.SpeedButton4->click();
        const QStringList village = db.tracedSince(afterRegion);
        db.stopTrace();

        QVERIFY(choosing.isEmpty());
        QVERIFY(region.size() >= 3);
        QVERIFY2(region.front().startsWith(QStringLiteral("INSERT INTO \"RegionKR\"")),
                 qPrintable(region.front()));
        QCOMPARE(region.mid(region.size() - 2),
                 (QStringList{QStringLiteral("Select * from RegionKR"), QStringLiteral("Select * from RegionKR")}));
        QVERIFY(!region.contains(QStringLiteral("Select * from RegionKR Order by NameRegion")));
        QVERIFY2(village.value(0).startsWith(QStringLiteral("INSERT INTO \"VillageKR\"")),
                 qPrintable(village.value(0)));
        QCOMPARE(village.mid(village.size() - 2),
                 (QStringList{QStringLiteral("Select * from VillageKR"), QStringLiteral("Select * from VillageKR")}));
    }
};

int runAddressStatementsTests(int argc, char** argv)
{
    AddressStatementsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_address_statements.moc"
