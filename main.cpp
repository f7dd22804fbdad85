// ZEL 4: the personnel office's employee card client.
#include "card/DictionaryShortcuts.h"
#include "card/TForm1.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"
#include "data/odbc/OdbcDriverRegistration.h"
#include "dictionaries/TForm15.h"
#include "dictionaries/TForm5.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/procedures/ServerModules.h"
#include "signin/StartupSequence.h"
#include "signin/ZelApplication.h"

using namespace zel;

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    // The embedded server for ".db" data sources first, then SQL Server over ODBC.
    server::installServerModules();
    server::registerEmbeddedDriver();
    db::registerOdbcDriver();

    TDM_PUM* dmPum = nullptr;
    StartupParts parts;
    parts.createMainDataModule = [&dmPum] {
        auto module = std::make_unique<TDM_PUM>();
        dmPum = module.get();
        return module;
    };
    TForm1* card = nullptr;
    parts.createMainWindow = [&dmPum, &card] {
        auto window = std::make_unique<TForm1>(*dmPum);
        card = window.get();
        return window;
    };
    // One dictionary window for the whole run; the card's "+" buttons reuse it.
    parts.createDictionaryWindow = [&dmPum, &card] {
        auto window = std::make_unique<TForm5>(*dmPum);
        card->Dictionaries().SetSharedWindow(window.get());
        return window;
    };
    parts.createTitleWindow = [] { return std::make_unique<TForm15>(); };
    // Created after the sign-in: its datasets find ADO_PUM open.
    parts.createDataModule = [&dmPum, &card] {
        auto module = std::make_unique<TDM>(*dmPum);
        card->Dictionaries().SetSecondDataModule(module.get());
        card->SetDocumentsModule(module.get());
        return module;
    };
    return runProgram(app, parts);
}
