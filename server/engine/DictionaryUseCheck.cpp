#include "server/engine/DictionaryUseCheck.h"

#include "data/DbError.h"

#include <sqlite3.h>

#include <QStringList>

#include <array>

namespace zel::server {

namespace {

using Ref = DictionaryUse::Reference;

constexpr std::array<Ref, 1> kSpeciality{{{"Educ", "id_special"}}};
constexpr std::array<Ref, 1> kSocial{{{"TEACHER_info", "id_soc_pr"}}};
constexpr std::array<Ref, 1> kDegree{{{"TEACHER_info", "id_uch_stepen"}}};
constexpr std::array<Ref, 1> kTitle{{{"TEACHER_info", "id_uch_zvanie"}}};
constexpr std::array<Ref, 1> kRank{{{"TEACHER_info", "id_rang"}}};
constexpr std::array<Ref, 1> kMilitaryRank{{{"mil_card_", "id_mil_name"}}};
constexpr std::array<Ref, 1> kService{{{"mil_card_", "id_R_voisk"}}};
constexpr std::array<Ref, 1> kIssuer{{{"Passport", "id_passport_organ"}}};
constexpr std::array<Ref, 1> kQualification{{{"Educ", "id_diploma_kval"}}};
constexpr std::array<Ref, 1> kNationality{{{"TEACHER_info", "id_nationality"}}};
constexpr std::array<Ref, 1> kEducation{{{"Educ", "id_edu"}}};
constexpr std::array<Ref, 1> kStructure{{{"obrazovanie_teacher", "id_teacher_struktura"}}};
constexpr std::array<Ref, 1> kDocumentDegree{{{"obrazovanie_teacher", "id_teacher_stepen"}}};

const std::array<DictionaryUse, 13> kDictionaries{{
    {"specialPUM", "id_special", "Специальность по диплому", kSpeciality},
    {"Soc_pr", "id_soc_pr", "Социальный статус", kSocial},
    {"Uch_step", "id_uch_stepen", "Ученая степень", kDegree},
    {"uch_zvanie", "id_uch_zvanie", "Ученое звание", kTitle},
    {"Rang", "id_rang", "Ранг", kRank},
    {"Mil_name", "ID_mil_name", "Воинское звание", kMilitaryRank},
    {"Mil_R_Voisk", "id_r_voisk", "Род войск", kService},
    {"MVD_pasport", "IDMVD", "Орган выдачи пасспорта", kIssuer},
    {"diploma_kval", "id_diploma_kval", "Квалификация по диплому", kQualification},
    {"nationality", "IDNationality", "Национальность", kNationality},
    {"Edu", "id_edu", "Образование", kEducation},
    {"teacher_struktura", "id_teacher_struktura", "Структура выдавщая документ", kStructure},
    {"teacher_stepen", "id_teacher_stepen", "Степень послевузовского документа", kDocumentDegree},
}};

// zel_entry_in_use(name, rows): fails the statement when rows > 0.
void entryInUse(sqlite3_context* context, int, sqlite3_value** argv)
{
    const qint64 rows = sqlite3_value_int64(argv[1]);
    if (rows <= 0)
        return sqlite3_result_null(context);
    const auto* name = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray text = DictionaryUseCheck::refusal(QString::fromUtf8(name ? name : ""), rows).toUtf8();
    sqlite3_result_error(context, text.constData(), int(text.size()));
    // After the text: setting the text resets the code to a plain error.
    sqlite3_result_error_code(context, SQLITE_CONSTRAINT_TRIGGER);
}

bool tableExists(sqlite3* db, const char* table)
{
    sqlite3_stmt* st = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                           -1, &st, nullptr)
        == SQLITE_OK) {
        sqlite3_bind_text(st, 1, table, -1, SQLITE_STATIC);
        found = sqlite3_step(st) == SQLITE_ROW;
    }
    sqlite3_finalize(st);
    return found;
}

QString quoted(const char* name)
{
    return u'"' + QString::fromUtf8(name) + u'"';
}

}  // namespace

std::span<const DictionaryUse> DictionaryUseCheck::dictionaries()
{
    return kDictionaries;
}

QString DictionaryUseCheck::refusal(const QString& dictionaryName, qint64 rows)
{
    return QStringLiteral("Запись справочника \"%1\" используется в карточках сотрудников (записей: %2) "
                          "и не может быть удалена.")
        .arg(dictionaryName)
        .arg(rows);
}

void DictionaryUseCheck::install(sqlite3* db)
{
    sqlite3_create_function_v2(db, "zel_entry_in_use", 2, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr, entryInUse,
                               nullptr, nullptr, nullptr);
    for (const DictionaryUse& use : kDictionaries) {
        if (!tableExists(db, use.dictionary))
            continue;
        QStringList counts;
        for (const Ref& ref : use.references)
            if (tableExists(db, ref.table))
                counts << QStringLiteral("(SELECT count(*) FROM main.%1 WHERE %2 = OLD.%3)")
                              .arg(quoted(ref.table), quoted(ref.column), quoted(use.key));
        if (counts.isEmpty())
            continue;
        const QString name = QString::fromUtf8(use.name).replace(u'\'', QStringLiteral("''"));
        const QByteArray sql = QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS \"zel_in_use_%1\" BEFORE DELETE ON "
                                              "main.%2 FOR EACH ROW BEGIN SELECT zel_entry_in_use('%3', %4); END")
                                   .arg(QString::fromUtf8(use.dictionary), quoted(use.dictionary), name,
                                        counts.join(QStringLiteral(" + ")))
                                   .toUtf8();
        char* error = nullptr;
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const QString message = QString::fromUtf8(error ? error : "");
            sqlite3_free(error);
            throw DbError(QStringLiteral("The dictionary check cannot be installed: %1").arg(message));
        }
    }
}

}  // namespace zel::server
