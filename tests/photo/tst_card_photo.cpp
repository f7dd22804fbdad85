// The card's photo commands over the embedded demo database: loading a picture
// through the real crop window, storing it with its audit row, deleting it, and
// everything that must store nothing.
#include "tests/card/CardSession.h"

#include "data/DbError.h"
#include "photo/JpegCodec.h"
#include "photo/PhotoEditor.h"
#include "photo/PhotoFileDialog.h"
#include "photo/PictureView.h"
#include "photo/TPhotoForm.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "ui/DbImage.h"
#include "ui/FlatButton.h"
#include "ui/PictureBytes.h"

#include <QCheckBox>
#include <QTemporaryDir>

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;
using Answer = ui::DialogService::Answer;

namespace {

constexpr QRgb kGreen = qRgb(40, 170, 60);

/// Hands out the paths queued; an empty queue is a cancelled dialog.
class ScriptedFileDialog : public PhotoFileDialog {
public:
    ScriptedFileDialog() { setCurrent(this); }
    ~ScriptedFileDialog() override { setCurrent(nullptr); }
    QStringList paths;
    QStringList filters;
    QString chooseFile(QWidget*, const QString& filter) override
    {
        filters << filter;
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
};

/// Answers the real crop window in place of the clerk.
class ScriptedCrop : public PhotoEditor {
public:
    enum class Clerk { CropsAndApplies, AppliesWithoutCrop, Leaves };

    ScriptedCrop() { setCurrent(this); }
    ~ScriptedCrop() override { setCurrent(nullptr); }
    Clerk clerk = Clerk::CropsAndApplies;
    int calls = 0;
    QImage received;
    QImage handedBack;

    Result edit(QWidget* parent, const QImage& picture) override
    {
        ++calls;
        received = picture;
        TPhotoForm form(parent);
        form.SetPicture(picture);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return {};
        switch (clerk) {
        case Clerk::CropsAndApplies:
            form.CheckBox1->click();
            form.Image1MouseDown(Qt::LeftButton, {10, 10});
            form.Image1MouseMove(Qt::LeftButton, {100, 10});
            form.Image1MouseUp(Qt::LeftButton);
            form.N2Click();
            form.BitBtn1Click();
            break;
        case Clerk::AppliesWithoutCrop:
            form.BitBtn1Click();
            break;
        case Clerk::Leaves:
            form.N3Click();
            break;
        }
        handedBack = form.ResultBitmap;
        return {form.result() == QDialog::Accepted, form.ResultBitmap};
    }
};

/// The embedded server's statement trace, switched on through the database file.
class Trace {
public:
    Trace()
        : m_db(DemoDatabase::instance().folder + u'/' + DemoDatabase::instance().server,
               server::schema::SqliteConnection::Mode::OpenExisting)
    {
        server::schema::execute(m_db.handle(), QStringLiteral("DELETE FROM zel_trace"));
        server::schema::execute(m_db.handle(),
                                QStringLiteral("INSERT OR REPLACE INTO zel_settings(name, value) VALUES('trace', '1')"));
    }
    ~Trace()
    {
        server::schema::execute(m_db.handle(), QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'"));
    }
    QStringList statements() const
    {
        server::schema::SqliteStatement select(m_db.handle(), QStringLiteral("SELECT statement FROM zel_trace ORDER BY id"));
        QStringList texts;
        while (select.step())
            texts << select.text(0);
        return texts;
    }

private:
    server::schema::SqliteConnection m_db;
};

struct PhotoSession : CardSession {
    ScriptedFileDialog files;
    ScriptedCrop crop;
    QTemporaryDir folder;

    explicit PhotoSession(const QString& login = QStringLiteral("ivanova"))
        : CardSession(login)
    {
        // The directory stays open: moving the master row reloads the card only then.
        window->show();
    }

