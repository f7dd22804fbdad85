#include "server/accounts/PasswordVerifier.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <atomic>

namespace zel::server {

namespace {
std::atomic<quint64> g_derivations{0};
}  // namespace

quint64 PasswordVerifier::derivations()
{
    return g_derivations.load();
}

PasswordVerifier::Stored PasswordVerifier::create(const QByteArray& secret, int iterations)
{
    Stored stored;
    stored.salt.resize(kSaltSize);
    QRandomGenerator* random = QRandomGenerator::system();
    for (char& byte : stored.salt)
        byte = char(random->bounded(256));
    stored.iterations = iterations;
    stored.verifier = pbkdf2(secret, stored.salt, iterations);
    return stored;
}

bool PasswordVerifier::matches(const QByteArray& secret, const Stored& stored)
{
    if (stored.iterations < 1 || stored.verifier.isEmpty())
        return false;
    return constantTimeEquals(pbkdf2(secret, stored.salt, stored.iterations, int(stored.verifier.size())),
                              stored.verifier);
}

QByteArray PasswordVerifier::pbkdf2(const QByteArray& secret, const QByteArray& salt, int iterations,
                                    int length)
{
    ++g_derivations;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, secret);
    QByteArray out;
    for (quint32 block = 1; out.size() < length; ++block) {
        QByteArray counter(4, '\0');
        counter[0] = char(block >> 24);
        counter[1] = char(block >> 16);
        counter[2] = char(block >> 8);
        counter[3] = char(block);
        mac.reset();
        mac.addData(salt);
        mac.addData(counter);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        out += t;
    }
    out.truncate(length);
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
