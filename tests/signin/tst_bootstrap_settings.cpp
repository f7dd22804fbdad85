#include "signin/BootstrapConnection.h"
#include "signin/BootstrapSettings.h"
#include "signin/ConnectionString.h"

#include "data/DbError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zel;

namespace {

// An 84-byte image with the given raw (already shifted) slot bytes and counts.
QByteArray image(const QByteArray& login, int loginCount, const QByteArray& password, int passwordCount,
                 const QByteArray& server, int serverCount, const QByteArray& database, int databaseCount)
{
    QByteArray bytes(84, '\x7e');  // slot filler the reader must ignore
    bytes.replace(0, login.size(), login);
    bytes.replace(20, password.size(), password);
    bytes.replace(42, server.size(), server);
    bytes.replace(62, database.size(), database);
    bytes[40] = char(loginCount);
    bytes[41] = char(passwordCount);
    bytes[82] = char(serverCount);
    bytes[83] = char(databaseCount);
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(BootstrapSettings, SlotsAreReadUpToTheirCountBytes)
{
    // "user" shifted is "trdq"; the rest of each slot is noise.
    const QByteArray bytes = image("trdqXXXX", 4, "qvv", 2, "rqu", 3, "YDK", 3);
    const TFirstConnectInfo info = bootstrap::decode(bytes);
    EXPECT_EQ(info.login, QStringLiteral("user"));
    EXPECT_EQ(info.password, QStringLiteral("rw"));
    EXPECT_EQ(info.server, QStringLiteral("srv"));
    EXPECT_EQ(info.database, QStringLiteral("ZEL"));
}

TEST(BootstrapSettings, CountZeroGivesEmptyTextAndConnectionStringKeepsTheKey)
{
    const TFirstConnectInfo info = bootstrap::decode(image("trdq", 4, "", 0, "rqu", 3, "YDK", 3));
    EXPECT_TRUE(info.password.isEmpty());
    EXPECT_TRUE(buildConnectionString(info).startsWith(QStringLiteral("Provider=SQLOLEDB.1;Password=;")));
}

TEST(BootstrapSettings, CountAbove20TakesTheWholeSlot)
{
    const QByteArray twenty(20, '\x60');  // decodes to twenty "a"
    const TFirstConnectInfo info = bootstrap::decode(image(twenty, 25, "", 0, "", 0, "", 0));
    EXPECT_EQ(info.login, QString(20, u'a'));
}

TEST(BootstrapSettings, ShiftAddsOneModulo256)
{
    const TFirstConnectInfo info =
        bootstrap::decode(image(QByteArray("\x41", 1), 1, QByteArray("\xFF", 1), 1, "", 0, "", 0));
    EXPECT_EQ(info.login, QStringLiteral("B"));
    ASSERT_EQ(info.password.size(), 1);
    EXPECT_EQ(info.password.at(0).unicode(), 0);
}

TEST(BootstrapSettings, BytesAreWindows1251)
{
    // "П" is 0xCF and "я" 0xFF, stored lowered by one.
    const TFirstConnectInfo info = bootstrap::decode(image("", 0, "", 0, "", 0, QByteArray("\xCE\xFE", 2), 2));
    EXPECT_EQ(info.database, QStringLiteral("Пя"));
}

TEST(BootstrapSettings, EncodeWritesWhatDecodeReads)
{
    const TFirstConnectInfo info{QStringLiteral("zel_boot"), QStringLiteral("Секрет-1"),
                                 QStringLiteral("ZEL"), QStringLiteral("srv\\inst,1433")};
    const QByteArray bytes = bootstrap::encode(info);
    ASSERT_EQ(bytes.size(), 84);
    EXPECT_EQ(int(bytes[40]), 8);
    const TFirstConnectInfo back = bootstrap::decode(bytes);
    EXPECT_EQ(back.login, info.login);
    EXPECT_EQ(back.password, info.password);
    EXPECT_EQ(back.database, info.database);
    EXPECT_EQ(back.server, info.server);
}

TEST(BootstrapSettings, EncodeRefusesTextsThatDoNotFit)
{
    EXPECT_THROW(bootstrap::encode({QString(21, u'x'), {}, {}, {}}), Error);
    EXPECT_NO_THROW(bootstrap::encode({QString(20, u'ж'), {}, {}, {}}));
    EXPECT_THROW(bootstrap::encode({QStringLiteral("日"), {}, {}, {}}), Error);
}

TEST(BootstrapSettings, MissingOrShortFileIsAnIoErrorNamingTheFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Data/ZEL"));
    try {
        bootstrap::read(missing);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_TRUE(error.message().contains(missing)) << error.message().toStdString();
    }
    const QString shortFile = dir.filePath(QStringLiteral("short"));
    writeFile(shortFile, QByteArray(83, '\0'));
    try {
        bootstrap::read(shortFile);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("83"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(shortFile));
    }
}

TEST(BootstrapSettings, OnlyThe84FirstBytesCountAndEachReadSeesTheCurrentFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZEL"));
    bootstrap::write(path, {QStringLiteral("first"), {}, {}, {}});
    // Nobody but the owner may change it; other accounts than the group may not read it.
    const auto forbidden = QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_FALSE(QFile::permissions(path) & forbidden);
    EXPECT_EQ(bootstrap::read(path).login, QStringLiteral("first"));

    QByteArray changed = bootstrap::encode({QStringLiteral("second"), {}, {}, {}});
    changed.append("trailing bytes are ignored");
    writeFile(path, changed);
    EXPECT_EQ(bootstrap::read(path).login, QStringLiteral("second"));
}

TEST(ConnectionString, KeysInTheirOrderWithValuesAsTheyAre)
{
    EXPECT_EQ(buildConnectionString(QStringLiteral("log"), QStringLiteral("p;w"), QStringLiteral("ZEL"),
                                    QStringLiteral("srv")),
              QStringLiteral("Provider=SQLOLEDB.1;Password=p;w;Persist Security Info=True;User ID=log;"
                             "Initial Catalog=ZEL;Data Source=srv;Use Procedure for Prepare=1;"
                             "Auto Translate=True;Packet Size=4096;Use Encryption for Data=False;"
                             "Tag with column collation when possible=False"));
}

TEST(BootstrapConnection, ErrorTextLosesEveryOccurrenceOfTheLoginButNotOtherCases)
{
    const TFirstConnectInfo info{QStringLiteral("Boot"), QStringLiteral("pw"), QStringLiteral("ZEL"),
                                 QStringLiteral("srv")};
    QString received;
    const QString label = openConnection(info, [&](const QString& connectionString) {
        received = connectionString;
        throw DbError(QStringLiteral("Login failed for user 'Boot'. Boot, BOOT, boot."));
    });
    EXPECT_EQ(label, QStringLiteral("Login failed for user ''. , BOOT, boot."));
    EXPECT_EQ(received, buildConnectionString(info));
}

TEST(BootstrapConnection, SuccessLeavesTheLabelEmpty)
{
    bool opened = false;
    EXPECT_TRUE(openConnection({}, [&](const QString&) { opened = true; }).isEmpty());
    EXPECT_TRUE(opened);
}

TEST(BootstrapSettings, WrittenReadableByTheGroupUnlessAModeIsGiven)
{
    QTemporaryDir dir;
    const TFirstConnectInfo info{QStringLiteral("zel_boot"), QStringLiteral("pw"), QStringLiteral("ZEL"),
                                 QStringLiteral("srv")};
    const auto modeOf = [](const QString& path) {
        const QFileDevice::Permissions p = QFile::permissions(path);
        int mode = 0;
        const std::pair<QFileDevice::Permission, int> bits[] = {
            {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200}, {QFileDevice::ExeOwner, 0100},
            {QFileDevice::ReadGroup, 040},  {QFileDevice::WriteGroup, 020},  {QFileDevice::ExeGroup, 010},
            {QFileDevice::ReadOther, 04},   {QFileDevice::WriteOther, 02},   {QFileDevice::ExeOther, 01}};
        for (const auto& [flag, bit] : bits)
            if (p & flag)
                mode |= bit;
        return mode;
    };
    const QString shared = dir.filePath(QStringLiteral("Data/ZEL"));
    bootstrap::write(shared, info);
    EXPECT_EQ(modeOf(shared), 0640);

    QFileDevice::Permissions own;
    ASSERT_TRUE(bootstrap::parseMode(QStringLiteral("600"), &own));
    const QString single = dir.filePath(QStringLiteral("single/ZEL"));
    bootstrap::write(single, info, own);
    EXPECT_EQ(modeOf(single), 0600);
    // Rewriting an existing file gives it the mode asked for now.
    ASSERT_TRUE(bootstrap::parseMode(QStringLiteral("0644"), &own));
    bootstrap::write(single, info, own);
    EXPECT_EQ(modeOf(single), 0644);
    EXPECT_EQ(bootstrap::read(single).login, info.login);

    for (const char* bad : {"", "8", "rw-r-----", "1777", "07777", "-1"})
        EXPECT_FALSE(bootstrap::parseMode(QString::fromLatin1(bad), &own)) << bad;
}

TEST(BootstrapSettings, ErrorsAreInRussian)
{
    QTemporaryDir dir;
    try {
        bootstrap::read(dir.filePath(QStringLiteral("absent")));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Не удалось открыть файл настроек подключения")))
            << error.message().toStdString();
    }
    try {
        bootstrap::decode(QByteArray(10, '\0'), QStringLiteral("ZEL"));
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Файл настроек подключения \"ZEL\" слишком короткий: 10 байт вместо 84."));
    }
    try {
        bootstrap::encode({QStringLiteral("日"), {}, {}, {}});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Символ \"日\" (U+65e5) нельзя записать в кодировке Windows-1251."));
    }
}

