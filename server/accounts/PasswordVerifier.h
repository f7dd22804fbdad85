#pragma once

#include <QByteArray>

namespace zel::server {

/// Salted, slow verifiers for stored secrets: PBKDF2-HMAC-SHA256 with a random
/// 16-byte salt. Nothing the server stores lets a secret be read back, and two
/// accounts with the same secret get different verifiers. Each verifier keeps
/// its own cost, so older, cheaper ones still verify and can be replaced by a
/// verifier of the current cost after a successful check (needsUpgrade()).
class PasswordVerifier {
public:
    /// The cost of new verifiers. A whole sign-in checks three of them (the
    /// bootstrap account, the clerk, the clerk's database account), and has to
    /// stay under half a second on a workstation of the office.
    static constexpr int kDefaultIterations = 400000;
    /// The lowest cost a test run may ask for (see iterationsForNewVerifiers()).
    static constexpr int kMinimumIterations = 1000;
    static constexpr int kSaltSize = 16;
    static constexpr int kVerifierSize = 32;

    struct Stored {
        QByteArray salt;
        QByteArray verifier;
        int iterations = kDefaultIterations;
    };

    /// kDefaultIterations, unless the environment variable ZEL_VERIFIER_ITERATIONS
    /// asks for a lower cost (not below kMinimumIterations): the test suites set it
    /// so that their throw-away databases are fast to create and sign in to.
    static int iterationsForNewVerifiers();

    /// A fresh salt from the system's random source and the verifier of secret,
    /// at iterations or, when 0, at iterationsForNewVerifiers().
    static Stored create(const QByteArray& secret, int iterations = 0);
    /// Whether secret produces the stored verifier; compares in constant time.
    static bool matches(const QByteArray& secret, const Stored& stored);
    /// Whether the stored verifier is cheaper than new ones are made.
    static bool needsUpgrade(const Stored& stored);

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
