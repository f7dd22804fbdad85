// What a clerk waits for with the address windows, through the embedded server's
// driver: opening the picker pre-set to a full address (five procedure calls), one
// district pick, and in the dictionary opening and closing it (five lists filtered
// and released) and adding a village (insert plus two card lists read again).
#include "address/TForm12.h"
#include "address/TForm6.h"

#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "ui/DbLookupComboBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

namespace {

struct Fixture {
    std::unique_ptr<QApplication> app;
    QTemporaryDir dir;
    std::unique_ptr<zel::TDM_PUM> dm;

    Fixture()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_address_windows";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);

        zel::server::registerEmbeddedDriver();
        zel::server::installServerModules();
        const QString path = dir.filePath(QStringLiteral("zel.db"));
        const auto summary = zel::server::createDemoDatabase(path, 300);
        const auto& login = summary.databaseAccounts.at(1);
        dm = std::make_unique<zel::TDM_PUM>();
        dm->ADO_PUM.SetConnectionString("Provider=SQLOLEDB.1;Password=" + login.password + ";User ID=" + login.login
                                        + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path);
        dm->OpenSignInDataSets();
    }

    /// A key of the named row of a hierarchy list.
    QVariant key(zel::TDataSet& list, const char* keyField, const char* nameField, const QString& name)
    {
        return list.Locate(QString::fromLatin1(nameField), name)
            ? list.FieldByName(QString::fromLatin1(keyField))->Value()
            : QVariant();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_PickerOpenedOnAFullAddress(benchmark::State& state)
{
    Fixture& f = fixture();
    const QVariant district = f.key(f.dm->ADOQ_DistrictAdd, "IDDistrict", "NameDistrict", QStringLiteral("Сокулукский район"));
    const QVariant region = f.key(f.dm->ADOQ_RegionAdd, "IDRegion", "NameRegion", QStringLiteral("Чуйская область"));
    const QVariant republic = f.key(f.dm->ADOT_Republic, "id_republics", "republic", QStringLiteral("Кыргызская Республика"));
    for (auto _ : state) {
        zel::TForm12 picker(*f.dm);
        picker.RepublicLookupComboBox->setKeyValue(republic);
        picker.RepublicLookupComboBoxClick();
        picker.RegionLookupComboBox->setKeyValue(region);
        picker.RegionLookupComboBoxClick();
        picker.DistrictLookupComboBox->setKeyValue(district);
        picker.DistrictLookupComboBoxClick();
        benchmark::DoNotOptimize(picker.CityLookupComboBox->count());
    }
}
BENCHMARK(BM_PickerOpenedOnAFullAddress)->Unit(benchmark::kMillisecond);

void BM_PickerDistrictPick(benchmark::State& state)
{
    Fixture& f = fixture();
    zel::TForm12 picker(*f.dm);
    picker.RepublicLookupComboBox->setKeyValue(
        f.key(f.dm->ADOT_Republic, "id_republics", "republic", QStringLiteral("Кыргызская Республика")));
    picker.RepublicLookupComboBoxClick();
    picker.RegionLookupComboBox->setKeyValue(
        f.key(f.dm->ADOQ_RegionAdd, "IDRegion", "NameRegion", QStringLiteral("Чуйская область")));
    picker.RegionLookupComboBoxClick();
    const QVariant district = f.key(f.dm->ADOQ_DistrictAdd, "IDDistrict", "NameDistrict", QStringLiteral("Кеминский район"));
    for (auto _ : state) {
        picker.DistrictLookupComboBox->setKeyValue(district);
        picker.DistrictLookupComboBoxClick();
        benchmark::DoNotOptimize(picker.VillageLookupComboBox->count());
    }
}
BENCHMARK(BM_PickerDistrictPick)->Unit(benchmark::kMillisecond);

void BM_DictionaryOpenedAndClosed(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        zel::TForm6 dictionary(*f.dm);
        dictionary.reject();
        benchmark::DoNotOptimize(dictionary.DBLookupComboBox1->count());
    }
}
BENCHMARK(BM_DictionaryOpenedAndClosed)->Unit(benchmark::kMillisecond);

void BM_DictionaryAddsAVillage(benchmark::State& state)
{
    Fixture& f = fixture();
    zel::TForm6 dictionary(*f.dm);
    dictionary.DBLookupComboBox14->setKeyValue(
        f.key(f.dm->ADOQ_DistrictAdd, "IDDistrict", "NameDistrict", QStringLiteral("Тонский район")));
    dictionary.DBLookupComboBox14Click();
    int n = 0;
    for (auto _ : state) {
        dictionary.Edit4->setText(QStringLiteral("Село %1").arg(++n));
        dictionary.SpeedButton4Click();
    }
    state.counters["villages_after"] = double(f.dm->ADOQ_VillageNow.RecordCount());
}
BENCHMARK(BM_DictionaryAddsAVillage)->Unit(benchmark::kMillisecond);

}  // namespace