TEST(BootstrapSettings, AByteWithoutACharacterIsAnErrorNotAStandIn)
{
    // 0x97 stored is 0x98 after the shift: no Windows-1251 character.
    try {
        bootstrap::decode(image(QByteArray("ab\x97", 3), 3, "", 0, "", 0, "", 0));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Байт 0x98 не обозначает ни одного символа в кодировке Windows-1251."));
    }
}

TEST(BootstrapSettings, FileBesideTheProgramComesBeforeTheSystemWideOne)
{
    QTemporaryDir dir;
    const QString beside = dir.filePath(QStringLiteral("bin/Data/ZEL"));
    const QString system = dir.filePath(QStringLiteral("etc/zel4/ZEL"));
    // Neither exists: the usual place is named in the error.
    EXPECT_EQ(bootstrap::locate(beside, system), beside);

    TFirstConnectInfo installed{QStringLiteral("boot_etc"), QStringLiteral("p"), QStringLiteral("ZEL"),
                                QStringLiteral("dbhost")};
    bootstrap::write(system, installed);
    EXPECT_EQ(bootstrap::locate(beside, system), system);
    EXPECT_EQ(bootstrap::read(bootstrap::locate(beside, system)).login, QStringLiteral("boot_etc"));

    TFirstConnectInfo local = installed;
    local.login = QStringLiteral("boot_local");
    bootstrap::write(beside, local);
    EXPECT_EQ(bootstrap::read(bootstrap::locate(beside, system)).login, QStringLiteral("boot_local"));
}
