// ZEL 4: the personnel office's employee card client.
#include "card/TForm1.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"
#include "data/odbc/OdbcDriverRegistration.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/procedures/ServerModules.h"
#include "signin/StartupSequence.h"
#include "signin/ZelApplication.h"

#include <QWidget>

using namespace zel;

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    // The embedded server for ".db" data sources first, then SQL Server over ODBC.
    server::installServerModules();
    server::registerEmbeddedDriver();
    db::registerOdbcDriver();

    TDM_PUM* dmPum = nullptr;
    TForm1* mainWindow = nullptr;
    StartupParts parts;
    parts.createMainDataModule = [&dmPum] {
        auto module = std::make_unique<TDM_PUM>();
        dmPum = module.get();
        return module;
    };
    parts.createMainWindow = [&dmPum, &mainWindow] {
        auto window = std::make_unique<TForm1>(*dmPum);
        mainWindow = window.get();
        return window;
    };
    parts.createDictionaryWindow = [] {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(QStringLiteral("Form5"));
        window->setWindowTitle(QStringLiteral("Специальность"));
        return window;
    };
    // The blank title window is never shown; it is not created.
    // Created after the sign-in: its datasets find ADO_PUM open.
    parts.createDataModule = [&dmPum, &mainWindow] {
        auto module = std::make_unique<TDM>(*dmPum);
        mainWindow->SetDocumentsModule(module.get());
        return module;
    };
    return runProgram(app, parts);
}
