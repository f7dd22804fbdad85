// "Экспорт в Excel" of the directory over the embedded demo database: the file
// read back cell by cell, the CSV byte by byte, cancelling and failing.
#include "DirectorySession.h"

#include "directory/SearchResultExporter.h"
#include "directory/SpreadsheetExport.h"
#include "directory/TForm4.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TDM_PUM.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "signin/ZelApplication.h"
#include "ui/ScriptedDialogService.h"

#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>

using namespace zel;
using namespace zel::test;

namespace {

/// One cell of a sheet as the file holds it.
struct SheetCell {
    QString type;   ///< the t attribute ("inlineStr", "s", "" for a number)
    QString style;  ///< the s attribute
    QString value;  ///< the text or the number
};

/// The cells of the first sheet by reference ("A1"), and the column widths.
struct Sheet {
    std::map<QString, SheetCell> cells;
    std::map<int, double> widths;
    QString styles;
};

QByteArray unzipEntry(const QString& file, const QString& entry)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, entry});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

Sheet readSheet(const QString& file)
{
    Sheet sheet;
    QXmlStreamReader xml(unzipEntry(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"col") {
            const int first = xml.attributes().value(QStringLiteral("min")).toInt();
            sheet.widths[first] = xml.attributes().value(QStringLiteral("width")).toDouble();
        } else if (xml.name() == u"c") {
            ref = xml.attributes().value(QStringLiteral("r")).toString();
            sheet.cells[ref] = {xml.attributes().value(QStringLiteral("t")).toString(), xml.attributes().value(QStringLiteral("s")).toString(), {}};
        } else if (xml.name() == u"t" || xml.name() == u"v") {
            sheet.cells[ref].value = xml.readElementText();
        }
    }
    sheet.styles = QString::fromUtf8(unzipEntry(file, QStringLiteral("xl/styles.xml")));
    return sheet;
}

QString text(const Sheet& sheet, const QString& ref)
{
    const auto it = sheet.cells.find(ref);
    return it == sheet.cells.end() ? QString() : it->second.value;
}

}  // namespace

