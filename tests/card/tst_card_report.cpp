// The card's "Отчёты" button: the report address it opens, over the embedded demo database.
#include "CardSession.h"

#include "card/ReportAddress.h"
#include "card/UrlOpener.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/card/TraceSince.h"
#include "ui/FlatButton.h"

#include <QCryptographicHash>
#include <QUrlQuery>

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;

namespace {

/// Keeps the addresses instead of starting a browser.
class RecordingUrlOpener : public UrlOpener {
public:
    RecordingUrlOpener() { UrlOpener::setCurrent(this); }
    ~RecordingUrlOpener() override { UrlOpener::setCurrent(nullptr); }
    QStringList urls;
    bool open(const QString& url) override
    {
        urls << url;
        return false;
    }
};

QString md5Upper(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

const QString kPath = QStringLiteral("/reportserver/Pages/ReportViewer.aspx?%2fVUZ%2fzel4_1&rs:Command=Render");

}  // namespace

class CardReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<server::schema::SqliteConnection> m_db;

    void exec(const QString& sql) { server::schema::execute(m_db->handle(), sql); }
    QStringList tracedSince(qint64 mark) const { return cardtest::tracedSince(m_db->handle(), mark); }
    qint64 traceMark() const { return cardtest::traceMark(m_db->handle()); }

private slots:
    void initTestCase()
    {
        m_db = cardtest::openTracedDemoFile();
        exec(QStringLiteral("INSERT INTO TEACHER (id_teacher, p26, p27, p28) VALUES (57, 'Отчётова', 'Вера', 'Павловна')"));
    }
    void cleanupTestCase() { m_db.reset(); }

    void reportOpensTheAddressOfTheCurrentEmployee()
    {
        RecordingUrlOpener opener;
        CardSession s;
        s.loadEmployee(57);
        const qint64 mark = traceMark();
        s.tab().Button12->click();

        QCOMPARE(tracedSince(mark).value(0),
                 QStringLiteral("Select *  FROM [ZEL].[dbo].[VuzDefaults] Where id_vuz_defaults=22"));
        QCOMPARE(opener.urls.size(), 1);
        const QString password = DemoDatabase::instance().passwordOf(QStringLiteral("ivanova"));
        QVERIFY(!password.isEmpty());
        QCOMPARE(opener.urls.first(), QStringLiteral("http://127.0.0.1:8089") + kPath + QStringLiteral("&login=ivanova")
                                          + QStringLiteral("&password=") + md5Upper(password.toLatin1())
                                          + QStringLiteral("&teacher=57"));
        QVERIFY(!opener.urls.first().contains(password));
        QVERIFY(s.dialogs.shown().isEmpty());
    }

