#include "tools/report/ReportService.h"

#include "data/DbError.h"
#include "server/accounts/ClerkAccounts.h"
#include "tools/report/PersonalCardHtml.h"
#include "tools/report/PersonalCardPdf.h"
#include "tools/report/PersonalCardReader.h"

#include <QHash>
#include <QRegularExpression>
#include <QUrlQuery>

namespace zel::report {

namespace {

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");

ReportReply page(int status, const QString& title, const QString& text)
{
    const QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\"/><title>")
        + title.toHtmlEscaped() + QStringLiteral("</title></head><body><h1>") + title.toHtmlEscaped()
        + QStringLiteral("</h1><p>") + text.toHtmlEscaped() + QStringLiteral("</p></body></html>\n");
    return {status, kHtml, html.toUtf8()};
}

ReportReply forbidden()
{
    return page(403, QStringLiteral("Доступ запрещён"),
                QStringLiteral("Неверное имя пользователя или пароль. Откройте отчёт из программы ZEL 4."));
}

ReportReply notFound(const QString& text)
{
    return page(404, QStringLiteral("Не найдено"), text);
}

/// Every parameter once, decoded; a parameter given twice makes the query ambiguous.
bool decodedParameters(const QUrlQuery& query, QHash<QString, QString>& out)
{
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (out.contains(key))
            return false;
        out.insert(key, value);
    }
    return true;
}

}  // namespace

ReportService::ReportService(sqlite3* db) : m_db(db) {}

QString ReportService::ReportName()
{
    return QStringLiteral("/VUZ/zel4_1");
}

bool ReportService::credentialsMatch(const QString& login, const QString& hash) const
{
    const std::optional<server::ClerkAccounts::Stored> stored = server::ClerkAccounts::find(m_db, login);
    if (!stored) {
        // An unknown login costs the same work as a known one.
        static const server::PasswordVerifier::Stored decoy =
            server::PasswordVerifier::create(QByteArrayLiteral("decoy"));
        server::PasswordVerifier::matches(hash.toLatin1(), decoy);
        return false;
    }
    return server::ClerkAccounts::hashMatches(*stored, hash) && stored->clerk.refusalMessage.isEmpty();
}

ReportReply ReportService::reply(const QUrlQuery& query) const
{
    QHash<QString, QString> parameters;
    if (!decodedParameters(query, parameters))
        return forbidden();
    if (!parameters.contains(ReportName()))
        return notFound(QStringLiteral("Отчёт не найден."));
    const QString login = parameters.value(QStringLiteral("login"));
    const QString hash = parameters.value(QStringLiteral("password"));
    const QString teacher = parameters.value(QStringLiteral("teacher"));
    if (login.isEmpty() || hash.isEmpty() || teacher.isEmpty())
        return forbidden();
    try {
        if (!credentialsMatch(login, hash))
            return forbidden();
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
        if (!digits.match(teacher).hasMatch())
            return notFound(QStringLiteral("Сотрудник не найден."));
        const std::optional<PersonalCard> card = PersonalCardReader::read(m_db, teacher.toInt());
        if (!card)
            return notFound(QStringLiteral("Сотрудник с номером %1 не найден.").arg(teacher));
        if (parameters.value(QStringLiteral("rs:Format")).compare(QLatin1String("PDF"), Qt::CaseInsensitive) == 0)
            return {200, QByteArrayLiteral("application/pdf"), PersonalCardPdf::render(*card)};
        return {200, kHtml, PersonalCardHtml::render(*card, PersonalCardHtml::Target::Browser).toUtf8()};
    } catch (const Error& failure) {
        return page(500, QStringLiteral("Ошибка сервера отчётов"), failure.message());
    }
}

}  // namespace zel::report
