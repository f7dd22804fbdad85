// Rows of ZEL_LOG written through the change history, the save sequence and the photo
// row, read back from the demo database.

#include "CardFixture.h"

#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"

#include <QDate>
#include <QLocale>

namespace zel::test {
namespace {

struct LogRow {
    QString table;
    QString rowId;
    QString descr;
    QString user;
    QString comp;
    bool operator==(const LogRow&) const = default;
};

void PrintTo(const LogRow& row, std::ostream* os)
{
    *os << (row.table + " | " + row.rowId + " | " + row.descr + " | " + row.user + " | " + row.comp).toStdString();
}

class AuditRows : public CardTest {
protected:
    /// The rows written since the test began, in order.
    std::vector<LogRow> newRows()
    {
        TADOConnection other;
        other.SetConnectionString(connectionString(1));
        TADOQuery rows("rows");
        rows.SetConnection(&other);
        rows.SetSQL("select * from ZEL_LOG where id_log>" + QString::number(firstLogId) + " order by id_log");
        rows.Open();
        std::vector<LogRow> result;
        for (; !rows.Eof(); rows.Next())
            result.push_back({rows.FieldByName("table")->AsString(), rows.FieldByName("row_id")->AsString(),
                              rows.FieldByName("descr")->AsString(), rows.FieldByName("ZEL_User")->AsString(),
                              rows.FieldByName("comp")->AsString()});
        return result;
    }

    LogRow row(const QString& table, const QString& id, const QString& descr) const
    {
        return {table, id, descr, host.login, host.workstation};
    }

    static QString change(const QString& field, const QString& oldText, const QString& newText)
    {
        return "Поле \"" + field + "\" изменило значение \"" + oldText + "\" на \"" + newText + "\".";
    }

    /// The log callback, then a statement the server refuses.
    static TADOUpdateHistoryExec::TChangeEvent followedByAFailingStatement(TADOUpdateHistoryExec::TChangeEvent log)
    {
        return [log](const QString& text, TDataSet& ds, const QString& table, const QString& key,
                     QStringList& statements) {
            log(text, ds, table, key, statements);
            statements << "INSERT INTO ZEL_LOG_MISSING(x) VALUES(1)";
        };
    }

    /// Save's section steps, as the Save button runs them.
    void save() { SaveSequence::PostSections(dm, history); }

};

TEST_F(AuditRows, OneRowPerChangedFieldInFieldOrder)
{
    load(25);
    TADOQuery& education = dm.ADOQ_Education;
    education.Append();
    education.FieldByName("Faculty")->SetAsString("A");
    save();
    EXPECT_TRUE(newRows().empty());  // an added row is not compared
    load(25);
    education.Last();
    const QString key = education.FieldByName("id_educ")->AsString();

    education.Edit();
    education.FieldByName("vuz")->SetAsString("КГУ");
    education.FieldByName("Faculty")->SetAsString("B");
    education.FieldByName("Diploma_No")->SetAsString("77");
    save();
    EXPECT_EQ(newRows(), (std::vector<LogRow>{row("Educ", key, change("Faculty", "A", "B")),
                                              row("Educ", key, change("Diploma_No", "NULL", "77")),
                                              row("Educ", key, change("vuz", "NULL", "КГУ"))}));
    EXPECT_EQ(history.DataSet(), nullptr);  // the statements ran and detached it
}

TEST_F(AuditRows, AddedRelativeWritesNothingItsLaterChangeDoes)
{
    load(26);
    TADOQuery& family = dm.ADOQ_family;
    family.Append();
    family.FieldByName("p26")->SetAsString("Орлова");
    save();
    EXPECT_TRUE(newRows().empty());
    const QString key = family.FieldByName("id_family")->AsString();
    family.Locate("id_family", key.toInt());
    family.Edit();
    family.FieldByName("p26")->SetAsString("О'Нил");
    save();
    // Fixed-length texts come back padded to their width.
    const QString stored = serverValue("select p26 from family_ where id_family=" + key).toString();
    EXPECT_TRUE(stored.startsWith("О'Нил"));
    const auto rows = newRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].table, "Family");
    EXPECT_EQ(rows[0].rowId, key);
    EXPECT_TRUE(rows[0].descr.contains("на \"О'Нил")) << rows[0].descr.toStdString();
}

