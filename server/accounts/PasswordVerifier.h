#pragma once

#include <QByteArray>

namespace zel::server {

/// Salted, slow verifiers for stored secrets: PBKDF2-HMAC-SHA256 with a random
/// 16-byte salt. Nothing the server stores lets a secret be read back, and two
/// accounts with the same secret get different verifiers.
class PasswordVerifier {
public:
    static constexpr int kDefaultIterations = 20000;
    static constexpr int kSaltSize = 16;
    static constexpr int kVerifierSize = 32;

    struct Stored {
        QByteArray salt;
        QByteArray verifier;
        int iterations = kDefaultIterations;
    };

    /// A fresh salt from the system's random source and the verifier of secret.
    static Stored create(const QByteArray& secret, int iterations = kDefaultIterations);
    /// Whether secret produces the stored verifier; compares in constant time.
    static bool matches(const QByteArray& secret, const Stored& stored);

    /// PBKDF2-HMAC-SHA256 (RFC 8018) of length bytes.
    static QByteArray pbkdf2(const QByteArray& secret, const QByteArray& salt, int iterations,
                             int length = kVerifierSize);
    /// How many verifiers this process has derived (each create() or matches()
    /// derives one): lets a check prove that two paths did the same work.
    static quint64 derivations();

    /// Equality whose running time depends only on the lengths.
    static bool constantTimeEquals(const QByteArray& a, const QByteArray& b);
};

}  // namespace zel::server