class TestSearchExport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_connectionString;
    QString m_nationality, m_citizenship;
    int m_anna = 0, m_boris = 0, m_almaz = 0;

    struct Session : DirectorySession<> {
        using DirectorySession::DirectorySession;

        /// The three employees of the surname "Экспорт…".
        void searchThree() { searchSurname(QStringLiteral("Экспорт")); }
    };

    QString target(const QString& name) const { return m_dir.filePath(QStringLiteral("out/") + name); }

    QStringList leftovers() const
    {
        return QDir(m_dir.filePath(QStringLiteral("out")))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty(), "unzip is needed");
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
        const QString path = m_dir.filePath(QStringLiteral("zel.db"));
        m_connectionString = editorConnectionString(createDirectoryDemo(path, 30), path);

        TADOConnection setup;
        setup.SetConnectionString(m_connectionString);
        auto scalarText = [&setup](const QString& sql) {
            TADOQuery q;
            q.SetConnection(&setup);
            q.SetSQL(sql);
            q.Open();
            return q.Fields()[0]->AsString();
        };
        const QString nationality = scalarText(QStringLiteral("select top 1 IDNationality from nationality order by IDNationality"));
        m_nationality = scalarText(QStringLiteral("select Nationality from nationality where IDNationality = ") + nationality);
        const QString citizenship = scalarText(QStringLiteral("select top 1 IDCitizenship from Citizenship order by IDCitizenship"));
        m_citizenship = scalarText(QStringLiteral("select Citizenship from Citizenship where IDCitizenship = ") + citizenship);
        QVERIFY(!m_nationality.isEmpty() && !m_citizenship.isEmpty());

        auto employee = [&](const QString& values) {
            setup.Execute(QStringLiteral("insert into TEACHER(p26, p27, p28, status) values(") + values + u')');
            return scalarText(QStringLiteral("select max(id_teacher) from TEACHER")).toInt();
        };
        m_anna = employee(QStringLiteral("'Экспортова', 'Анна', 'Петровна', 1"));
        m_boris = employee(QStringLiteral("'Экспортов', 'Борис', NULL, 0"));
        m_almaz = employee(QStringLiteral("'Экспортов', 'Алмаз', 'Т\"ест', 1"));
        setup.Execute(QStringLiteral("insert into TEACHER_info(id_teacher, D_b, Phone, phone_mobile, Phon_w, "
                                     "id_nationality, id_citizenship, eMail) values(%1, '19850307', '12-34-56', "
                                     "'0555 123 456', '62-00-01', %2, %3, 'anna@knu.kg')")
                          .arg(m_anna).arg(nationality, citizenship));
        setup.Execute(QStringLiteral("insert into Passport(id_teacher, S_p, N_p) values(%1, 'AN', '1234567')").arg(m_anna));
        setup.Execute(QStringLiteral("insert into TEACHER_info(id_teacher, Phone) values(%1, 'д''Артаньян; 5')")
                          .arg(m_boris));
        setup.Execute(QStringLiteral("insert into TEACHER_info(id_teacher, D_b) values(%1, '20001231')").arg(m_almaz));
    }

    void theButtonLivesInTheExpandedPart()
    {
        Session s(m_connectionString);
        QCOMPARE(s.window->ExportButton->text(), QStringLiteral("Экспорт в Excel"));
        QVERIFY(s.window->ExportButton->geometry().left() >= 401);
        QVERIFY(!s.window->rect().contains(s.window->ExportButton->geometry()));
        s.window->BitBtn2Click();
        QVERIFY(s.window->rect().contains(s.window->ExportButton->geometry()));
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR")) {
            s.searchThree();
            s.window->grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/directory-expanded.png"));
        }
    }

    void threeRowsReadBackFromTheXlsxSheet()
    {
        Session s(m_connectionString);
        s.searchThree();
        const QList<int> keys = s.listedKeys();
        QCOMPARE(keys.size(), 3);
        const int current = s.dm.ADO_TEACHER.RecNo();
        const QString path = target(QStringLiteral("Сотрудники.xlsx"));
        s.window->Exporter->ChooseFile = [path](QWidget*) { return path; };
        s.window->BitBtn2Click();
        const int reloads = s.card.reloads;
        s.window->ExportButton->click();
        QVERIFY(QFile::exists(path));
        QCOMPARE(s.dm.ADO_TEACHER.RecNo(), current);  // the card did not move
        QCOMPARE(s.card.reloads, reloads);

        const Sheet sheet = readSheet(path);
        const QStringList titles{QStringLiteral("ФИО"), QStringLiteral("Шифр"), QStringLiteral("Дата рождения"),
                                 QStringLiteral("Национальность"), QStringLiteral("Гражданство"),
                                 QStringLiteral("Телефон домашний"), QStringLiteral("Телефон сотовый"),
                                 QStringLiteral("Телефон служебный"), QStringLiteral("Паспорт: серия"),
                                 QStringLiteral("Паспорт: номер"), QStringLiteral("e-mail"),
                                 QStringLiteral("Сотрудник работает")};
        const QString columns = QStringLiteral("ABCDEFGHIJKL");
        for (int c = 0; c < titles.size(); ++c)
            QCOMPARE(text(sheet, columns[c] + QStringLiteral("1")), titles[c]);

        std::map<int, int> rowOf;
        for (int i = 0; i < keys.size(); ++i)
            rowOf[keys[i]] = i + 2;
        auto cell = [&](int key, QChar column) { return text(sheet, column + QString::number(rowOf[key])); };
        // The listed order, keys as numbers.
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(text(sheet, QStringLiteral("B%1").arg(i + 2)), QString::number(keys[i]));
            QCOMPARE(sheet.cells.at(QStringLiteral("B%1").arg(i + 2)).type, QString());
        }
        QCOMPARE(cell(m_anna, u'A'), QStringLiteral("Экспортова Анна Петровна"));
        QCOMPARE(cell(m_anna, u'C'), QStringLiteral("31113"));  // 07.03.1985 as a date serial
        QCOMPARE(cell(m_anna, u'D'), m_nationality);
        QCOMPARE(cell(m_anna, u'E'), m_citizenship);
        QCOMPARE(cell(m_anna, u'F'), QStringLiteral("12-34-56"));
        QCOMPARE(cell(m_anna, u'G'), QStringLiteral("0555 123 456"));
        QCOMPARE(cell(m_anna, u'H'), QStringLiteral("62-00-01"));
        QCOMPARE(cell(m_anna, u'I'), QStringLiteral("AN"));
        QCOMPARE(cell(m_anna, u'J'), QStringLiteral("1234567"));
        QCOMPARE(cell(m_anna, u'K'), QStringLiteral("anna@knu.kg"));
        QCOMPARE(cell(m_anna, u'L'), QStringLiteral("да"));
        QCOMPARE(cell(m_boris, u'A'), QStringLiteral("Экспортов Борис"));
        QCOMPARE(cell(m_boris, u'C'), QString());
        QCOMPARE(cell(m_boris, u'F'), QStringLiteral("д'Артаньян; 5"));
        QCOMPARE(cell(m_boris, u'I'), QString());
        QCOMPARE(cell(m_boris, u'L'), QStringLiteral("нет"));
        QCOMPARE(cell(m_almaz, u'A'), QStringLiteral("Экспортов Алмаз Т\"ест"));
        QCOMPARE(cell(m_almaz, u'C'), QStringLiteral("36891"));  // 31.12.2000

        // Dates carry a date format; the header is bold; widths follow the texts.
        const QString dateStyle = sheet.cells.at(QStringLiteral("C%1").arg(rowOf[m_anna])).style;
        QVERIFY(!dateStyle.isEmpty());
        QVERIFY2(sheet.styles.contains(QStringLiteral("formatCode=\"dd.mm.yyyy\"")), qPrintable(sheet.styles));
        QVERIFY(sheet.styles.contains(QStringLiteral("<b/>")));
        QVERIFY(sheet.widths.at(1) >= QStringLiteral("Экспортова Анна Петровна").size());
        QVERIFY(sheet.widths.at(12) >= QStringLiteral("Сотрудник работает").size());
        QVERIFY(sheet.widths.at(2) < sheet.widths.at(1));
        QCOMPARE(leftovers(), QStringList{QStringLiteral("Сотрудники.xlsx")});
        // For a person to look at: ZEL_SCREENSHOT_DIR=folder.
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR"))
            QFile::copy(path, qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/export.xlsx"));
        QFile::remove(path);
    }

    void csvIsUtf8WithByteOrderMarkAndSemicolons()
    {
        Session s(m_connectionString);
        s.searchThree();
        const QList<int> keys = s.listedKeys();
        const QString path = target(QStringLiteral("search.CSV"));
        s.window->Exporter->ChooseFile = [path](QWidget*) { return path; };
        QCOMPARE(s.window->Exporter->Run(), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);  // header, three rows, the end after the last line break
        QCOMPARE(lines[0], QStringLiteral("ФИО;Шифр;Дата рождения;Национальность;Гражданство;Телефон домашний;"
                                          "Телефон сотовый;Телефон служебный;Паспорт: серия;Паспорт: номер;e-mail;"
                                          "Сотрудник работает"));
        QCOMPARE(lines[keys.indexOf(m_anna) + 1],
                 QStringLiteral("Экспортова Анна Петровна;%1;07.03.1985;%2;%3;12-34-56;0555 123 456;62-00-01;AN;"
                                "1234567;anna@knu.kg;да")
                     .arg(m_anna).arg(m_nationality, m_citizenship));
        QCOMPARE(lines[keys.indexOf(m_boris) + 1],
                 QStringLiteral("Экспортов Борис;%1;;;;\"д'Артаньян; 5\";;;;;;нет").arg(m_boris));
        QCOMPARE(lines[keys.indexOf(m_almaz) + 1],
                 QStringLiteral("\"Экспортов Алмаз Т\"\"ест\";%1;31.12.2000;;;;;;;;;да").arg(m_almaz));
        QCOMPARE(lines[4], QString());
        file.close();
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR"))
            QFile::copy(path, qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/export.csv"));
        QFile::remove(path);
    }

    void cancellingLeavesNoFileAndKeepsAnOldOne()
    {
        Session s(m_connectionString);
        s.window->p26->clear();
        s.window->BitBtn1Click();  // every employee
        QVERIFY(s.dm.ADO_TEACHER.RecordCount() > 30);
        SearchResultExporter& exporter = *s.window->Exporter;
        exporter.ProgressThreshold = 10;
        int shown = 0;
        exporter.ProgressShown = [&shown](QProgressDialog& dialog) {
            ++shown;
            QCOMPARE(dialog.labelText(), QStringLiteral("Экспорт сотрудников: %1").arg(dialog.maximum() / 2));
            dialog.cancel();
        };
        const QString fresh = target(QStringLiteral("new.xlsx"));
        exporter.ChooseFile = [fresh](QWidget*) { return fresh; };
        QCOMPARE(exporter.Run(), QString());
        QCOMPARE(shown, 1);
        QVERIFY(leftovers().isEmpty());

        // Cancelled while writing, over an earlier export of the same name.
        const QString earlier = target(QStringLiteral("earlier.csv"));
        {
            QFile old(earlier);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old export");
        }
        std::vector<ExportRow> rows(2000);
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i].fullName = QStringLiteral("Сотрудник %1").arg(i);
        for (const QString& name : {earlier, target(QStringLiteral("earlier.xlsx"))}) {
            int asked = 0;
            const SpreadsheetExport::Result result =
                SpreadsheetExport::Write(name, rows, [&asked](int done, int total) {
                    ++asked;
                    return done < total / 2;
                });
            QCOMPARE(result.outcome, SpreadsheetExport::Outcome::Cancelled);
            QVERIFY(asked >= 2);
        }
        QCOMPARE(leftovers(), QStringList{QStringLiteral("earlier.csv")});
        QFile old(earlier);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old export"));
        old.close();
        QFile::remove(earlier);

        // Few rows: no progress dialog.
        exporter.ProgressThreshold = 5000;
        shown = 0;
        QCOMPARE(exporter.Run(), fresh);
        QCOMPARE(shown, 0);
        QFile::remove(fresh);
    }

    void nothingFoundOrAnUnwritableFolderIsToldInRussian()
    {
        ui::ScriptedDialogService dialogs;
        Session s(m_connectionString);
        int asked = 0;
        s.window->Exporter->ChooseFile = [&asked](QWidget*) {
            ++asked;
            return QString();
        };
        s.window->ExportButton->click();
        QCOMPARE(asked, 0);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].caption, QStringLiteral("Экспорт в Excel"));
        QCOMPARE(dialogs.shown()[0].text, QStringLiteral("Нет найденных сотрудников: сначала выполните поиск."));

        s.searchThree();
        s.window->ExportButton->click();  // the save dialog cancelled
        QCOMPARE(asked, 1);
        QCOMPARE(dialogs.shown().size(), 1);

        const QString missing = m_dir.filePath(QStringLiteral("нет такой папки/list.xlsx"));
        s.window->Exporter->ChooseFile = [missing](QWidget*) { return missing; };
        s.window->ExportButton->click();
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.shown()[1].text,
                 QStringLiteral("Не удалось записать файл \"%1\".\rПроверьте, что папка доступна для записи и на "
                                "диске есть место, и что файл не открыт в другой программе.")
                     .arg(QDir::toNativeSeparators(missing)));
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 3);  // the search result stays
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestSearchExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_search_export.moc"
