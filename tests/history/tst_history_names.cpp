// The change history shows a dictionary's name where a field holds its key, as the
// card shows it: saved on the card, read back over the demo database.
#include "data/DbError.h"
#include "tests/card/CardSession.h"

#include "card/EducationTab.h"
#include "data/modules/SaveSequence.h"
#include "history/DictionaryNames.h"
#include "history/EmployeeHistoryReader.h"
#include "history/EmployeeHistoryWindow.h"
#include "history/FieldCaptions.h"
#include "history/HistoryLookups.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/card/TraceSince.h"
#include "ui/DbLookupComboBox.h"
#include "ui/FlatButton.h"

#include <QMenu>
#include <QTableWidget>

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;

namespace {

QString sectionOf(TDM_PUM& dm, const TDataSet* dataSet)
{
    for (const SaveSequence::Step& step : SaveSequence::Steps(dm))
        if (step.dataSet == dataSet)
            return step.tableName;
    return {};
}

HistoryEntry change(const QString& table, const QString& field, const QString& oldValue, const QString& newValue)
{
    HistoryEntry e;
    e.table = table;
    e.kind = HistoryEntry::Kind::FieldChange;
    e.field = field;
    e.oldValue = oldValue;
    e.newValue = newValue;
    return e;
}

const HistoryEntry* latest(const std::vector<HistoryEntry>& entries, const QString& table, const QString& field)
{
    for (const HistoryEntry& e : entries)  // newest first
        if (e.table == table && e.field.compare(field, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

/// Picks the entry of a key in a selector, as the clerk does.
bool pick(ui::DbLookupComboBox* box, int key)
{
    const int row = box->binding().model()->rowOfKey(key);
    return row >= 0 && box->binding().choose(row);
}

}  // namespace

class HistoryNamesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<server::schema::SqliteConnection> m_db;

    void exec(const QString& sql) { server::schema::execute(m_db->handle(), sql); }
    qint64 traceMark() const { return cardtest::traceMark(m_db->handle()); }
    QStringList tracedSince(qint64 mark) const { return cardtest::tracedSince(m_db->handle(), mark); }

    /// aggregate: min for the employee the card scenarios change, max for another one.
    static int employeeWithRelativeAndEducation(CardSession& s, const char* aggregate = "min")
    {
        return s.scalar(QStringLiteral(
            "select %1(t.id_teacher) from TEACHER t where t.id_teacher <> 1"
            " and exists (select 1 from TEACHER_info i where i.id_teacher = t.id_teacher)"
            " and exists (select 1 from family_ f where f.id_teacher = t.id_teacher)"
            " and exists (select 1 from Educ e where e.id_teacher = t.id_teacher)").arg(QLatin1String(aggregate)));
    }

    static int teacherInfoOf(CardSession& s, int employee)
    {
        return s.scalar(QStringLiteral("select min(id_teacher_info) from TEACHER_info where id_teacher = %1").arg(employee));
    }
    /// The history request for the personal data section of one employee.
    static HistoryRequest personalDataOf(int employee)
    {
        HistoryRequest request;
        request.employee = employee;
        request.section = QStringLiteral("Teacher_info");
        return request;
    }

    /// A log row dated after every row the card writes today; rows of one day keep their order.
    void log(const QString& table, int rowId, const QString& description)
    {
        server::schema::SqliteStatement insert(m_db->handle(), QStringLiteral(
            "INSERT INTO ZEL_LOG (\"table\", row_id, descr, ZEL_User, comp, date_log)"
            " VALUES (?1, ?2, ?3, 'ivanova', 'PC1', '2099-01-01 12:00:00.000')"));
        insert.bind(1, table);
        insert.bind(2, qint64(rowId));
        insert.bind(3, description);
        insert.run();
    }

    static QString changeText(const char* field, const QString& from, const QString& to)
    {
        return QStringLiteral("Поле \"%1\" изменило значение \"%2\" на \"%3\".").arg(QLatin1String(field), from, to);
    }

    static EmployeeHistoryWindow* openHistory(CardSession& s)
    {
        s.window->PopupMenu1->popup(QPoint(0, 0));
        s.window->PopupMenu1->hide();
        s.window->History_M->trigger();
        return s.window->findChild<EmployeeHistoryWindow*>();
    }

    /// Saves the nationality, a relative's kind and the education level twice each:
    /// first to a known key, then to another.
    static void saveLookupChanges(CardSession& s, int key)
    {
        s.loadEmployee(key);
        ui::DbLookupComboBox* nationality = s.tab().DBLookupComboBox16;
        QVERIFY(pick(nationality, 12));
        s.window->Apply_Records_Btn->click();
        QVERIFY(pick(nationality, 2));
        s.window->Apply_Records_Btn->click();

        TADOQuery& family = s.dm.ADOQ_family;
        for (const char* kind : {"3", "4"}) {
            family.Edit();
            family.FieldByName(QStringLiteral("id_family_s"))->SetAsString(QString::fromLatin1(kind));
            s.window->Apply_Records_BtnClick();
        }

        auto* level = s.window->TabSheet7->findChild<ui::DbLookupComboBox*>(QStringLiteral("DBLookupComboBox5"));
        QVERIFY(level);
        QVERIFY(pick(level, 1));
        s.window->Apply_Records_BtnClick();
        QVERIFY(pick(level, 7));
        s.window->Apply_Records_BtnClick();
    }

private slots:
    void initTestCase()
    {
        m_db = cardtest::openTracedDemoFile();
    }
    void cleanupTestCase()
    {
        exec(QStringLiteral("INSERT OR REPLACE INTO zel_settings (name, value) VALUES ('trace', '0')"));
        m_db.reset();
    }

    void everyLookupFieldOfTheCardIsNamedAsTheCardShowsIt()
    {
        CardSession s;
        const HistoryLookups lookups = s.window->CardLookups();

        QStringList declared;
        for (const DictionaryLookup& lookup : lookups.All())
            declared << lookup.section + u'.' + lookup.keyColumn.toLower();
        declared.sort();
        QStringList expected{
            "Family.id_family_s", "Family.id_family_job", "Kvalification.kvalifikation", "Kvalification.id_trudoem",
            "Work.id_type_job", "Holiday.id_vacation_t", "Language_options.id_lang", "Language_options.id_level",
            "Teacher_info.id_nationality", "Teacher_info.id_pol", "Teacher_info.id_citizenship",
            "Teacher_info.id_soc_pr", "Teacher_info.id_uch_stepen", "Teacher_info.id_uch_zvanie",
            "Teacher_info.id_rang", "Pasport.id_passport_organ", "Pensioners.id_district", "Educ.id_edu",
            "Educ.id_educ_t", "Educ.id_quit_course", "Educ.id_special", "Educ.id_diploma_kval",
            "Mil_card.id_mil_name", "Mil_card.id_valid", "Mil_card.id_r_voisk"};
        for (const char* address : {"Place_of_birth", "Place_leave", "Place_of_residence"})
            for (const char* column : {"id_republic", "id_districtkr", "id_citykr", "id_villagekr"})
                expected << QString::fromLatin1(address) + u'.' + QString::fromLatin1(column);
        expected << "Place_of_birth.id_regionkr" << "Place_leave.id_ragionkr" << "Place_of_residence.id_regionkr";
        expected.sort();
        QCOMPARE(declared, expected);
        // Each has its Russian name in the field column.
        for (const DictionaryLookup& lookup : lookups.All())
            QVERIFY2(FieldCaptions::Caption(lookup.section, lookup.keyColumn) != lookup.keyColumn,
                     qPrintable(lookup.section + u'.' + lookup.keyColumn));

        // Each key of each dictionary, named by the history and by the card.
        std::vector<HistoryEntry> entries;
        QStringList shownByTheCard;
        int selectors = 0;
        for (ui::DbLookupComboBox* box : s.window->findChildren<ui::DbLookupComboBox*>()) {
            const TDataSource* source = box->binding().dataLink().DataSource();
            const QString section = source ? sectionOf(s.dm, source->DataSet()) : QString();
            if (section.isEmpty())
                continue;  // not a saved section (the family status, the documents)
            ++selectors;
            const QString field = box->binding().dataLink().fieldName();
            QVERIFY2(lookups.Find(section, field), qPrintable(section + u'.' + field));
            const ui::LookupListModel* list = box->binding().model();
            for (int row = 0; row < list->rowCount(); ++row) {
                entries.push_back(change(section, field, list->keyAt(row).toString(), QString()));
                shownByTheCard << list->data(list->index(row)).toString().trimmed();
            }
        }
        QCOMPARE(selectors, 17);
        for (const SaveSequence::Step& step : SaveSequence::Steps(s.dm)) {
            for (const TField* field : step.dataSet->Fields()) {
                if (field->FieldKind() != fkLookup)
                    continue;
                TDataSet* dictionary = field->LookupDataSet();
                if (!dictionary->Active())
                    dictionary->Open();
                const TField* key = dictionary->FieldByName(field->LookupKeyFields());
                for (int row = 1; row <= dictionary->RecordCount(); ++row) {
                    const QString keyText = key->AsStringAt(row);
                    entries.push_back(change(step.tableName, field->KeyFields(), QString(), keyText));
                    shownByTheCard << dictionary->Lookup(field->LookupKeyFields(), keyText, field->LookupResultField())
                                          .toString()
                                          .trimmed();
                }
            }
        }
        QVERIFY(entries.size() > 200);
        DictionaryNames::Resolve(s.dm.ADO_PUM, lookups, entries);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const HistoryEntry& e = entries[i];
            const QString named = e.oldKey.isEmpty() ? e.newValue : e.oldValue;
            QVERIFY2(named == shownByTheCard[int(i)],
                     qPrintable(e.table + u'.' + e.field + QStringLiteral(": ") + named + QStringLiteral(" ≠ ")
                                + shownByTheCard[int(i)]));
        }
    }

    void savedLookupChangesShowBothNamesInTheWindow()
    {
        CardSession s;
        s.window->show();
        const int key = employeeWithRelativeAndEducation(s);
        QVERIFY(key > 0);
        saveLookupChanges(s, key);
        QVERIFY2(s.messages().isEmpty(), qPrintable(s.messages().join(u'|')));

        EmployeeHistoryWindow* window = openHistory(s);
        QVERIFY(window);
        const std::vector<HistoryEntry>& entries = window->Entries();
        const HistoryEntry* nationality = latest(entries, QStringLiteral("Teacher_info"), QStringLiteral("id_nationality"));
        QVERIFY(nationality);
        QCOMPARE(nationality->oldValue, QStringLiteral("Белорус"));
        QCOMPARE(nationality->newValue, QStringLiteral("Русский"));
        QCOMPARE(nationality->oldKey, QStringLiteral("12"));
        QCOMPARE(nationality->newKey, QStringLiteral("2"));
        const HistoryEntry* relative = latest(entries, QStringLiteral("Family"), QStringLiteral("id_family_s"));
        QVERIFY(relative);
        QCOMPARE(relative->oldValue, QStringLiteral("Сын"));
        QCOMPARE(relative->newValue, QStringLiteral("Дочь"));
        const HistoryEntry* level = latest(entries, QStringLiteral("Educ"), QStringLiteral("id_edu"));
        QVERIFY(level);
        QCOMPARE(level->oldValue, QStringLiteral("Высшее"));
        QCOMPARE(level->newValue, QStringLiteral("Послевузовское (аспирантура)"));

        // The grid, as the clerk reads it: the newest row is the education level.
        QCOMPARE(window->Grid->item(0, 1)->text(), QStringLiteral("Образование"));
        QCOMPARE(window->Grid->item(0, 2)->text(), QStringLiteral("Уровень образования"));
        QCOMPARE(window->Grid->item(0, 3)->text(), QStringLiteral("Высшее"));
        QCOMPARE(window->Grid->item(0, 4)->text(), QStringLiteral("Послевузовское (аспирантура)"));
        QCOMPARE(window->Grid->item(0, 4)->toolTip(), QStringLiteral("Послевузовское (аспирантура) (код 7)"));
        // A field without a dictionary keeps its value as logged.
        for (const HistoryEntry& e : entries)
            if (e.field.compare(QStringLiteral("p27"), Qt::CaseInsensitive) == 0)
                QVERIFY(e.oldKey.isEmpty() && e.newKey.isEmpty());
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR"))
            window->grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/history-names.png"));
        window->close();
    }

    void aKeyMissingFromItsDictionaryShowsTheCodeAndAnEmptyValueStaysEmpty()
    {
        CardSession s;
        const int key = employeeWithRelativeAndEducation(s);
        const int info = teacherInfoOf(s, key);
        log(QStringLiteral("Teacher_info"), info, changeText("id_nationality", QStringLiteral("2"), QStringLiteral("777")));
        log(QStringLiteral("Teacher_info"), info, changeText("ID_POL", QStringLiteral("NULL"), QStringLiteral("2")));

        EmployeeHistoryReader reader(s.dm.ADO_PUM, s.window->CardLookups());
        const HistoryRequest request = personalDataOf(key);
        const std::vector<HistoryEntry> entries = reader.Read(request);
        QVERIFY(entries.size() >= 2);
        QCOMPARE(entries[1].oldValue, QStringLiteral("Русский"));
        QCOMPARE(entries[1].newValue, QStringLiteral("(код 777, нет в справочнике)"));
        QCOMPARE(entries[1].newKey, QStringLiteral("777"));
        QCOMPARE(entries[0].field, QStringLiteral("ID_POL"));
        QCOMPARE(entries[0].oldValue, QString());
        QCOMPARE(entries[0].newValue, QStringLiteral("Женский"));

        // Without lookups the keys stay as they were logged.
        const std::vector<HistoryEntry> bare = EmployeeHistoryReader(s.dm.ADO_PUM).Read(request);
        QCOMPARE(bare[1].newValue, QStringLiteral("777"));
        QCOMPARE(bare[0].newValue, QStringLiteral("2"));
    }

    void aDictionaryTheServerCannotReadLeavesItsKeysAndTheRowsShown()
    {
        CardSession s;
        const int key = employeeWithRelativeAndEducation(s, "max");
        const int info = teacherInfoOf(s, key);
        log(QStringLiteral("Teacher_info"), info, changeText("ID_POL", QStringLiteral("1"), QStringLiteral("2")));
        log(QStringLiteral("Teacher_info"), info, changeText("id_nationality", QStringLiteral("12"), QStringLiteral("2")));

        EmployeeHistoryReader reader(s.dm.ADO_PUM, s.window->CardLookups());
        const HistoryRequest request = personalDataOf(key);
        exec(QStringLiteral("ALTER TABLE pol RENAME TO pol_hidden"));
        std::vector<HistoryEntry> entries;
        QString failure;
        try {
            entries = reader.Read(request);
        } catch (const Error& e) {
            failure = e.message();
        }
        exec(QStringLiteral("ALTER TABLE pol_hidden RENAME TO pol"));
        // The other tests count this employee's rows.
        exec(QStringLiteral("DELETE FROM ZEL_LOG WHERE row_id = %1 AND date_log = '2099-01-01 12:00:00.000'"
                            " AND (descr LIKE 'Поле \"ID_POL\"%' OR descr LIKE 'Поле \"id_nationality\"%')")
                 .arg(info));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(entries.size() >= 2);
        QCOMPARE(entries[0].field, QStringLiteral("id_nationality"));
        QCOMPARE(entries[0].oldValue, QStringLiteral("Белорус"));
        QCOMPARE(entries[0].newValue, QStringLiteral("Русский"));
        QCOMPARE(entries[1].field, QStringLiteral("ID_POL"));
        QCOMPARE(entries[1].oldValue, QStringLiteral("1"));
        QCOMPARE(entries[1].newValue, QStringLiteral("2"));
    }

    void aDeletedRowNamesTheKeysInItsValuesAndLeavesItsTextsAlone()
    {
        CardSession s;
        const int key = employeeWithRelativeAndEducation(s);
        const QString dump = QStringLiteral("id_family[777777], id_family_s[%2], id_family_job[NULL], "
                                            "p27['id_family_s[9], О''Нил'], id_teacher[%1], id_family_status[99]");
        log(QStringLiteral("Family"), 777777,
            QStringLiteral("Запись с уникальным номером - '777777' была удалена - (%1).").arg(dump.arg(key).arg(3)));
        log(QStringLiteral("Family"), 777778,
            QStringLiteral("Запись с уникальным номером - '777778' была удалена - (%1).").arg(dump.arg(key).arg(99)));

        EmployeeHistoryReader reader(s.dm.ADO_PUM, s.window->CardLookups());
        HistoryRequest request;
        request.employee = key;
        request.section = QStringLiteral("Family");
        const std::vector<HistoryEntry> entries = reader.Read(request);
        QVERIFY(entries.size() >= 2);
        QCOMPARE(entries[0].kind, HistoryEntry::Kind::Deletion);
        QCOMPARE(entries[0].oldValue, QStringLiteral("id_family[777777], id_family_s[(код 99, нет в справочнике)], "
                                                     "id_family_job[NULL], p27['id_family_s[9], О''Нил'], "
                                                     "id_teacher[%1], id_family_status[99]").arg(key));
        QCOMPARE(entries[1].oldValue, QStringLiteral("id_family[777777], id_family_s[Сын], id_family_job[NULL], "
                                                     "p27['id_family_s[9], О''Нил'], id_teacher[%1], "
                                                     "id_family_status[99]").arg(key));
        // For a person to look at: ZEL_SCREENSHOT_DIR=folder.
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR")) {
            s.window->show();
            s.loadEmployee(key);
            EmployeeHistoryWindow* window = openHistory(s);
            QVERIFY(window);
            window->resize(1400, 520);
            window->grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/history-deleted.png"));
            window->close();
        }
    }

