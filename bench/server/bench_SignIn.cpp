// A whole sign-in through the embedded server's driver, as the sign-in window
// does it: the bootstrap connection, GET_USER for the clerk, then the
// connection under the clerk's own database account. Each step checks one
// password verifier, at the cost new verifiers are made with (set
// ZEL_VERIFIER_ITERATIONS to compare costs; without it the production cost).
#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/Driver.h"
#include "data/PasswordHash.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/accounts/PasswordVerifier.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <memory>

using namespace zel;

namespace {

class SignInDatabase {
public:
    static SignInDatabase& instance()
    {
        static SignInDatabase database;
        return database;
    }

    std::unique_ptr<db::Driver> connect(const QString& login, const QString& password) const
    {
        const db::ConnectionParams params = db::ConnectionParams::parse(
            QStringLiteral("Provider=SQLOLEDB.1;Password=%1;Persist Security Info=True;User ID=%2;"
                           "Initial Catalog=%3;Data Source=%4")
                .arg(password, login, m_summary.databaseName, m_path));
        std::unique_ptr<db::Driver> driver = db::DriverRegistry::create(params);
        driver->open(params);
        return driver;
    }
    const server::DemoSummary& summary() const { return m_summary; }

private:
    SignInDatabase()
    {
        server::installServerModules();
        server::registerEmbeddedDriver();
        m_path = m_dir.filePath(QStringLiteral("signin.db"));
        m_summary = server::createDemoDatabase(m_path, 20, 3);
    }

    QTemporaryDir m_dir;
    QString m_path;
    server::DemoSummary m_summary;
};

void BM_WholeSignIn(benchmark::State& state)
{
    const SignInDatabase& database = SignInDatabase::instance();
    const server::DemoAccount& boot = database.summary().databaseAccounts.front();
    const QString getUser = QStringLiteral("EXEC GET_USER '%1','%2',NULL, 'ZEL 4', '10.0.0.7', 'PC12', '%1','0','4'")
                                .arg(QStringLiteral("ivanova"), passwordHash(QStringLiteral("ivanova1")));
    for (auto _ : state) {
        std::unique_ptr<db::Driver> bootstrap = database.connect(boot.login, boot.password);
        db::RowSet row;
        bootstrap->query(getUser, row);
        bootstrap->close();
        std::unique_ptr<db::Driver> clerk =
            database.connect(shift::decodeText(row.text(0, 0)), shift::decodeText(row.text(0, 1)));
        benchmark::DoNotOptimize(clerk->isOpen());
    }
    state.counters["iterations_per_verifier"] = server::PasswordVerifier::iterationsForNewVerifiers();
}
BENCHMARK(BM_WholeSignIn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_OneVerifier(benchmark::State& state)
{
    const server::PasswordVerifier::Stored stored = server::PasswordVerifier::create("Kadry2026x");
    for (auto _ : state)
        benchmark::DoNotOptimize(server::PasswordVerifier::matches("Kadry2026x", stored));
    state.counters["iterations"] = stored.iterations;
}
BENCHMARK(BM_OneVerifier)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