    /// A 400 x 300 green JPEG file, queued for the file dialog.
    QString queueGreenPicture()
    {
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(kGreen);
        const QString path = folder.filePath(QStringLiteral("портрет.jpg"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(JpegCodec::encode(picture, 95));
        files.paths << path;
        return path;
    }

    QByteArray storedPhoto(int employee)
    {
        TADOQuery query;
        query.SetConnection(&dm.ADO_PUM);
        query.SetSQL(QStringLiteral("select photo from photo where id_teacher = %1").arg(employee));
        query.Open();
        return query.IsEmpty() ? QByteArray("no row") : query.FieldByName(QStringLiteral("photo"))->AsBytes();
    }

    int lastLogRow() { return scalar(QStringLiteral("select max(id_log) from ZEL_LOG")); }
    QList<QStringList> logRowsAfter(int id)
    {
        return rows(QStringLiteral("select [table], row_id, descr, ZEL_User, comp from ZEL_LOG where id_log > %1 "
                                   "order by id_log")
                        .arg(id));
    }
    int employeeWithoutPhotoRow()
    {
        return scalar(QStringLiteral("select top 1 id_teacher from TEACHER t where id_teacher > 1 and not exists "
                                     "(select 1 from photo p where p.id_teacher = t.id_teacher) order by id_teacher"));
    }
    int employeeWithPhoto()
    {
        return scalar(QStringLiteral(
            "select top 1 id_teacher from photo where photo is not null and id_teacher > 1 order by id_teacher"));
    }
};

QStringList logStatementsOf(const Trace& trace)
{
    QStringList found;
    for (const QString& statement : trace.statements())
        if (statement.startsWith(QStringLiteral("INSERT INTO ZEL_LOG")))
            found << statement;
    return found;
}

QString photoLogStatement(const QString& id, const QString& login, const QString& workstation)
{
    return QStringLiteral("INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Photo', ") + id
        + QStringLiteral(", 'Поле \"photo\" изменило значение.', '") + login + QStringLiteral("', '") + workstation
        + QStringLiteral("')");
}

}  // namespace

class CardPhotoTest : public QObject {
    Q_OBJECT
private slots:
    void aFirstPhotoCreatesTheRowAndOneAuditRowWithItsNewKey()
    {
        PhotoSession s;
        const int key = s.employeeWithoutPhotoRow();
        QVERIFY(key > 1);
        s.loadEmployee(key);
        QVERIFY(s.tab().DBImage1->picture().isNull());
        const int lastLog = s.lastLogRow();
        s.queueGreenPicture();
        Trace trace;

        s.tab().BitBtn1->click();

        QVERIFY2(s.messages().isEmpty(), qPrintable(s.messages().join(u'\n')));
        QCOMPARE(s.files.filters, QStringList{QStringLiteral("Graphic files(*.jpg; *.jpeg) (*.jpg *.jpeg)")});
        QCOMPARE(s.crop.calls, 1);
        QCOMPARE(s.crop.received.size(), QSize(400, 300));
        const auto row = s.rows(QStringLiteral("select id_photo, id_teacher, ZEL_User from photo where id_teacher = %1").arg(key));
        QCOMPARE(row.size(), 1);
        const QString photoKey = row[0][0];
        QCOMPARE(row[0][1], QString::number(key));
        QCOMPARE(row[0][2], QStringLiteral("ivanova"));
        QCOMPARE(s.dm.ADOQ_photo.FieldByName(QStringLiteral("id_photo"))->AsString(), photoKey);

        // Stored as a Windows bitmap of the cut-out picture, pixel for pixel.
        const QByteArray stored = s.storedPhoto(key);
        QVERIFY(stored.startsWith("BM"));
        const QImage bitmap = QImage::fromData(stored, "BMP");
        QCOMPARE(bitmap.size(), QSize(90, 120));
        QCOMPARE(bitmap.convertToFormat(QImage::Format_RGB32), s.crop.handedBack.convertToFormat(QImage::Format_RGB32));
        QVERIFY(std::abs(qGreen(bitmap.pixel(45, 60)) - qGreen(kGreen)) < 12);
        QCOMPARE(s.tab().DBImage1->picture().size(), QSize(90, 120));
        QCOMPARE(s.dm.ADOQ_photo.State(), dsBrowse);

        const auto log = s.logRowsAfter(lastLog);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0], (QStringList{QStringLiteral("Photo"), photoKey, QStringLiteral("Поле \"photo\" изменило значение."),
                                      QStringLiteral("ivanova"), s.window->Workstation()}));
        QCOMPARE(logStatementsOf(trace), QStringList{photoLogStatement(photoKey, QStringLiteral("ivanova"), s.window->Workstation())});
    }

