#include "UpdateDownload.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace zel {

UpdateDownload::Result UpdateDownload::fetch(const QUrl& source, const QString& destination,
                                             const QString& userAgent, int timeoutMs)
{
    Result result;
    QFile file(destination);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.error = file.errorString();
        result.fileFailed = true;
        return result;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(source);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);

    bool writeFailed = false;
    auto drain = [&] {
        char block[1024];
        for (;;) {
            const qint64 n = reply->read(block, sizeof block);
            if (n <= 0)
                break;
            if (file.write(block, n) != n)
                writeFailed = true;
            result.bytes += n;
        }
    };
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    drain();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError)
        result.error = reply->errorString();
    else if (status >= 400)
        result.error = QStringLiteral("сервер ответил кодом HTTP %1").arg(status);
    else if (writeFailed || !file.flush()) {
        result.error = file.errorString();
        result.fileFailed = true;
    }
    else if (result.bytes == 0)
        result.error = QStringLiteral("пустой ответ сервера");
    else
        result.ok = true;
    reply->deleteLater();
    file.close();
    if (!result.ok)
        QFile::remove(destination);  // a partial file must never be installed
    return result;
}

}  // namespace zel