TEST_F(AuditRows, TypedBackWritesNothingClearedAndFilledWriteNull)
{
    load(27);
    TADOQuery& military = dm.ADOQ_mil_card;
    military.Edit();
    military.FieldByName("voencom")->SetAsString("Октябрьский");
    save();
    load(27);
    const QString key = military.FieldByName("id_mil_card")->AsString();
    const QString firstRows = QString::number(newRows().size());

    military.Edit();
    military.FieldByName("voencom")->SetAsString("Другой");
    military.FieldByName("voencom")->SetAsString("Октябрьский");
    save();
    EXPECT_EQ(QString::number(newRows().size()), firstRows);

    military.Edit();
    military.FieldByName("voencom")->Clear();
    military.FieldByName("Sostav")->SetAsString("офицеры");
    save();
    const auto rows = newRows();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[rows.size() - 2], row("Mil_card", key, change("voencom", "Октябрьский", "NULL")));
    EXPECT_EQ(rows[rows.size() - 1], row("Mil_card", key, change("Sostav", "NULL", "офицеры")));
}

TEST_F(AuditRows, DatesAreWrittenInTheShortFormat)
{
    load(28);
    TADOQuery& abroad = dm.ADOQ_Abroad;
    abroad.Append();
    abroad.FieldByName("date_begin")->SetAsDateTime(QDateTime(QDate(2019, 3, 4), QTime(0, 0)));
    save();
    abroad.Edit();
    abroad.FieldByName("date_begin")->SetAsDateTime(QDateTime(QDate(2019, 3, 5), QTime(14, 0)));
    const QString key = abroad.FieldByName("id_abroad")->AsString();
    save();
    const QLocale locale;
    EXPECT_EQ(newRows(), (std::vector<LogRow>{row("Abroad", key,
                                                  change("date_begin", locale.toString(QDate(2019, 3, 4), QLocale::ShortFormat),
                                                         locale.toString(QDate(2019, 3, 5), QLocale::ShortFormat)))}));
}

TEST_F(AuditRows, QuotesInLoginWorkstationTableAndKeyCannotBreakTheStatement)
{
    host.login = "o'brien";
    host.workstation = "PC'; DROP TABLE ZEL_LOG--\\10.0.0.9";
    load(29);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("Орден");
    save();
    awards.Edit();
    awards.FieldByName("nagrada")->SetAsString("Орден 'Знак Почёта'");
    const QString key = awards.FieldByName("id_nagrada")->AsString();
    save();
    EXPECT_EQ(newRows(), (std::vector<LogRow>{row("Nagrada", key, change("nagrada", "Орден", "Орден 'Знак Почёта'"))}));

    QStringList statements;
    log.LogFieldChange("Поле \"x\" изменило значение \"1\" на \"2\".", awards, "Tab'le", "id_nagrada", statements);
    ASSERT_EQ(statements.size(), 1);
    EXPECT_TRUE(statements[0].startsWith("INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Tab''le', " + key + ", "));
    log.ExecuteLog(statements);
    EXPECT_EQ(newRows().back(), row("Tab'le", key, "Поле \"x\" изменило значение \"1\" на \"2\"."));

    // A description with a lone quote (a value no formatting doubled) stays in its literal.
    EXPECT_EQ(AuditLog::DescriptionLiteral("a'b''c"), "'a''b''c'");
    EXPECT_EQ(AuditLog::RowIdLiteral("12"), "12");
    EXPECT_EQ(AuditLog::RowIdLiteral(""), "NULL");
    EXPECT_EQ(AuditLog::RowIdLiteral("1'; --"), "'1''; --'");
}