    void aReplacedPhotoKeepsItsRowAndLogsTheRowsKey()
    {
        PhotoSession s;
        const int key = s.employeeWithPhoto();
        QVERIFY(key > 1);
        s.loadEmployee(key);
        const QString photoKey = s.rows(QStringLiteral("select id_photo from photo where id_teacher = %1").arg(key))[0][0];
        const QByteArray before = s.storedPhoto(key);
        QVERIFY(!s.tab().DBImage1->picture().isNull());
        const int lastLog = s.lastLogRow();
        s.queueGreenPicture();

        s.window->BitBtn1Click();

        QCOMPARE(s.rows(QStringLiteral("select id_photo, ZEL_User from photo where id_teacher = %1").arg(key)),
                 (QList<QStringList>{{photoKey, QStringLiteral("ivanova")}}));
        const QByteArray after = s.storedPhoto(key);
        QVERIFY(after != before);
        QCOMPARE(QImage::fromData(after, "BMP").size(), QSize(90, 120));
        const auto log = s.logRowsAfter(lastLog);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].mid(0, 2), (QStringList{QStringLiteral("Photo"), photoKey}));
    }

    void cancellingOrConfirmingWithoutACutStoresNothing()
    {
        PhotoSession s;
        const int key = s.employeeWithPhoto();
        s.loadEmployee(key);
        const QByteArray before = s.storedPhoto(key);
        const QImage shown = s.tab().DBImage1->picture();
        const int lastLog = s.lastLogRow();

        // The file dialog cancelled: the window is not even opened.
        s.window->BitBtn1Click();
        QCOMPARE(s.files.filters.size(), 1);
        QCOMPARE(s.crop.calls, 0);

        s.crop.clerk = ScriptedCrop::Clerk::Leaves;
        s.queueGreenPicture();
        s.window->BitBtn1Click();
        QCOMPARE(s.crop.calls, 1);

        s.crop.clerk = ScriptedCrop::Clerk::AppliesWithoutCrop;
        s.queueGreenPicture();
        s.window->BitBtn1Click();
        QCOMPARE(s.crop.calls, 2);
        QVERIFY(s.crop.handedBack.isNull());

        QCOMPARE(s.storedPhoto(key), before);
        QCOMPARE(s.tab().DBImage1->picture(), shown);
        QVERIFY(s.logRowsAfter(lastLog).isEmpty());
        QCOMPARE(s.dm.ADOQ_photo.State(), dsBrowse);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(s.messages().isEmpty());
    }

    void anEmployeeWithoutAKeyGetsTheNoticeOnly()
    {
        PhotoSession s;
        // Right after the sign-in the card is empty; then a new, unsaved employee.
        for (int round = 0; round < 2; ++round) {
            s.dialogs.clear();
            s.queueGreenPicture();
            s.tab().BitBtn1->click();
            QCOMPARE(s.dialogs.shown().size(), 1);
            const auto& notice = s.dialogs.shown()[0];
            QCOMPARE(notice.text, QStringLiteral("Чтобы сохранить фотографию, нужно сперва сохранить хотя бы раз "
                                                 "информацию о сотруднике."));
            QCOMPARE(notice.caption, QStringLiteral("Уведомление"));
            QCOMPARE(notice.icon, ui::DialogService::Icon::Information);
            QVERIFY(s.files.filters.isEmpty());
            s.files.paths.clear();
            s.window->SpeedButton2Click();
        }
    }

