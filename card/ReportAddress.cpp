#include "card/ReportAddress.h"

#include "data/PasswordHash.h"

#include <QUrl>

namespace zel::ReportAddress {

namespace {

QString queryValue(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

}  // namespace

QString ReportPath()
{
    return QStringLiteral("/reportserver/Pages/ReportViewer.aspx?%2fVUZ%2fzel4_1&rs:Command=Render");
}

QString Url(const QString& base, const QString& login, const QString& password, const QString& key)
{
    return base + ReportPath() + QStringLiteral("&login=") + queryValue(login) + QStringLiteral("&password=")
        + passwordHash(password) + QStringLiteral("&teacher=") + queryValue(key);
}

}  // namespace zel::ReportAddress
