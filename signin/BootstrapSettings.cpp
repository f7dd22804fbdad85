#include "BootstrapSettings.h"

#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/Windows1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zel::bootstrap {

namespace {
constexpr int kLoginSlot = 0, kPasswordSlot = 20, kServerSlot = 42, kDatabaseSlot = 62;
constexpr int kLoginCount = 40, kPasswordCount = 41, kServerCount = 82, kDatabaseCount = 83;

QString slotText(const QByteArray& bytes, int slot, int countByte)
{
    const int count = qMin(int(static_cast<unsigned char>(bytes[countByte])), kSlotSize);
    return shift::decode(bytes.mid(slot, count));
}

void putSlot(QByteArray& bytes, int slot, int countByte, const QString& text, const char* what)
{
    const QByteArray plain = windows1251::encode(text);
    if (plain.size() > kSlotSize)
        throw Error(QStringLiteral("The %1 \"%2\" is longer than %3 bytes in Windows-1251.")
                        .arg(QLatin1String(what), text)
                        .arg(kSlotSize));
    const QByteArray stored = shift::encodeBytes(plain);
    bytes.replace(slot, stored.size(), stored);
    bytes[countByte] = char(stored.size());
}
}  // namespace

QString defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Data/ZEL");
}

TFirstConnectInfo decode(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() < kFileSize)
        throw IoError(QStringLiteral("Файл настроек подключения \"%1\" повреждён: его размер %2 байт вместо %3.")
                          .arg(path)
                          .arg(bytes.size())
                          .arg(kFileSize));
    TFirstConnectInfo info;
    info.login = slotText(bytes, kLoginSlot, kLoginCount);
    info.password = slotText(bytes, kPasswordSlot, kPasswordCount);
    info.server = slotText(bytes, kServerSlot, kServerCount);
    info.database = slotText(bytes, kDatabaseSlot, kDatabaseCount);
    return info;
}

TFirstConnectInfo read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Не удалось открыть файл настроек подключения \"%1\": %2.")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.read(kFileSize);
    file.close();
    return decode(bytes, QDir::toNativeSeparators(path));
}

QByteArray encode(const TFirstConnectInfo& info)
{
    QByteArray bytes(kFileSize, '\0');
    putSlot(bytes, kLoginSlot, kLoginCount, info.login, "login");
    putSlot(bytes, kPasswordSlot, kPasswordCount, info.password, "password");
    putSlot(bytes, kServerSlot, kServerCount, info.server, "server");
    putSlot(bytes, kDatabaseSlot, kDatabaseCount, info.database, "database name");
    return bytes;
}

void write(const QString& path, const TFirstConnectInfo& info)
{
    const QByteArray bytes = encode(info);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("Cannot write \"%1\": %2.").arg(path, file.errorString()));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(bytes);
    if (!file.commit())
        throw IoError(QStringLiteral("Cannot write \"%1\": %2.").arg(path, file.errorString()));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace zel::bootstrap
