// zel4-admin bootstrap / show-bootstrap: writes and reads the bootstrap file.
#include "AdminCommand.h"
#include "PasswordInput.h"

#include "data/DbError.h"
#include "signin/BootstrapSettings.h"

#include <QFileInfo>

namespace zel::tools {

namespace {

int writeBootstrap(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList required = {QStringLiteral("--login"), QStringLiteral("--server"), QStringLiteral("--database")};
    for (const QString& option : required) {
        const qsizetype at = args.indexOf(option);
        if (at < 0 || at + 1 >= args.size()) {
            err << "zel4-admin bootstrap: " << option << " is required\n";
            return 2;
        }
    }
    TFirstConnectInfo info;
    info.login = optionValue(args, QStringLiteral("--login"));
    // --password leaves the password in the shell's history: a file or standard input does not.
    std::optional<QString> password;
    if (hasOption(args, QStringLiteral("--password")))
        password = optionValue(args, QStringLiteral("--password"));
    else if (hasOption(args, QStringLiteral("--password-file")))
        password = PasswordInput::fromFile(optionValue(args, QStringLiteral("--password-file")), err);
    else
        password = PasswordInput::fromStandardInput(err);
    if (!password)
        return 1;
    info.password = *password;
    info.server = optionValue(args, QStringLiteral("--server"));
    info.database = optionValue(args, QStringLiteral("--database"));
    const QString path = optionValue(args, QStringLiteral("--out"), QStringLiteral("Data/ZEL"));
    QFileDevice::Permissions permissions = bootstrap::kDefaultPermissions;
    if (args.contains(QStringLiteral("--mode"))
        && !bootstrap::parseMode(optionValue(args, QStringLiteral("--mode")), &permissions)) {
        err << "zel4-admin bootstrap: --mode takes an octal mode such as 640 or 600\n";
        return 2;
    }
    try {
        bootstrap::write(path, info, permissions);
    } catch (const Error& error) {
        err << "zel4-admin bootstrap: " << error.message() << "\n";
        return 1;
    }
    out << "Wrote " << QFileInfo(path).absoluteFilePath() << "\n";
    return 0;
}

int showBootstrap(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList files = positionalArguments(args, {});
    if (files.size() != 1) {
        err << "usage: zel4-admin show-bootstrap PATH\n";
        return 2;
    }
    try {
        const TFirstConnectInfo info = bootstrap::read(files.first());
        out << "Login:    " << info.login << "\n"
            << "Password: " << QString(info.password.size(), u'*') << "\n"
            << "Server:   " << info.server << "\n"
            << "Database: " << info.database << "\n";
    } catch (const Error& error) {
        err << "zel4-admin show-bootstrap: " << error.message() << "\n";
        return 1;
    }
    return 0;
}

const AdminCommandRegistration bootstrapCommand({
    "bootstrap",
    "bootstrap --login L [--password P | --password-file F] --server S --database D [--out PATH] [--mode 640]   "
    "write the bootstrap file (mode 640 unless given; without a password option the password comes from "
    "standard input or a prompt)",
    writeBootstrap,
});
const AdminCommandRegistration showBootstrapCommand({
    "show-bootstrap",
    "show-bootstrap PATH   print the decoded bootstrap file (password masked)",
    showBootstrap,
});

}  // namespace
}  // namespace zel::tools
