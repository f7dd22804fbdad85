#include "signin/SelfUpdate.h"
#include "signin/TForm8.h"
#include "tests/signin/FakeSignInBackend.h"
#include "signin/ZelApplication.h"

#include "tests/signin/RecordingDialogService.h"
#include "ui/DialogService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace zel;
using zel::testing::FakeBackend;

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
    void init()
    {
        ZelApplication::instance()->Initialize();
        // A termination requested by an earlier test ends every event loop started
        // afterwards (the download's among them) until the application's loop has run.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

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

    // The sign-in over a server that asks for version 3; the update replaces a
    // stand-in program in dir.
    void fileFailuresEndTheAttemptAndTheProgramGoesOn_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QString>("shown");
        // A file where the folder should be; a folder where the downloaded file should be.
        QTest::newRow("folder") << QStringLiteral("tempZEL") << QStringLiteral("Не удалось создать папку");
        QTest::newRow("downloaded file") << QStringLiteral("tempZEL/ZEL 4.exe")
                                         << QStringLiteral("Не удалось записать файл");
        // A program folder nobody may write, root included (an installed program).
        QTest::newRow("installed program") << QStringLiteral("/proc/1")
                                           << QStringLiteral("Папка программы \"/proc/1\" закрыта для записи: "
                                                             "установленную программу обновляет администратор");
    }

    void fileFailuresEndTheAttemptAndTheProgramGoesOn()
    {
        QFETCH(QString, blocked);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const bool installed = blocked.startsWith(u'/');
        const QString program = installed ? blocked + QStringLiteral("/zel4") : dir.filePath(QStringLiteral("zel4"));
        if (!installed)
            writeProgram(program, "old");
        if (installed) {
            QVERIFY(!QFileInfo(blocked).isWritable());
        } else if (blocked.endsWith(QStringLiteral(".exe"))) {
            QVERIFY(QDir(dir.path()).mkpath(blocked));
        } else {
            QFile file(dir.filePath(blocked));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TinyHttpServer server(ok("#!/bin/sh\n"));
        FakeBackend backend;
        backend.row = {QStringLiteral("trdq"), QStringLiteral("qv"), server.url(), 25, QString(), 3};
        zel::testing::RecordingDialogService dialogs;
        ui::DialogService::setCurrent(&dialogs);
        TForm8 window(backend);
        window.updateSettings.programFile = program;
        window.SignInArea->click();
        ui::DialogService::setCurrent(nullptr);

        QCOMPARE(window.message(), QStringLiteral("Неверно ввели логин или пароль."));
        QCOMPARE(backend.errors.size(), 1);
        QVERIFY2(backend.errors.first().startsWith(shown), qPrintable(backend.errors.first()));
        QVERIFY(dialogs.texts.isEmpty());
        QVERIFY(!ZelApplication::instance()->Terminated());
        QVERIFY(!backend.connected);
        QVERIFY(!window.updating());
        QVERIFY(!QFile::exists(SelfUpdate::scriptPath(program)));
        if (!installed)
            QCOMPARE(readAll(program), QByteArray("old"));
    }

    void signInActionsAreIgnoredOnceTheUpdateHasStarted()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("zel4"));
        writeProgram(program, "#!/bin/sh\n");
        TinyHttpServer server(ok("#!/bin/sh\necho new\n"));
        int requests = 0;
        QObject::connect(&server, &QTcpServer::newConnection, [&] { ++requests; });
        // The stand-in of the running program: the script waits for it.
        qint64 runningPid = 0;
        QVERIFY(QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("2")}, {}, &runningPid));

        FakeBackend backend;
        backend.row = {QStringLiteral("trdq"), QStringLiteral("qv"), server.url(), 25, QString(), 3};
        TForm8 window(backend);
        window.updateSettings.programFile = program;
        window.updateSettings.waitForPid = runningPid;
        window.SignInArea->click();
        QVERIFY2(backend.errors.isEmpty(), qPrintable(backend.errors.join(u'|')));
        QVERIFY(window.updating());
        QVERIFY(window.selfUpdate()->terminationTimer().isActive());
        QCOMPARE(requests, 1);
        QCOMPARE(backend.statements.size(), 1);

        // During the two-second wait the clerk presses Enter and clicks again.
        QTest::keyClick(window.Password_Edit, Qt::Key_Return);
        window.SignInArea->click();
        QTest::qWait(50);
        QCOMPARE(requests, 1);
        QCOMPARE(backend.statements.size(), 1);
        window.selfUpdate()->terminationTimer().stop();
        // Let the hand-over finish inside the temporary folder before it is removed.
        QTRY_COMPARE_WITH_TIMEOUT(readAll(program), QByteArray("#!/bin/sh\necho new\n"), 10000);
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
