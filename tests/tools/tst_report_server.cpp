// The report server of the printable card, asked over HTTP on 127.0.0.1.
#include "data/PasswordHash.h"
#include "server/accounts/ClerkAccounts.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/server/SqliteFirstValue.h"
#include "tools/report/ReportServer.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace zel;

namespace {

struct Reply {
    int status = 0;
    QByteArray contentType;
    QByteArray cacheControl;
    QByteArray body;
};

QString md5Upper(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

}  // namespace

class ReportServerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<server::schema::SqliteConnection> m_db;
    std::unique_ptr<report::ReportServer> m_server;
    QNetworkAccessManager m_network;
    quint16 m_port = 0;
    QString m_password;

    Reply get(const QString& query, const QString& path = QStringLiteral("/reportserver/Pages/ReportViewer.aspx"))
    {
        QUrl url(QStringLiteral("http://127.0.0.1:%1%2?%3").arg(m_port).arg(path, query), QUrl::TolerantMode);
        QNetworkReply* reply = m_network.get(QNetworkRequest(url));
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished())
            finished.wait(20000);
        Reply out;
        out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        out.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        out.cacheControl = reply->rawHeader("Cache-Control");
        out.body = reply->readAll();
        reply->deleteLater();
        return out;
    }
    QString query(const QString& login, const QString& digest, const QString& teacher) const
    {
        return QStringLiteral("%2fVUZ%2fzel4_1&rs:Command=Render&login=") + login + QStringLiteral("&password=")
            + digest + QStringLiteral("&teacher=") + teacher;
    }
    QString ivanova(int key) const { return query(QStringLiteral("ivanova"), md5Upper(m_password.toLatin1()), QString::number(key)); }
    qint64 scalar(const QString& sql) const { return test::firstInteger(m_db->handle(), sql); }
    QString text(const QString& sql) const { return test::firstText(m_db->handle(), sql); }

