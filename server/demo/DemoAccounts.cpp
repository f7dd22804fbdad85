#include "server/demo/DemoAccounts.h"

#include "server/accounts/ClerkAccounts.h"
#include "server/accounts/DatabaseAccounts.h"

namespace zel::server::demo {

namespace {
struct DatabaseLogin {
    const char* login;
    const char* password;
    AccountRole role;
    const char* purpose;
};
const DatabaseLogin kDatabaseLogins[] = {
    {"zel_boot", "Start2026", AccountRole::Bootstrap, "учётная запись файла Data/ZEL: только GET_USER"},
    {"zel_editor", "Kadry2026x", AccountRole::Editor, "работа с данными (чтение и запись)"},
    {"zel_reader", "Chtenie2026", AccountRole::ReadOnly, "только чтение"},
    {"zel_admin", "Admin2026z", AccountRole::Administrator, "администрирование"},
};

struct ClerkSeed {
    const char* login;
    const char* password;
    const char* fullName;
    int databaseLogin;  // index into kDatabaseLogins
    bool mustChange;
    int expiresInDays;  // 0: never
    const char* refusal;
    const char* purpose;
};
const ClerkSeed kClerks[] = {
    {"ivanova", "ivanova1", "Иванова Алёна Петровна", 1, false, 150, nullptr, "инспектор отдела кадров"},
    {"petrov", "petrov1", "Петров Фёдор Ильич", 2, false, 0, nullptr, "только просмотр"},
    {"sidorova", "sidorova1", "Сидорова Ольга Семёновна", 1, true, 0, nullptr,
     "должна сменить пароль при входе"},
    {"smirnov", "smirnov1", "Смирнов Артём Львович", 1, false, 10, nullptr,
     "срок пароля истекает: предложит сменить"},
    {"kuznetsov", "kuznetsov1", "Кузнецов Пётр Павлович", 1, false, 0,
     "Ваша учётная запись заблокирована.\rОбратитесь в отдел кадров.", "вход запрещён с сообщением"},
};
}  // namespace

void DemoAccounts::write(sqlite3* db, DemoSummary& summary)
{
    for (const DatabaseLogin& account : kDatabaseLogins) {
        DatabaseAccounts::set(db, QString::fromUtf8(account.login), QString::fromUtf8(account.password), account.role);
        summary.databaseAccounts.push_back({QString::fromUtf8(account.login), QString::fromUtf8(account.password),
                                            QString::fromUtf8(account.purpose)});
    }
    const QDate today = QDate::currentDate();
    for (const ClerkSeed& seed : kClerks) {
        Clerk clerk;
        clerk.login = QString::fromUtf8(seed.login);
        clerk.fullName = QString::fromUtf8(seed.fullName);
        clerk.mustChange = seed.mustChange;
        if (seed.expiresInDays > 0)
            clerk.passwordExpires = today.addDays(seed.expiresInDays);
        clerk.refusalMessage = seed.refusal ? QString::fromUtf8(seed.refusal) : QString();
        const DatabaseLogin& account = kDatabaseLogins[seed.databaseLogin];
        clerk.databaseLogin = QString::fromUtf8(account.login);
        ClerkAccounts::set(db, clerk, QString::fromUtf8(seed.password), QString::fromUtf8(account.password));
        summary.clerks.push_back({clerk.login, QString::fromUtf8(seed.password),
                                  QString::fromUtf8(seed.purpose) + QStringLiteral(" (работает как ")
                                      + clerk.databaseLogin + QLatin1Char(')')});
    }
}

}  // namespace zel::server::demo
