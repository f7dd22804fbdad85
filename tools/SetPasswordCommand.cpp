// zel4-admin set-password: changes the password of an account of the embedded server.
#include "AdminCommand.h"
#include "PasswordInput.h"

#include "data/DbError.h"
#include "server/accounts/ClerkAccounts.h"
#include "server/accounts/DatabaseAccounts.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"

#include <QFileInfo>

namespace zel::tools {

namespace {

bool exists(sqlite3* db, const char* table, const QString& login)
{
    server::schema::SqliteStatement select(
        db, QStringLiteral("SELECT 1 FROM %1 WHERE login = ?1").arg(QLatin1String(table)));
    select.bind(1, login);
    return select.step();
}

int setPassword(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString path = optionValue(args, QStringLiteral("--db"));
    const QString login = optionValue(args, QStringLiteral("--login"));
    if (path.isEmpty() || login.isEmpty()) {
        err << "usage: zel4-admin set-password --db PATH --login L [--account | --clerk] [--must-change]\n"
               "Новый пароль читается со стандартного ввода или запрашивается, но не берётся из командной строки.\n";
        return 2;
    }
    if (!QFileInfo(path).isFile()) {
        err << "zel4-admin set-password: файл базы \"" << path << "\" не найден.\n";
        return 1;
    }
    try {
        server::schema::SqliteConnection connection(path, server::schema::SqliteConnection::Mode::OpenExisting);
        sqlite3* db = connection.handle();
        const bool account = exists(db, "zel_logins", login) && !hasOption(args, QStringLiteral("--clerk"));
        const bool clerk = exists(db, "zel_users", login) && !hasOption(args, QStringLiteral("--account"));
        if (!account && !clerk) {
            err << "zel4-admin set-password: учётная запись \"" << login << "\" не найдена; ничего не изменено.\n";
            return 1;
        }
        if (account && clerk) {
            err << "zel4-admin set-password: \"" << login
                << "\" есть и среди учётных записей базы, и среди пользователей программы; "
                   "укажите --account или --clerk.\n";
            return 2;
        }
        const std::optional<QString> password = PasswordInput::fromStandardInput(err);
        if (!password)
            return 1;
        server::schema::execute(db, QStringLiteral("BEGIN IMMEDIATE"));
        if (account)
            server::DatabaseAccounts::setPassword(db, login, *password);
        else
            server::ClerkAccounts::setPassword(db, login, *password, hasOption(args, QStringLiteral("--must-change")));
        server::schema::execute(db, QStringLiteral("COMMIT"));
        out << (account ? "Пароль учётной записи базы \"" : "Пароль пользователя программы \"") << login
            << "\" изменён.\n";
        return 0;
    } catch (const Error& error) {
        err << "zel4-admin set-password: " << error.message() << "\n";
        return 1;
    }
}

const AdminCommandRegistration registration({
    "set-password",
    "set-password --db PATH --login L [--account | --clerk] [--must-change]   new password from standard input "
    "or a prompt",
    &setPassword,
});

}  // namespace
}  // namespace zel::tools