private slots:
    void initTestCase()
    {
        server::installServerModules();
        const QString path = m_dir.filePath(QStringLiteral("zel.db"));
        const server::DemoSummary demo = server::createDemoDatabase(path, 20);
        for (const auto& clerk : demo.clerks)
            if (clerk.login == QLatin1String("ivanova"))
                m_password = clerk.password;
        QVERIFY(!m_password.isEmpty());
        m_db = std::make_unique<server::schema::SqliteConnection>(path,
                                                                  server::schema::SqliteConnection::Mode::OpenExisting);
        m_server = std::make_unique<report::ReportServer>(path);
        m_port = m_server->listen(QHostAddress::LocalHost, 0);
        QVERIFY(m_port != 0);
    }
    void cleanupTestCase()
    {
        m_server.reset();
        m_db.reset();
    }

    void aCorrectRequestRendersTheCard()
    {
        const int key = int(scalar(QStringLiteral(
            "SELECT t.id_teacher FROM TEACHER t JOIN Passport p ON p.id_teacher = t.id_teacher AND p.N_p <> ''"
            " WHERE EXISTS (SELECT 1 FROM family_ f WHERE f.id_teacher = t.id_teacher AND trim(f.p26) <> '')"
            " ORDER BY t.id_teacher LIMIT 1")));
        QVERIFY(key > 1);
        const Reply reply = get(ivanova(key));
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.contentType, QByteArrayLiteral("text/html; charset=utf-8"));
        QCOMPARE(reply.cacheControl, QByteArrayLiteral("no-store"));
        const QString page = QString::fromUtf8(reply.body);
        const QString surname = text(QStringLiteral("SELECT p26 FROM TEACHER WHERE id_teacher = %1").arg(key));
        const QString passport = text(QStringLiteral("SELECT N_p FROM Passport WHERE id_teacher = %1").arg(key));
        const QString relative =
            text(QStringLiteral("SELECT trim(p26) FROM family_ WHERE id_teacher = %1 AND trim(p26) <> '' ORDER BY id_family")
                     .arg(key));
        QVERIFY(!surname.isEmpty() && !passport.isEmpty() && !relative.isEmpty());
        QVERIFY2(page.contains(surname), qPrintable(surname));
        QVERIFY2(page.contains(passport), qPrintable(passport));
        QVERIFY2(page.contains(relative), qPrintable(relative));
        QVERIFY(page.contains(QLatin1String("@page")));
        QVERIFY(page.contains(QLatin1String("window.print()")));
        QVERIFY(page.contains(QStringLiteral("ЛИЧНАЯ КАРТОЧКА РАБОТНИКА")));
        // Every printed section, and the signature lines.
        for (const char* section : {"Паспорт", "Место рождения", "Место жительства", "Место прописки", "Состав семьи",
                                    "Образование", "Приём на работу", "Повышение квалификации", "Награды", "Отпуск",
                                    "воинском учёте", "языков", "(личная подпись)"})
            QVERIFY2(page.contains(QString::fromUtf8(section)), section);
    }

    void thePdfIsTheSameCard()
    {
        const int key = int(scalar(QStringLiteral("SELECT min(id_teacher) FROM TEACHER WHERE id_teacher > 1")));
        const Reply reply = get(ivanova(key) + QStringLiteral("&rs:Format=PDF"));
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.contentType, QByteArrayLiteral("application/pdf"));
        QVERIFY(reply.body.startsWith("%PDF"));
        QVERIFY(reply.body.size() > 2000);
    }

    void wrongCredentialsAndMissingParametersAreForbiddenAlike()
    {
        const int key = int(scalar(QStringLiteral("SELECT min(id_teacher) FROM TEACHER WHERE id_teacher > 1")));
        const QString digest = md5Upper(m_password.toLatin1());
        const QString k = QString::number(key);
        const QString kuznetsovDigest = md5Upper("kuznetsov1");  // right password, sign-in refused
        const QList<QString> refused = {
            query(QStringLiteral("ivanova"), QString(32, u'0'), k),
            query(QStringLiteral("ivanova"), m_password, k),  // the plain password is not the digest
            query(QStringLiteral("nobody"), digest, k),
            query(QStringLiteral("kuznetsov"), kuznetsovDigest, k),
            QStringLiteral("%2fVUZ%2fzel4_1&rs:Command=Render&password=") + digest + QStringLiteral("&teacher=") + k,
            QStringLiteral("%2fVUZ%2fzel4_1&rs:Command=Render&login=ivanova&teacher=") + k,
            QStringLiteral("%2fVUZ%2fzel4_1&rs:Command=Render&login=ivanova&password=") + digest,
            query(QStringLiteral("nobody"), digest, k) + QStringLiteral("&login=ivanova"),
        };
        QByteArray firstBody;
        for (const QString& q : refused) {
            const Reply reply = get(q);
            QVERIFY2(reply.status == 403, qPrintable(q + QStringLiteral(" -> ") + QString::number(reply.status)));
            if (firstBody.isEmpty())
                firstBody = reply.body;
            QCOMPARE(reply.body, firstBody);
        }
        QVERIFY(QString::fromUtf8(firstBody).contains(QStringLiteral("Доступ запрещён")));
        QVERIFY(!QString::fromUtf8(firstBody).contains(QStringLiteral("Сотрудник")));
    }

    void aKeyThatDoesNotExistIsNotFound()
    {
        QCOMPARE(get(ivanova(987654)).status, 404);
        QCOMPARE(get(query(QStringLiteral("ivanova"), md5Upper(m_password.toLatin1()), QStringLiteral("5%20or%201=1")))
                     .status,
                 404);
        QCOMPARE(get(ivanova(2).replace(QStringLiteral("zel4_1"), QStringLiteral("zel4_9"))).status, 404);
        QCOMPARE(get(ivanova(2), QStringLiteral("/reportserver/other")).status, 404);
    }

    void theAdminCommandServesTheSameCard()
    {
        const QString admin = qEnvironmentVariable("ZEL_ADMIN");
        QVERIFY2(!admin.isEmpty(), "ZEL_ADMIN names the zel4-admin program");
        QProcess process;
        process.start(admin, {QStringLiteral("report-server"), QStringLiteral("--db"), m_dir.filePath(QStringLiteral("zel.db")),
                              QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
        QVERIFY(process.waitForStarted());
        QString banner;
        while (!banner.contains(u'\n') && process.waitForReadyRead(20000))
            banner += QString::fromUtf8(process.readAllStandardOutput());
        const QRegularExpressionMatch port =
            QRegularExpression(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/reportserver/")).match(banner);
        QVERIFY2(port.hasMatch(), qPrintable(banner));
        const quint16 own = m_port;
        m_port = quint16(port.captured(1).toUInt());
        const int key = int(scalar(QStringLiteral("SELECT min(id_teacher) FROM TEACHER WHERE id_teacher > 1")));
        const Reply card = get(ivanova(key));
        const Reply refused = get(query(QStringLiteral("ivanova"), QString(32, u'0'), QString::number(key)));
        m_port = own;
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(card.status, 200);
        QVERIFY(QString::fromUtf8(card.body).contains(
            text(QStringLiteral("SELECT p26 FROM TEACHER WHERE id_teacher = %1").arg(key))));
        QCOMPARE(refused.status, 403);
    }

    void anEncodedLoginIsDecoded()
    {
        server::Clerk clerk;
        clerk.login = QStringLiteral("о'нил & ко");
        clerk.fullName = QStringLiteral("Проверка");
        clerk.databaseLogin = QStringLiteral("zel_editor");
        server::ClerkAccounts::set(m_db->handle(), clerk, QStringLiteral("пароль"), QStringLiteral("x"));
        const int key = int(scalar(QStringLiteral("SELECT min(id_teacher) FROM TEACHER WHERE id_teacher > 1")));
        const QString login = QString::fromLatin1(QUrl::toPercentEncoding(clerk.login));
        QCOMPARE(login, QStringLiteral("%D0%BE%27%D0%BD%D0%B8%D0%BB%20%26%20%D0%BA%D0%BE"));
        const Reply reply = get(query(login, passwordHash(QStringLiteral("пароль")), QString::number(key)));
        QCOMPARE(reply.status, 200);
        // Unencoded, the ampersand splits the login and the server refuses.
        QCOMPARE(get(query(QStringLiteral("%D0%BE'%D0%BD%D0%B8%D0%BB & %D0%BA%D0%BE"),
                           passwordHash(QStringLiteral("пароль")), QString::number(key)))
                     .status,
                 403);
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ReportServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_report_server.moc"
