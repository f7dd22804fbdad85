// zel4-admin init-demo: creates a demo database of the embedded server.
#include "AdminCommand.h"

#include "data/DbError.h"
#include "server/demo/DemoDatabase.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace zel::tools {

namespace {
int initDemo(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList paths = positionalArguments(args, {QStringLiteral("--employees"), QStringLiteral("--seed")});
    if (paths.size() != 1) {
        err << "usage: zel4-admin init-demo [--employees N] [--seed S] PATH\n";
        return 2;
    }
    bool ok = true;
    const int employees = optionValue(args, QStringLiteral("--employees"), QStringLiteral("300")).toInt(&ok);
    bool seedOk = true;
    const uint seed = optionValue(args, QStringLiteral("--seed"), QStringLiteral("4")).toUInt(&seedOk);
    if (!ok || employees < 0 || !seedOk) {
        err << "zel4-admin init-demo: --employees and --seed take a non-negative whole number\n";
        return 2;
    }
    try {
        QElapsedTimer timer;
        timer.start();
        const server::DemoSummary summary = server::createDemoDatabase(paths.first(), employees, seed);
        out << "Демонстрационная база создана: " << paths.first() << " (" << summary.employees
            << " сотрудников, " << timer.elapsed() << " мс)\n";
        out << "Имя базы (Initial Catalog): " << summary.databaseName << "\n\n";
        out << "Вход в программу (логин / пароль):\n";
        for (const server::DemoAccount& a : summary.clerks)
            out << "  " << a.login << " / " << a.password << "  - " << a.purpose << "\n";
        out << "\nУчётные записи базы данных (User ID / Password):\n";
        for (const server::DemoAccount& a : summary.databaseAccounts)
            out << "  " << a.login << " / " << a.password << "  - " << a.purpose << "\n";
        // The server slot of Data/ZEL holds 20 characters; a relative name is
        // looked up in the Data folder beside the program.
        const server::DemoAccount& bootstrap = summary.databaseAccounts.front();
        out << "\nФайл Data/ZEL для этой базы (положите " << QFileInfo(paths.first()).fileName()
            << " в папку Data рядом с программой):\n  zel4-admin bootstrap --login " << bootstrap.login
            << " --password " << bootstrap.password << " --server " << QFileInfo(paths.first()).fileName()
            << " --database " << summary.databaseName << " --out Data/ZEL\n";
        return 0;
    } catch (const Error& error) {
        err << "zel4-admin init-demo: " << error.message() << "\n";
        return 1;
    }
}

const AdminCommandRegistration registration({
    "init-demo",
    "init-demo [--employees N] [--seed S] PATH   create a demo database of the embedded server",
    &initDemo,
});
}  // namespace

}  // namespace zel::tools
