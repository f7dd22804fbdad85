#include "AdminCommand.h"

namespace zel::tools {

namespace {
QList<AdminCommand>& registry()
{
    static QList<AdminCommand> commands;
    return commands;
}
}  // namespace

void registerAdminCommand(const AdminCommand& command)
{
    registry().append(command);
}

const QList<AdminCommand>& adminCommands()
{
    return registry();
}

const AdminCommand* findAdminCommand(const QString& name)
{
    for (const AdminCommand& command : registry())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QString optionValue(const QStringList& args, const QString& name, const QString& fallback)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0 || i + 1 >= args.size())
        return fallback;
    return args[i + 1];
}

bool hasOption(const QStringList& args, const QString& name)
{
    return args.contains(name);
}

QStringList positionalArguments(const QStringList& args, const QStringList& optionsWithValue)
{
    QStringList out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (optionsWithValue.contains(args[i])) {
            ++i;
            continue;
        }
        if (args[i].startsWith(QLatin1String("--")))
            continue;
        out << args[i];
    }
    return out;
}

}  // namespace zel::tools