    void aDamagedFileIsReportedWithItsNameAndStoresNothing()
    {
        PhotoSession s;
        const int key = s.employeeWithPhoto();
        s.loadEmployee(key);
        const QByteArray before = s.storedPhoto(key);
        const int lastLog = s.lastLogRow();
        const QString path = s.queueGreenPicture();
        {
            QFile file(path);
            file.open(QIODevice::ReadWrite);
            file.resize(file.size() / 2);
        }
        s.tab().BitBtn1->click();
        QCOMPARE(s.messages().size(), 1);
        QVERIFY(s.messages()[0].contains(path));
        QVERIFY(s.messages()[0].contains(QStringLiteral("повреждён")));
        QCOMPARE(s.crop.calls, 0);
        QCOMPARE(s.storedPhoto(key), before);
        QVERIFY(s.logRowsAfter(lastLog).isEmpty());
    }

    void deleteAsksThenEmptiesThePictureAndKeepsTheRow()
    {
        PhotoSession s;
        s.loadEmployee(s.employeeWithoutPhotoRow());
        s.tab().SpeedButton11->click();
        QVERIFY(s.dialogs.shown().isEmpty());

        const int key = s.employeeWithPhoto();
        s.loadEmployee(key);
        const QString photoKey = s.rows(QStringLiteral("select id_photo from photo where id_teacher = %1").arg(key))[0][0];
        const QByteArray before = s.storedPhoto(key);
        const int lastLog = s.lastLogRow();

        s.dialogs.queueAnswer(Answer::No);
        s.tab().SpeedButton11->click();
        QCOMPARE(s.dialogs.shown().size(), 1);
        const auto& question = s.dialogs.shown()[0];
        QCOMPARE(question.text, QStringLiteral("Вы действительно хотите удалить фотографию?"));
        QCOMPARE(question.caption, QStringLiteral("Уведомление"));
        QCOMPARE(question.icon, ui::DialogService::Icon::Question);
        QCOMPARE(question.buttons, ui::DialogService::Buttons::YesNo);
        QCOMPARE(s.storedPhoto(key), before);

        s.dialogs.queueAnswer(Answer::Yes);
        s.tab().SpeedButton11->click();
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(s.rows(QStringLiteral("select id_photo, photo from photo where id_teacher = %1").arg(key)),
                 (QList<QStringList>{{photoKey, QStringLiteral("NULL")}}));
        QVERIFY(s.tab().DBImage1->picture().isNull());
        QVERIFY(s.logRowsAfter(lastLog).isEmpty());
    }

    void aRefusedPostRunsNoAuditStatementAndKeepsThePreviousPhoto()
    {
        PhotoSession s(QStringLiteral("petrov"));
        const int key = s.employeeWithPhoto();
        s.loadEmployee(key);
        const QByteArray before = s.storedPhoto(key);
        const QImage shown = s.tab().DBImage1->picture();
        QVERIFY(!shown.isNull());
        s.queueGreenPicture();
        Trace trace;

        DbError::Kind refusal = DbError::Kind::Other;
        try {
            s.window->BitBtn1Click();
        } catch (const DbError& failure) {
            refusal = failure.kind();
        }
        QCOMPARE(refusal, DbError::Kind::PermissionDenied);

        QCOMPARE(s.crop.calls, 1);
        // Every statement that reaches the server is traced, failing ones too.
        QVERIFY(logStatementsOf(trace).isEmpty());
        QCOMPARE(s.dm.ADOQ_photo.State(), dsBrowse);
        QCOMPARE(s.tab().DBImage1->picture(), shown);
        QCOMPARE(s.storedPhoto(key), before);

        // The same for a first photo: the refused row disappears again.
        const int without = s.employeeWithoutPhotoRow();
        s.loadEmployee(without);
        s.queueGreenPicture();
        s.tab().BitBtn1->click();
        QCOMPARE(s.messages().size(), 1);
        QVERIFY(s.dm.ADOQ_photo.IsEmpty());
        QCOMPARE(s.dm.ADOQ_photo.State(), dsBrowse);
        QVERIFY(s.tab().DBImage1->picture().isNull());
        QVERIFY(logStatementsOf(trace).isEmpty());
        QCOMPARE(s.storedPhoto(without), QByteArray("no row"));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<CardPhotoTest>(argc, argv);
}

#include "tst_card_photo.moc"
