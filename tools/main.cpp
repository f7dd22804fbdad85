#include "AdminCommand.h"

#include <QCoreApplication>

using namespace zel::tools;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
