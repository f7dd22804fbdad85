#include "server/accounts/StoredVerifiers.h"

#include "server/schema/SqliteStatement.h"

namespace zel::server {

void StoredVerifiers::replace(sqlite3* db, const char* table, const QString& login,
                              const PasswordVerifier::Stored& stored)
{
    schema::SqliteStatement update(
        db, QStringLiteral("UPDATE %1 SET salt = ?2, verifier = ?3, iterations = ?4 WHERE login = ?1")
                .arg(QLatin1String(table)));
    update.bind(1, login);
    update.bind(2, stored.salt);
    update.bind(3, stored.verifier);
    update.bind(4, stored.iterations);
    update.run();
}

const PasswordVerifier::Stored& StoredVerifiers::decoy()
{
    static const PasswordVerifier::Stored decoy = PasswordVerifier::create(QByteArrayLiteral("decoy"));
    return decoy;
}

}  // namespace zel::server
