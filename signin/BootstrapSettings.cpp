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
        throw Error(QStringLiteral("%1 \"%2\" длиннее %3 байт в кодировке Windows-1251.")
                        .arg(QString::fromUtf8(what), text)
                        .arg(kSlotSize));
    const QByteArray stored = shift::encodeBytes(plain);
    bytes.replace(slot, stored.size(), stored);
    bytes[countByte] = char(stored.size());
}
}  // namespace

QString locate(const QString& besideExecutable, const QString& systemWide)
{
    if (!QFileInfo::exists(besideExecutable) && QFileInfo::exists(systemWide))
        return systemWide;
    return besideExecutable;
}

QString defaultPath()
{
    return locate(QCoreApplication::applicationDirPath() + QStringLiteral("/Data/ZEL"),
                  QString::fromLatin1(kSystemPath));
}

TFirstConnectInfo decode(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() < kFileSize)
        throw IoError(QStringLiteral("Файл настроек подключения \"%1\" слишком короткий: %2 байт вместо %3.")
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
    putSlot(bytes, kLoginSlot, kLoginCount, info.login, "Логин");
    putSlot(bytes, kPasswordSlot, kPasswordCount, info.password, "Пароль");
    putSlot(bytes, kServerSlot, kServerCount, info.server, "Сервер");
    putSlot(bytes, kDatabaseSlot, kDatabaseCount, info.database, "Имя базы данных");
    return bytes;
}

bool parseMode(const QString& text, QFileDevice::Permissions* permissions)
{
    bool ok = false;
    const uint mode = text.toUInt(&ok, 8);
    if (!ok || text.isEmpty() || text.size() > 4 || mode > 0777)
        return false;
    QFileDevice::Permissions result;
    const std::pair<uint, QFileDevice::Permission> bits[] = {
        {0400, QFileDevice::ReadOwner},  {0200, QFileDevice::WriteOwner}, {0100, QFileDevice::ExeOwner},
        {0400, QFileDevice::ReadUser},   {0200, QFileDevice::WriteUser},  {0100, QFileDevice::ExeUser},
        {040, QFileDevice::ReadGroup},   {020, QFileDevice::WriteGroup},  {010, QFileDevice::ExeGroup},
        {04, QFileDevice::ReadOther},    {02, QFileDevice::WriteOther},   {01, QFileDevice::ExeOther},
    };
    for (const auto& [bit, permission] : bits)
        if (mode & bit)
            result |= permission;
    *permissions = result;
    return true;
}

void write(const QString& path, const TFirstConnectInfo& info, QFileDevice::Permissions permissions)
{
    const QByteArray bytes = encode(info);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("Не удалось записать \"%1\": %2.").arg(path, file.errorString()));
    // Never wider than asked while the bytes are being written.
    file.setPermissions(permissions & (QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    file.write(bytes);
    if (!file.commit())
        throw IoError(QStringLiteral("Не удалось записать \"%1\": %2.").arg(path, file.errorString()));
    QFile::setPermissions(path, permissions);
}

}  // namespace zel::bootstrap
