// Reading the stored descriptions, the section names and the statement sent.
#include "data/modules/SaveSequence.h"
#include "data/modules/TDM_PUM.h"
#include "data/dataset/TADOTable.h"
#include "history/DictionaryNames.h"
#include "history/EmployeeHistoryReader.h"
#include "history/HistoryLookups.h"
#include "history/FieldCaptions.h"
#include "history/HistorySections.h"
#include "history/LogDescription.h"

#include <gtest/gtest.h>

#include <QSet>

namespace zel {
void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }
}  // namespace zel

using zel::HistoryEntry;

namespace {

HistoryEntry parsed(const QString& description)
{
    HistoryEntry entry;
    entry.description = description;
    zel::LogDescription::Parse(entry);
    return entry;
}

TEST(LogDescription, FieldChangesGiveFieldOldAndNewValue)
{
    HistoryEntry e = parsed(QStringLiteral("Поле \"Phone\" изменило значение \"12-34\" на \"O'Brien 1\"."));
    EXPECT_EQ(e.kind, HistoryEntry::Kind::FieldChange);
    EXPECT_EQ(e.field.toStdString(), "Phone");
    EXPECT_EQ(e.oldValue.toStdString(), "12-34");
    EXPECT_EQ(e.newValue.toStdString(), "O'Brien 1");

    // An emptied and a filled field: NULL reads as nothing.
    e = parsed(QStringLiteral("Поле \"eMail\" изменило значение \"NULL\" на \"a@b.kg\"."));
    EXPECT_EQ(e.oldValue, QString());
    EXPECT_EQ(e.newValue.toStdString(), "a@b.kg");

    // Quotes and the separator inside the old value: the last separator splits.
    e = parsed(QStringLiteral("Поле \"p15\" изменило значение \"Иван \"на\" обед\" на \"Пётр\"."));
    EXPECT_EQ(e.oldValue.toStdString(), "Иван \"на\" обед");
    EXPECT_EQ(e.newValue.toStdString(), "Пётр");
}

TEST(LogDescription, PhotoDeletionAndOtherTexts)
{
    HistoryEntry e = parsed(QStringLiteral("Поле \"photo\" изменило значение."));
    EXPECT_EQ(e.kind, HistoryEntry::Kind::FieldChange);
    EXPECT_EQ(e.field.toStdString(), "photo");
    EXPECT_TRUE(e.oldValue.isEmpty() && e.newValue.isEmpty());

    e = parsed(QStringLiteral("Запись с уникальным номером - '17' была удалена - (id_nagrada[17], id_teacher[5], "
                              "nagrada['Орден (Манас)'], date_get['01.02.2003'])."));
    EXPECT_EQ(e.kind, HistoryEntry::Kind::Deletion);
    EXPECT_EQ(e.field, QString());
    EXPECT_EQ(e.oldValue.toStdString(),
              "id_nagrada[17], id_teacher[5], nagrada['Орден (Манас)'], date_get['01.02.2003']");

    e = parsed(QStringLiteral("Скопированы данные сотрудника с шифром 12: записей - 4."));
    EXPECT_EQ(e.kind, HistoryEntry::Kind::Other);
    EXPECT_EQ(e.newValue.toStdString(), "Скопированы данные сотрудника с шифром 12: записей - 4.");
    // Half a change text is not taken apart.
    e = parsed(QStringLiteral("Поле \"Phone\" изменило значение \"1\""));
    EXPECT_EQ(e.kind, HistoryEntry::Kind::Other);
    EXPECT_TRUE(e.field.isEmpty());
}

TEST(HistorySections, EverySavedSectionHasARussianName)
{
    zel::TDM_PUM dm;
    QSet<QString> captions;
    for (const zel::SaveSequence::Step& step : zel::SaveSequence::Steps(dm)) {
        const QString caption = zel::HistorySections::Caption(step.tableName);
        EXPECT_NE(caption, step.tableName) << step.tableName.toStdString();
        EXPECT_FALSE(captions.contains(caption)) << caption.toStdString();
        captions.insert(caption);
    }
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Teacher_info")).toStdString(), "Личные данные");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Pasport")).toStdString(), "Паспорт");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Family")).toStdString(), "Родственники");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Educ")).toStdString(), "Образование");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Nagrada")).toStdString(), "Награды");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("TEACHER")).toStdString(), "Сотрудник");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Photo")).toStdString(), "Фото");
    EXPECT_EQ(zel::HistorySections::Caption(QStringLiteral("Specialnost")).toStdString(), "Specialnost");
}

