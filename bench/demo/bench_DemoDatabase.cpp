// Cost of building demo databases (benchmark data) and of the account checks
// every connection and every sign-in pays.
#include "server/accounts/PasswordVerifier.h"
#include "server/demo/DemoDatabase.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_CreateDemoDatabase(benchmark::State& state)
{
    const int employees = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bench.db"));
        state.ResumeTiming();
        zel::server::createDemoDatabase(path, employees, 1);
    }
    state.SetItemsProcessed(state.iterations() * employees);
}
BENCHMARK(BM_CreateDemoDatabase)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PasswordVerifier(benchmark::State& state)
{
    const zel::server::PasswordVerifier::Stored stored = zel::server::PasswordVerifier::create("Kadry2026x");
    for (auto _ : state)
        benchmark::DoNotOptimize(zel::server::PasswordVerifier::matches("Kadry2026x", stored));
}
BENCHMARK(BM_PasswordVerifier)->Unit(benchmark::kMillisecond);

}  // namespace