    void aRequestReadsEachDictionaryOfItsRowsOnceWhateverTheNumberOfRows()
    {
        CardSession s;
        const int key = employeeWithRelativeAndEducation(s, "max");
        QVERIFY(key != employeeWithRelativeAndEducation(s));
        const int info = teacherInfoOf(s, key);
        const int relative = s.scalar(QStringLiteral("select min(id_family) from family_ where id_teacher = %1").arg(key));
        log(QStringLiteral("Teacher_info"), info, changeText("id_nationality", QStringLiteral("1"), QStringLiteral("2")));
        log(QStringLiteral("Teacher_info"), info, changeText("id_pol", QStringLiteral("1"), QStringLiteral("2")));
        log(QStringLiteral("Teacher_info"), info, changeText("Phone", QStringLiteral("1"), QStringLiteral("2")));
        log(QStringLiteral("Family"), relative, changeText("id_family_s", QStringLiteral("3"), QStringLiteral("4")));
        EmployeeHistoryReader reader(s.dm.ADO_PUM, s.window->CardLookups());
        HistoryRequest request;
        request.employee = key;

        qint64 mark = traceMark();
        reader.Read(request);
        const QStringList sent = tracedSince(mark);
        QCOMPARE(sent.value(0), EmployeeHistoryReader::Statement(request));
        QStringList dictionaries = sent.mid(1);
        dictionaries.sort();
        QCOMPARE(dictionaries, (QStringList{QStringLiteral("SELECT [IDNationality], [Nationality] FROM [nationality]"),
                                            QStringLiteral("SELECT [id_family_s], [stepen] FROM [Family_s]"),
                                            QStringLiteral("SELECT [id_pol], [p17] FROM [pol]")}));

        // Forty more rows of the same dictionaries send no more statements.
        for (int i = 0; i < 40; ++i)
            log(QStringLiteral("Teacher_info"), info,
                changeText("id_nationality", QString::number(i % 18 + 1), QString::number((i + 1) % 18 + 1)));
        mark = traceMark();
        const std::vector<HistoryEntry> entries = reader.Read(request);
        QCOMPARE(tracedSince(mark).size(), sent.size());
        QCOMPARE(int(entries.size()), 44);
        QCOMPARE(entries[0].oldValue, QStringLiteral("Казах"));     // 4
        QCOMPARE(entries[0].newValue, QStringLiteral("Украинец"));  // 5

        // A section without dictionary fields reads no dictionary at all.
        request.section = QStringLiteral("Nagrada");
        log(QStringLiteral("Nagrada"), s.scalar(QStringLiteral("select coalesce(min(id_nagrada), 0) from Nagrada where id_teacher = %1").arg(key)),
            changeText("By_who", QStringLiteral("А"), QStringLiteral("Б")));
        mark = traceMark();
        reader.Read(request);
        QCOMPARE(tracedSince(mark), QStringList{EmployeeHistoryReader::Statement(request)});
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    DemoDatabase::instance().create();
    int failures = 0;
    {
        HistoryNamesTest test;
        failures = QTest::qExec(&test, argc, argv);
    }
    DemoDatabase::instance().remove();
    return failures;
}

#include "tst_history_names.moc"