TEST(FieldCaptions, CardLabelsForKnownFieldsTheColumnNameOtherwise)
{
    EXPECT_EQ(zel::FieldCaptions::Caption(QStringLiteral("Teacher_info"), QStringLiteral("PHONE_MOBILE")).toStdString(),
              "Телефон сотовый");
    EXPECT_EQ(zel::FieldCaptions::Caption(QStringLiteral("Family"), QStringLiteral("p27")).toStdString(), "Имя");
    // The same column name means something else in another section.
    EXPECT_EQ(zel::FieldCaptions::Caption(QStringLiteral("Teacher"), QStringLiteral("p27")).toStdString(), "p27");
    EXPECT_EQ(zel::FieldCaptions::Caption(QStringLiteral("Pasport"), QStringLiteral("S_p")).toStdString(), "Серия");
    EXPECT_EQ(zel::FieldCaptions::Caption(QStringLiteral("Work"), QStringLiteral("Dolgnost")).toStdString(), "Dolgnost");
}

TEST(EmployeeHistoryReader, StatementNamesTheRequestAndQuotesItsOnlyText)
{
    zel::HistoryRequest request;
    request.employee = 42;
    EXPECT_EQ(zel::EmployeeHistoryReader::Statement(request).toStdString(),
              "EXEC ZEL_EmployeeHistory @id_teacher = 42, @date_from = NULL, @date_to = NULL, @table = NULL");
    request.section = QStringLiteral("Teacher_info");
    request.from = QDate(2026, 1, 31);
    request.to = QDate(2026, 12, 1);
    EXPECT_EQ(zel::EmployeeHistoryReader::Statement(request).toStdString(),
              "EXEC ZEL_EmployeeHistory @id_teacher = 42, @date_from = '20260131', @date_to = '20261201', "
              "@table = 'Teacher_info'");
    request.section = QStringLiteral("x'; DROP TABLE ZEL_LOG--");
    EXPECT_EQ(zel::EmployeeHistoryReader::Statement(request).toStdString(),
              "EXEC ZEL_EmployeeHistory @id_teacher = 42, @date_from = '20260131', @date_to = '20261201', "
              "@table = 'x''; DROP TABLE ZEL_LOG--'");
}

}  // namespace

namespace {

TEST(HistoryLookups, TheDictionaryTableIsTheTableOrTheFirstTableOfTheQuery)
{
    zel::TADOQuery query;
    query.SetSQL(QStringLiteral("Select * from HighQualification order by qualification"));
    EXPECT_EQ(zel::HistoryLookups::TableOf(query), QStringLiteral("HighQualification"));
    query.SetSQL(QStringLiteral("Select *\nFROM dbo.[MVD_pasport]"));
    EXPECT_EQ(zel::HistoryLookups::TableOf(query), QStringLiteral("MVD_pasport"));
    query.SetSQL(QStringLiteral("EXEC Something"));
    EXPECT_EQ(zel::HistoryLookups::TableOf(query), QString());
    zel::TADOTable table;
    table.SetTableName(QStringLiteral("DistrictKR"));
    EXPECT_EQ(zel::HistoryLookups::TableOf(table), QStringLiteral("DistrictKR"));
}

TEST(HistoryLookups, ASelectorOutsideTheSavedSectionsIsLeftOutAndFieldsMatchInAnyCase)
{
    zel::TDM_PUM dm;
    const zel::HistoryLookups lookups = zel::HistoryLookups::FromDeclarations(
        dm, {{&dm.DS_Teacher_2, QStringLiteral("id_Uch_Stepen"), &dm.DS_Uch_step, QStringLiteral("id_uch_stepen"),
              QStringLiteral("k5")},
             {&dm.DS_Family_status, QStringLiteral("id_family"), &dm.DS_Family_status, QStringLiteral("id_family"),
              QStringLiteral("p15")}});
    const zel::DictionaryLookup* degree = lookups.Find(QStringLiteral("TEACHER_INFO"), QStringLiteral("ID_UCH_STEPEN"));
    ASSERT_NE(degree, nullptr);
    EXPECT_EQ(degree->table, QStringLiteral("Uch_step"));
    EXPECT_EQ(degree->nameField, QStringLiteral("k5"));
    EXPECT_EQ(lookups.Find(QStringLiteral("Family"), QStringLiteral("id_family")), nullptr);
    const zel::DictionaryLookup* kind = lookups.Find(QStringLiteral("Family"), QStringLiteral("id_family_s"));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->table, QStringLiteral("Family_s"));
    EXPECT_EQ(kind->tableKey, QStringLiteral("id_family_s"));
    EXPECT_EQ(kind->nameField, QStringLiteral("stepen"));
}

TEST(DictionaryNames, TheStatementBracketsEveryNameAndTheMissingKeyIsSaidInRussian)
{
    EXPECT_EQ(zel::DictionaryNames::Statement(QStringLiteral("specialPUM"), {QStringLiteral("id_special"), QStringLiteral("p25-2")}),
              QStringLiteral("SELECT [id_special], [p25-2] FROM [specialPUM]"));
    EXPECT_EQ(zel::DictionaryNames::Statement(QStringLiteral("a]b"), {QStringLiteral("k")}),
              QStringLiteral("SELECT [k] FROM [a]]b]"));
    EXPECT_EQ(zel::DictionaryNames::MissingKeyText(QStringLiteral("5")), QStringLiteral("(код 5, нет в справочнике)"));
}

}  // namespace
