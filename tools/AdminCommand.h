#pragma once

#include <QStringList>
#include <QTextStream>

namespace zel::tools {

/// One subcommand of zel4-admin. run() gets the arguments after the command
/// name and returns the process exit code; errors go to err.
struct AdminCommand {
    const char* name;
    const char* usage;  ///< one line, shown by "zel4-admin help"
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
    bool needsGui = false;  ///< draws (fonts, PDF): runs under a QGuiApplication
};

/// Commands register themselves with a static AdminCommandRegistration.
void registerAdminCommand(const AdminCommand& command);
const QList<AdminCommand>& adminCommands();
/// The command of that name; null when there is none.
const AdminCommand* findAdminCommand(const QString& name);

struct AdminCommandRegistration {
    explicit AdminCommandRegistration(const AdminCommand& command) { registerAdminCommand(command); }
};

/// Value of "--name VALUE" in args; fallback when absent.
QString optionValue(const QStringList& args, const QString& name, const QString& fallback = {});
bool hasOption(const QStringList& args, const QString& name);
/// The arguments that are neither options nor their values.
QStringList positionalArguments(const QStringList& args, const QStringList& optionsWithValue);

}  // namespace zel::tools