    void withoutAnEmployeeTheSettingsAreReadAndAWarningShown()
    {
        RecordingUrlOpener opener;
        CardSession s;
        s.window->SpeedButton2->click();  // a new, unsaved card
        s.dialogs.clear();
        const qint64 mark = traceMark();
        s.tab().Button12->click();

        QCOMPARE(tracedSince(mark),
                 QStringList{QStringLiteral("Select *  FROM [ZEL].[dbo].[VuzDefaults] Where id_vuz_defaults=22")});
        QVERIFY(opener.urls.isEmpty());
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().first().text, QStringLiteral("Выберете сотрудника для просмотра отчётов."));
        QCOMPARE(s.dialogs.shown().first().caption, QStringLiteral("Уведомление"));
        QCOMPARE(s.dialogs.shown().first().icon, ui::DialogService::Icon::Warning);
    }

    void withoutTheSettingsRowTheAddressStartsWithThePath()
    {
        exec(QStringLiteral("DELETE FROM VuzDefaults WHERE id_vuz_defaults = 22"));
        RecordingUrlOpener opener;
        {
            CardSession s;
            s.loadEmployee(57);
            s.tab().Button12->click();
        }
        exec(QStringLiteral("INSERT INTO VuzDefaults (id_vuz_defaults, name, n_field) VALUES (22, 'Адрес сервера отчётов', "
                            "'http://127.0.0.1:8089')"));
        QCOMPARE(opener.urls.size(), 1);
        QVERIFY2(opener.urls.first().startsWith(kPath + QStringLiteral("&login=ivanova&password=")),
                 qPrintable(opener.urls.first()));
    }

    void aFailingSettingsReadStartsNoBrowser()
    {
        RecordingUrlOpener opener;
        CardSession s;
        s.loadEmployee(57);
        s.dialogs.clear();
        exec(QStringLiteral("ALTER TABLE VuzDefaults RENAME TO VuzDefaults_away"));
        s.tab().Button12->click();
        exec(QStringLiteral("ALTER TABLE VuzDefaults_away RENAME TO VuzDefaults"));
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().first().icon, ui::DialogService::Icon::Error);
        QVERIFY(opener.urls.isEmpty());
    }

    void theDigestDependsOnThePasswordOnly()
    {
        const QString a = ReportAddress::Url(QStringLiteral("http://r"), QStringLiteral("L"), QStringLiteral("тайна"),
                                             QStringLiteral("57"));
        const QString b = ReportAddress::Url(QStringLiteral("http://r"), QStringLiteral("L"), QStringLiteral("тайна"),
                                             QStringLiteral("57"));
        QCOMPARE(a, b);
        // The digest of the password's Windows-1251 bytes.
        const QByteArray cp1251("\xF2\xE0\xE9\xED\xE0", 5);
        QCOMPARE(a, QStringLiteral("http://r") + kPath + QStringLiteral("&login=L&password=") + md5Upper(cp1251)
                        + QStringLiteral("&teacher=57"));
        const QString empty =
            ReportAddress::Url(QString(), QStringLiteral("L"), QString(), QStringLiteral("57"));
        QCOMPARE(empty, kPath + QStringLiteral("&login=L&password=D41D8CD98F00B204E9800998ECF8427E&teacher=57"));
        const QString other = ReportAddress::Url(QString(), QStringLiteral("L"), QStringLiteral("тайнa"),
                                                 QStringLiteral("57"));  // Latin "a" at the end
        QVERIFY(other != ReportAddress::Url(QString(), QStringLiteral("L"), QStringLiteral("тайна"), QStringLiteral("57")));
    }

    void loginsThatWouldBreakTheAddressAreEncoded()
    {
        QCOMPARE(ReportAddress::Url(QString(), QStringLiteral("a&b"), QString(), QStringLiteral("7")),
                 kPath + QStringLiteral("&login=a%26b&password=D41D8CD98F00B204E9800998ECF8427E&teacher=7"));
        QCOMPARE(ReportAddress::Url(QString(), QStringLiteral("a b#c"), QString(), QStringLiteral("7")),
                 kPath + QStringLiteral("&login=a%20b%23c&password=D41D8CD98F00B204E9800998ECF8427E&teacher=7"));
        QCOMPARE(ReportAddress::Url(QString(), QStringLiteral("j.doe-1_x~"), QString(), QStringLiteral("7")),
                 kPath + QStringLiteral("&login=j.doe-1_x~&password=D41D8CD98F00B204E9800998ECF8427E&teacher=7"));
        for (const QString& login : {QStringLiteral("Иванова"), QStringLiteral("a&teacher=1"), QStringLiteral("x+y=z%")}) {
            const QString url = ReportAddress::Url(QStringLiteral("http://r"), login, QStringLiteral("p"),
                                                   QStringLiteral("57"));
            const QUrlQuery query(QUrl(url).query(QUrl::FullyEncoded));
            QCOMPARE(query.queryItemValue(QStringLiteral("login"), QUrl::FullyDecoded), login);
            QCOMPARE(query.allQueryItemValues(QStringLiteral("teacher")), QStringList{QStringLiteral("57")});
        }
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<CardReportTest>(argc, argv);
}

#include "tst_card_report.moc"
