#include "server/procedures/Procedures.h"

#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "server/accounts/ClerkAccounts.h"
#include "server/procedures/ProcedureArguments.h"
#include "server/procedures/ProcedureResult.h"
#include "server/schema/SqliteStatement.h"

namespace zel::server::procedures {

namespace {
const QStringList kParameters = {
    QStringLiteral("@login"),   QStringLiteral("@password"), QStringLiteral("@new_password"),
    QStringLiteral("@program"), QStringLiteral("@ip"),       QStringLiteral("@computer"),
    QStringLiteral("@zel_user"), QStringLiteral("@mode"),    QStringLiteral("@length"),
};
enum { Login, Password, NewPassword, Program, Ip, Computer };

// The update server's address (scheme, host, port): VuzDefaults row 23. The
// bootstrap account may run nothing but GET_USER, so the program learns it here.
QString updateServer(sqlite3* db)
{
    schema::SqliteStatement select(db, QStringLiteral(
        "SELECT n_field FROM VuzDefaults WHERE id_vuz_defaults = 23"));
    return select.step() ? select.text(0) : QString();
}

int programVersion(sqlite3* db)
{
    schema::SqliteStatement select(db, QStringLiteral(
        "SELECT value FROM zel_settings WHERE name = 'program_version'"));
    return select.step() ? int(select.integer(0)) : 2;
}

[[noreturn]] void refuseCredentials()
{
    throw DbError(QStringLiteral("Пользователь с таким именем и паролем не найден."));
}
}  // namespace

void getUser(ProcedureContext& context, const Arguments& arguments)
{
    const ProcedureArguments args(QStringLiteral("GET_USER"), kParameters, arguments);
    const QString login = args.text(Login);
    // Wrong login and wrong password look the same to the caller, in text and in time.
    const std::optional<ClerkAccounts::Stored> stored = ClerkAccounts::verify(context.db, login, args.text(Password));
    if (!stored)
        refuseCredentials();

    Clerk clerk = stored->clerk;
    const QDate today = QDate::currentDate();
    ProcedureResult result(context.result, {
        {"db_login", db::SqlType::VarChar, 50},
        {"db_password", db::SqlType::VarChar, 50},
        {"update_server", db::SqlType::VarChar, 100},
        {"password_state", db::SqlType::Int},
        {"message", db::SqlType::VarChar, 250},
        {"program_version", db::SqlType::Int},
    });
    const int version = programVersion(context.db);
    const QString updates = updateServer(context.db);

    if (!clerk.refusalMessage.isEmpty()) {
        result.addRow({QString(), QString(), updates, ClerkAccounts::passwordState(clerk, today),
                       clerk.refusalMessage, version});
        return;
    }

    if (!args.isNull(NewPassword)) {
        const QString newHash = ClerkAccounts::normalizedHash(args.text(NewPassword));
        if (newHash.isEmpty())
            throw DbError(QStringLiteral("Новый пароль передан в неверном виде."));
        if (ClerkAccounts::hashMatches(*stored, newHash))
            throw DbError(QStringLiteral("Новый пароль должен отличаться от прежнего."));
        ClerkAccounts::changePasswordHash(context.db, clerk.login, newHash, today);
        clerk = ClerkAccounts::find(context.db, clerk.login)->clerk;
    }

    const int state = ClerkAccounts::passwordState(clerk, today);
    ClerkAccounts::recordSignIn(context.db, clerk.login,
                                args.text(Computer) + QLatin1Char('\\') + args.text(Ip));
    if (state < 0) {
        // The account is handed out only once the password has been changed.
        result.addRow({QString(), QString(), updates, state, QString(), version});
        return;
    }
    result.addRow({shift::encodeText(clerk.databaseLogin), clerk.databasePasswordShifted, updates,
                   state, QString(), version});
}

}  // namespace zel::server::procedures
