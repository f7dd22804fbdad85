#include "server/accounts/PasswordVerifier.h"

#include <QRandomGenerator>
#include <QtGlobal>

#include <openssl/evp.h>

#include <atomic>
#include <stdexcept>

namespace zel::server {

namespace {
std::atomic<quint64> g_derivations{0};
}  // namespace

quint64 PasswordVerifier::derivations()
{
    return g_derivations.load();
}

int PasswordVerifier::iterationsForNewVerifiers()
{
    static const int iterations = [] {
        bool ok = false;
        const int asked = qEnvironmentVariableIntValue("ZEL_VERIFIER_ITERATIONS", &ok);
        if (!ok || asked >= kDefaultIterations)
            return kDefaultIterations;
        return std::max(asked, kMinimumIterations);
    }();
    return iterations;
}

PasswordVerifier::Stored PasswordVerifier::create(const QByteArray& secret, int iterations)
{
    Stored stored;
    stored.salt.resize(kSaltSize);
    QRandomGenerator* random = QRandomGenerator::system();
    for (char& byte : stored.salt)
        byte = char(random->bounded(256));
    stored.iterations = iterations > 0 ? iterations : iterationsForNewVerifiers();
    stored.verifier = pbkdf2(secret, stored.salt, stored.iterations);
    return stored;
}

bool PasswordVerifier::matches(const QByteArray& secret, const Stored& stored)
{
    if (stored.iterations < 1 || stored.verifier.isEmpty())
        return false;
    return constantTimeEquals(pbkdf2(secret, stored.salt, stored.iterations, int(stored.verifier.size())),
                              stored.verifier);
}

bool PasswordVerifier::needsUpgrade(const Stored& stored)
{
    return stored.iterations < iterationsForNewVerifiers();
}

QByteArray PasswordVerifier::pbkdf2(const QByteArray& secret, const QByteArray& salt, int iterations,
                                    int length)
{
    ++g_derivations;
    QByteArray out(length, '\0');
    const int ok = PKCS5_PBKDF2_HMAC(secret.constData(), int(secret.size()),
                                     reinterpret_cast<const unsigned char*>(salt.constData()), int(salt.size()),
                                     iterations, EVP_sha256(), length, reinterpret_cast<unsigned char*>(out.data()));
    if (ok != 1)
        throw std::runtime_error("PBKDF2 failed");
    return out;
}

bool PasswordVerifier::constantTimeEquals(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}  // namespace zel::server
