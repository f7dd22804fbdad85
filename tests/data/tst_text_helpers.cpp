#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"
#include "data/Windows1251.h"

#include <gtest/gtest.h>

using namespace zel;

// RFC 1321, appendix A.5, in upper case.
TEST(PasswordHash, Rfc1321TestSuite)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& [input, digest] : vectors)
        EXPECT_EQ(passwordHash(QString::fromLatin1(input)), QString::fromLatin1(digest)) << input;
}

TEST(PasswordHash, HashesWindows1251BytesOfCyrillic)
{
    // The server compares against the hash of the code-page bytes, not of UTF-8.
    EXPECT_EQ(passwordHash(QStringLiteral("пароль")), QStringLiteral("749789E4982B0C563F6729AAC100A614"));
    EXPECT_EQ(passwordHash(QStringLiteral("Ёлка2")), QStringLiteral("D2C0F94E8CE516614BE22113D303E717"));
}

TEST(PasswordHash, RefusesCharactersOutsideTheCodePage)
{
    EXPECT_THROW(passwordHash(QStringLiteral("пароль✓")), Error);
}

TEST(Windows1251, EveryAssignedByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != 0x98)
            all.append(char(b));
    const QString text = windows1251::decode(all);
    EXPECT_EQ(text.size(), all.size());
    EXPECT_EQ(windows1251::encode(text), all);
}

TEST(Windows1251, MapsCyrillicAndSpecialLetters)
{
    EXPECT_EQ(windows1251::decode(QByteArray("\xC0\xFF\xA8\xB8\xB9", 5)), QStringLiteral("АяЁё№"));
    EXPECT_EQ(windows1251::encode(QStringLiteral("Жж")), QByteArray("\xC6\xE6", 2));
}

TEST(Windows1251, UnmappableCharacterIsAnErrorNotAQuestionMark)
{
    EXPECT_FALSE(windows1251::canEncode(QStringLiteral("日本")));
    try {
        windows1251::encode(QStringLiteral("ab日"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("日"))) << error.message().toStdString();
    }
}

TEST(CharacterShift, DecodeAddsOneModulo256)
{
    EXPECT_EQ(shift::decodeBytes(QByteArray("\x41", 1)), QByteArray("B"));
    EXPECT_EQ(shift::decodeBytes(QByteArray("\xFF", 1)), QByteArray("\x00", 1));
    EXPECT_EQ(shift::encodeBytes(QByteArray("\x00", 1)), QByteArray("\xFF", 1));
}

TEST(CharacterShift, TextRoundTripThroughWindows1251)
{
    const QString plain = QStringLiteral("zel_user1Ёж");
    EXPECT_EQ(shift::decode(shift::encode(plain)), plain);
    EXPECT_EQ(shift::decodeText(shift::encodeText(plain)), plain);
    // "Б" (0xC1) is stored as "А" (0xC0).
    EXPECT_EQ(shift::encodeText(QStringLiteral("Б")), QStringLiteral("А"));
}
