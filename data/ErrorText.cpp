#include "data/ErrorText.h"

#include "data/DbError.h"

#include <QRegularExpression>

namespace zel {

namespace {

QString leadFor(DbError::Kind kind)
{
    switch (kind) {
    case DbError::Kind::Storage:
        return QStringLiteral("Сервер базы данных не смог записать или прочитать свой файл: на диске нет места или "
                              "диск неисправен. Действие не выполнено; сообщите администратору.");
    case DbError::Kind::Timeout:
        return QStringLiteral("Сервер базы данных не ответил вовремя: данные заняты другим пользователем или сервер "
                              "перегружен. Действие не выполнено; повторите его позже.");
    case DbError::Kind::Deadlock:
        return QStringLiteral("Действие столкнулось с действием другого пользователя и не выполнено. Повторите его.");
    case DbError::Kind::ConnectionLost:
        return QStringLiteral("Связь с сервером базы данных нарушена. Действие не выполнено.");
    default:
        return {};
    }
}

}  // namespace

QString errorTextForUser(const std::exception& failure)
{
    const auto* own = dynamic_cast<const Error*>(&failure);
    if (!own)
        return QString::fromLocal8Bit(failure.what());
    const auto* server = dynamic_cast<const DbError*>(own);
    const QString lead = server ? leadFor(server->kind()) : QString();
    // A message that is already Russian (the driver's own, on connecting) needs no lead.
    if (lead.isEmpty() || own->message().contains(QRegularExpression(QStringLiteral("[А-Яа-яЁё]"))))
        return own->message();
    return lead + QStringLiteral("\n\n") + own->message();
}

}  // namespace zel
