#include "AdminCommand.h"

#include <QGuiApplication>

#include <memory>

using namespace zel::tools;

int main(int argc, char** argv)
{
    const AdminCommand* chosen = argc > 1 ? findAdminCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> application;
    if (chosen && chosen->needsGui) {
        // Fonts and paint devices without a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    if (command.isEmpty() || command == u"help" || command == u"--help") {
        (command.isEmpty() ? err : out) << "usage: zel4-admin <command> [options]\n";
        for (const AdminCommand& c : adminCommands())
            (command.isEmpty() ? err : out) << "  " << c.usage << "\n";
        return command.isEmpty() ? 2 : 0;
    }
    for (const AdminCommand& c : adminCommands())
        if (command == QLatin1String(c.name))
            return c.run(args.mid(1), out, err);
    err << "zel4-admin: unknown command \"" << command << "\" (see zel4-admin help)\n";
    return 2;
}
