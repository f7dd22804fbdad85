#include "signin/SelfUpdate.h"
#include "signin/ZelApplication.h"

#include "tests/signin/RecordingDialogService.h"
#include "ui/DialogService.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace zel;

namespace {

// Answers every request with one canned HTTP response and records the request line.
class TinyHttpServer : public QTcpServer {
public:
    QByteArray response;
    QByteArray lastRequest;

    explicit TinyHttpServer(QByteArray answer) : response(std::move(answer))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                lastRequest += socket->readAll();
                if (lastRequest.contains("\r\n\r\n")) {
                    socket->write(response);
                    socket->disconnectFromHost();
                }
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        });
        listen(QHostAddress::LocalHost, 0);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
};

QByteArray ok(const QByteArray& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}


QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeProgram(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace

class TestSelfUpdate : public QObject {
    Q_OBJECT
private slots:
    void init() { ZelApplication::instance()->Initialize(); }

    void handsOverToTheNewProgram()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("zel4"));
        const QString marker = dir.filePath(QStringLiteral("started"));
        writeProgram(program, "#!/bin/sh\necho old\n");
        const QByteArray newProgram = "#!/bin/sh\npwd > '" + marker.toUtf8() + "'\n";
        TinyHttpServer server(ok(newProgram));

        // The script must wait for this stand-in of the running program.
        qint64 runningPid = 0;
        QVERIFY(QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("1")}, {}, &runningPid));

        QStringList notices;
        SelfUpdate update([&](const QString& text) { notices << text; });
        QVERIFY(update.Run({program, QUrl(server.url()), runningPid}));

        QCOMPARE(notices, QStringList{QStringLiteral("Идёт обновление программы, ПОДОЖДИТЕ...")});
        QVERIFY(server.lastRequest.startsWith("GET /zelprogs/ZEL%204.exe HTTP/1.1"));
        QVERIFY(server.lastRequest.contains("User-Agent: zel4"));
        QVERIFY(update.terminationTimer().isActive());
        QCOMPARE(update.terminationTimer().interval(), 2000);
        // While the old program runs, it stays in place.
        QCOMPARE(readAll(program), QByteArray("#!/bin/sh\necho old\n"));

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QCOMPARE(readAll(program), newProgram);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("tempZEL"))));
        // The new program runs in its own folder.
        QCOMPARE(readAll(marker).trimmed(), dir.path().toUtf8());

        // The termination timer ends the program, then keeps firing at 100 ms.
        QTRY_VERIFY_WITH_TIMEOUT(ZelApplication::instance()->Terminated(), 5000);
        QCOMPARE(update.terminationTimer().interval(), 100);
        update.terminationTimer().stop();
    }

    void failedDownloadsLeaveTheOldProgram_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::newRow("404") << QByteArray("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
        QTest::newRow("empty body") << ok(QByteArray());
        QTest::newRow("unreachable") << QByteArray();
    }

    void failedDownloadsLeaveTheOldProgram()
    {
        QFETCH(QByteArray, response);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("zel4"));
        writeProgram(program, "old");

        QString url;
        std::unique_ptr<TinyHttpServer> server;
        if (response.isEmpty()) {
            TinyHttpServer closed{QByteArray()};
            url = closed.url();
            closed.close();  // nothing listens on that port any more
        } else {
            server = std::make_unique<TinyHttpServer>(response);
            url = server->url();
        }

        zel::testing::RecordingDialogService dialogs;
        ui::DialogService::setCurrent(&dialogs);
        SelfUpdate update({});
        const bool started = update.Run({program, QUrl(url), QCoreApplication::applicationPid()});
        ui::DialogService::setCurrent(nullptr);

        QVERIFY(!started);
        QCOMPARE(dialogs.texts, QStringList{QStringLiteral("Сервер обновлений не доступен.\rОбратитесь к администратору.")});
        QCOMPARE(dialogs.captions, QStringList{QStringLiteral("Уведомление")});
        QCOMPARE(readAll(program), QByteArray("old"));
        QVERIFY(!QFile::exists(SelfUpdate::scriptPath(program)));
        QVERIFY(!update.terminationTimer().isActive());
        QVERIFY(ZelApplication::instance()->Terminated());
    }

    void scriptUsesTheProgramFolderWhateverTheCurrentDirectory()
    {
        const QString text = SelfUpdate::scriptText(QStringLiteral("/opt/it's here/zel4"), 42);
        QVERIFY(text.contains(QStringLiteral("ZEL_HOME='/opt/it'\\''s here'")));
        QVERIFY(text.contains(QStringLiteral("ZEL_PID=42")));
        QVERIFY(!text.contains(QStringLiteral("$PWD")));
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestSelfUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_self_update.moc"
