// The sign-in against the embedded demo database, through the program's own
// connection and the real sign-in window.
#include "signin/ConnectionSignInBackend.h"
#include "signin/SignInController.h"
#include "signin/TForm8.h"
#include "signin/ZelApplication.h"

#include "data/DbError.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace zel;

class TestSignInDemo : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_bootstrap;
    QString m_dataFolder;
    QString m_server;
    server::DemoSummary m_demo;

    struct Session {
        TDM_PUM dm;
        TADOConnection& connection = dm.ADO_PUM;
        QStringList captions, errors;
        QString login, password;
        int datasetOpenings = 0;
        std::unique_ptr<ConnectionSignInBackend> backend;
        std::unique_ptr<TForm8> window;

        explicit Session(const QString& bootstrapPath)
        {
            ConnectionSignInBackend::Host host;
            host.bootstrapPath = bootstrapPath;
            host.setCaption = [this](const QString& c) { captions << c; };
            host.signedIn = [this](const QString& l, const QString& p) { login = l, password = p; };
            host.openDatasets = [this] {
                ++datasetOpenings;
                dm.OpenSignInDataSets();
            };
            host.showError = [this](const QString& e) { errors << e; };
            backend = std::make_unique<ConnectionSignInBackend>(connection, host);
            window = std::make_unique<TForm8>(*backend);
        }
        void signIn(const QString& user, const QString& pass)
        {
            window->Login_Edit->setText(user);
            window->Password_Edit->setText(pass);
            window->SignInArea->click();
        }
        bool accepted() const { return window->result() == QDialog::Accepted; }
    };

    QString passwordOf(const QString& login) const
    {
        for (const auto& clerk : m_demo.clerks)
            if (clerk.login == login)
                return clerk.password;
        return {};
    }

private slots:
    void initTestCase()
    {
        server::installServerModules();
        server::registerEmbeddedDriver();
        // The bootstrap file holds at most 20 bytes of server name: the demo
        // database lives in the Data folder beside the executable, named relatively.
        m_dataFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
        QDir().mkpath(m_dataFolder);
        m_server = QStringLiteral("si%1.db").arg(QCoreApplication::applicationPid());
        m_demo = server::createDemoDatabase(m_dataFolder + u'/' + m_server, 20);
        m_bootstrap = m_dir.filePath(QStringLiteral("Data/ZEL"));
        const auto& boot = m_demo.databaseAccounts.front();
        bootstrap::write(m_bootstrap, {boot.login, boot.password, m_demo.databaseName, m_server});
    }

    void cleanupTestCase()
    {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(m_dataFolder + u'/' + m_server + suffix);
    }

    void init() { ZelApplication::instance()->Initialize(); }

    void editorSignsInAfterThreeFailedAttemptsWithOneCaptionSuffix()
    {
        Session s(m_bootstrap);
        s.signIn(QStringLiteral("ivanova"), QStringLiteral("wrong"));
        QCOMPARE(s.window->message(), signin_text::kWrongLogin);
        s.signIn(QStringLiteral("ivanova"), QStringLiteral("wrong2"));
        s.signIn(QStringLiteral("nobody"), QStringLiteral("x"));
        QCOMPARE(s.errors.size(), 3);
        QVERIFY(!s.accepted());

        s.signIn(QStringLiteral("ivanova"), passwordOf(QStringLiteral("ivanova")));
        QVERIFY2(s.accepted(), qPrintable(s.window->message() + s.errors.join(u'|')));
        QCOMPARE(s.login, QStringLiteral("ivanova"));
        QCOMPARE(s.datasetOpenings, 1);
        // The dictionaries are open after the sign-in, the master dataset empty.
        QVERIFY(s.dm.ADO_TEACHER.Active());
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 0);
        QVERIFY(s.dm.ADOT_Republic.Active());
        QVERIFY(s.dm.ADOQ_nationality.RecordCount() > 0);
        QCOMPARE(s.captions.size(), 4);
        QCOMPARE(s.captions.last(), SignInController::mainCaption());
        QCOMPARE(s.captions.last().count(QStringLiteral(" V2 [ ")), 1);

        // The connection now works under the clerk's database account: it can write.
        TADOQuery query;
        query.SetConnection(&s.connection);
        query.SetSQL(QStringLiteral("select count(*) as n from TEACHER"));
        query.Open();
        QVERIFY(query.Fields().front()->AsInteger() > 0);
    }

    void readOnlyUserSignsInButCannotWrite()
    {
        Session s(m_bootstrap);
        s.signIn(QStringLiteral("petrov"), passwordOf(QStringLiteral("petrov")));
        QVERIFY2(s.accepted(), qPrintable(s.window->message() + s.errors.join(u'|')));
        try {
            s.connection.Execute(QStringLiteral("update TEACHER set p26 = 'X' where id_teacher = 2"));
            QFAIL("a read-only account wrote");
        } catch (const DbError& error) {
            QCOMPARE(error.kind(), DbError::Kind::PermissionDenied);
        }
    }

    void refusalMessageIsShownAndTheWindowStays()
    {
        Session s(m_bootstrap);
        s.signIn(QStringLiteral("kuznetsov"), passwordOf(QStringLiteral("kuznetsov")));
        QVERIFY(!s.accepted());
        QVERIFY(!s.window->message().isEmpty());
        QVERIFY(s.window->message() != signin_text::kWrongLogin);
        QVERIFY(s.errors.isEmpty());
    }

    void mustChangePasswordThenSignsInWithTheNewOne()
    {
        Session s(m_bootstrap);
        const QString old = passwordOf(QStringLiteral("sidorova"));
        s.signIn(QStringLiteral("sidorova"), old);
        QCOMPARE(s.window->message(), signin_text::kMustChange);
        QVERIFY(s.window->newPasswordMode());
        QVERIFY(!s.window->NewPasswordToggle->isEnabled());
        QVERIFY(!s.connection.Connected());

        s.window->Edit1->setText(QStringLiteral("Novyi_2026"));
        s.window->Edit2->setText(QStringLiteral("Novyi_2026"));
        s.signIn(QStringLiteral("sidorova"), old);
        QVERIFY2(s.accepted(), qPrintable(s.window->message() + s.errors.join(u'|')));

        // The old password no longer opens the door.
        Session again(m_bootstrap);
        again.signIn(QStringLiteral("sidorova"), old);
        QVERIFY(!again.accepted());
    }

    void missingBootstrapFileGoesToTheDefaultErrorDisplay()
    {
        Session s(m_dir.filePath(QStringLiteral("nowhere/ZEL")));
        s.window->Login_Edit->setText(QStringLiteral("ivanova"));
        s.window->Password_Edit->setText(QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(IoError, s.window->SignInAction());
        QVERIFY(s.window->message().isEmpty());
    }

    void wrongBootstrapPasswordNeverShowsTheLogin()
    {
        const QString path = m_dir.filePath(QStringLiteral("bad/ZEL"));
        const auto& boot = m_demo.databaseAccounts.front();
        bootstrap::write(path, {boot.login, QStringLiteral("nope"), m_demo.databaseName, m_server});
        Session s(path);
        s.signIn(QStringLiteral("ivanova"), passwordOf(QStringLiteral("ivanova")));
        QVERIFY(!s.accepted());
        QVERIFY(!s.window->message().isEmpty());
        QVERIFY2(!s.window->message().contains(boot.login), qPrintable(s.window->message()));
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestSignInDemo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sign_in_demo.moc"
