// ZEL 4: the personnel office's employee card client.
#include "card/TForm1.h"
#include "signin/StartupSequence.h"
#include "signin/TForm8.h"
#include "signin/ZelApplication.h"
#include "server/EmbeddedDriverRegistration.h"

#include <QWidget>

using namespace zel;

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    server::registerEmbeddedDriver();

    StartupParts parts;
    parts.createMainDataModule = [] {
        auto module = std::make_unique<QObject>();
        module->setObjectName(QStringLiteral("DM_PUM"));
        return module;
    };
    parts.createMainWindow = [] {
        return std::make_unique<TForm1>([] { return std::make_unique<TForm8>(); });
    };
    parts.createDictionaryWindow = [] {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(QStringLiteral("Form5"));
        window->setWindowTitle(QStringLiteral("Специальность"));
        return window;
    };
    // The blank title window is never shown; it is not created.
    parts.createDataModule = [] {
        auto module = std::make_unique<QObject>();
        module->setObjectName(QStringLiteral("DM"));
        return module;
    };
    return runProgram(app, parts);
}