TEST_F(AuditRows, DictionaryDeletionRowNamesTheKeyAndDumpsTheRow)
{
    TADOQuery& ranks = dm.ADOQ_Rang;
    ranks.Append();
    ranks.FieldByName("rang")->SetAsString("Советник д'Артаньян");
    ranks.Post();
    const QString key = ranks.FieldByName("id_rang")->AsString();
    log.UseExecuteLog(true);
    history.Attach(ranks, "Rang", "id_rang", true, true);
    ranks.Delete();
    const auto rows = newRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].table, "Rang");
    EXPECT_EQ(rows[0].rowId, key);
    EXPECT_TRUE(rows[0].descr.startsWith("Запись с уникальным номером - '" + key + "' была удалена - ("))
        << rows[0].descr.toStdString();
    EXPECT_TRUE(rows[0].descr.contains("rang['Советник д'Артаньян']")) << rows[0].descr.toStdString();
    EXPECT_TRUE(rows[0].descr.endsWith(")."));
    EXPECT_EQ(history.DataSet(), &ranks);  // ExecuteLog keeps it attached
    history.Detach();
}

TEST_F(AuditRows, PhotoRow)
{
    QStringList statements{log.PhotoStatement("41")};
    log.ExecuteLog(statements);
    EXPECT_EQ(newRows(), (std::vector<LogRow>{row("Photo", "41", "Поле \"photo\" изменило значение.")}));
}

TEST_F(AuditRows, ChangeIsStoredOnlyTogetherWithItsAuditRows)
{
    load(37);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("Первая");
    save();
    const auto logChange = history.OnFieldChanged;
    history.OnFieldChanged = followedByAFailingStatement(logChange);
    awards.Edit();
    awards.FieldByName("nagrada")->SetAsString("Вторая");
    const QString key = awards.FieldByName("id_nagrada")->AsString();
    EXPECT_THROW(save(), Error);
    // The audit row that did get written went back with the row's change.
    EXPECT_EQ(serverValue("select nagrada from Nagrada where id_nagrada=" + key).toString(), "Первая");
    EXPECT_TRUE(newRows().empty());
    EXPECT_TRUE(history.Statements.isEmpty());
    // What was typed is still pending, to be saved again.
    EXPECT_EQ(awards.State(), dsEdit);
    EXPECT_EQ(awards.FieldByName("nagrada")->AsString(), "Вторая");
    EXPECT_EQ(awards.FieldByName("nagrada")->OldValue().toString(), "Первая");

    history.OnFieldChanged = logChange;
    save();
    EXPECT_EQ(awards.State(), dsBrowse);
    EXPECT_EQ(serverValue("select nagrada from Nagrada where id_nagrada=" + key).toString(), "Вторая");
    const auto rows = newRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].rowId, key);
    EXPECT_EQ(rows[0].descr, change("nagrada", "Первая", "Вторая"))
        << rows[0].descr.toStdString();
}

TEST_F(AuditRows, NewRowWhoseWriteIsUndoneKeepsNoKeyAndIsInsertedOnce)
{
    load(37);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    const int before = serverValue("select count(*) from Nagrada").toInt();
    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("Новая");
    awards.OnRowWritten = [](TDataSet&) { throw DataError("сбой после записи"); };
    EXPECT_THROW(awards.Post(), Error);
    EXPECT_EQ(awards.State(), dsInsert);
    EXPECT_TRUE(awards.FieldByName("id_nagrada")->IsNull());
    EXPECT_EQ(serverValue("select count(*) from Nagrada").toInt(), before);

    awards.OnRowWritten = nullptr;
    awards.Post();
    EXPECT_FALSE(awards.FieldByName("id_nagrada")->IsNull());
    EXPECT_EQ(serverValue("select count(*) from Nagrada").toInt(), before + 1);
    EXPECT_EQ(serverValue("select nagrada from Nagrada where id_nagrada=" + awards.FieldByName("id_nagrada")->AsString())
                  .toString(),
              "Новая");
}

TEST_F(AuditRows, DeletionStaysWhenItsAuditRowCannotBeWritten)
{
    load(37);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("Удаляемая");
    save();
    const QString key = awards.FieldByName("id_nagrada")->AsString();
    history.OnRecordDeleting = followedByAFailingStatement(history.OnRecordDeleting);
    history.Detach();
    history.Attach(awards, "Nagrada", "id_nagrada", false, true);
    EXPECT_THROW(awards.Delete(), Error);
    history.Detach();
    EXPECT_EQ(serverValue("select count(*) from Nagrada where id_nagrada=" + key).toInt(), 1);
    EXPECT_EQ(awards.FieldByName("id_nagrada")->AsString(), key);
    EXPECT_TRUE(newRows().empty());
}

}  // namespace
}  // namespace zel::test
