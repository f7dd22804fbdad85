#include "tools/report/PersonalCardReader.h"

#include "server/schema/SqliteStatement.h"

#include <QRegularExpression>

namespace zel::report {

using server::schema::SqliteStatement;

namespace {

/// A section read by one statement whose ?1 is the employee's key. A facts
/// section reads one row whose columns follow the labels; a table section
/// reads its rows with one column per header.
struct SectionSource {
    const char* title;
    bool table;
    QStringList labels;
    const char* sql;
};

/// An address record: its table, the column of its region key and whether it
/// carries the street line.
struct AddressSource {
    const char* label;
    const char* table;
    const char* regionColumn;
    bool street;
};

const QList<SectionSource>& sectionSources()
{
    static const QList<SectionSource> sources = {
        {"I. Общие сведения", false,
         {"Дата рождения", "Пол", "Национальность", "Гражданство", "Социальное происхождение",
          "Семейное положение", "Учёная степень", "Учёное звание", "Фамилия до изменения",
          "Домашний телефон", "Рабочий телефон", "Мобильный телефон", "Электронная почта"},
         "SELECT i.D_b, pol.p17, n.Nationality, c.Citizenship, s.soc_status,"
         " (SELECT fm.p15 FROM family_ ff JOIN Family fm ON fm.id_family = ff.id_family_status"
         "  WHERE ff.id_teacher = t.id_teacher ORDER BY ff.id_family LIMIT 1),"
         " us.k5, uz.k6, i.first_p26, i.Phone, i.Phon_w, i.phone_mobile, i.eMail"
         " FROM TEACHER t LEFT JOIN TEACHER_info i ON i.id_teacher = t.id_teacher"
         " LEFT JOIN pol ON pol.id_pol = i.id_pol"
         " LEFT JOIN nationality n ON n.IDNationality = i.id_nationality"
         " LEFT JOIN Citizenship c ON c.IDCitizenship = i.id_citizenship"
         " LEFT JOIN Soc_pr s ON s.id_soc_pr = i.id_soc_pr"
         " LEFT JOIN Uch_step us ON us.id_uch_stepen = i.id_uch_stepen"
         " LEFT JOIN uch_zvanie uz ON uz.id_uch_zvanie = i.id_uch_zvanie"
         " WHERE t.id_teacher = ?1 ORDER BY i.id_teacher_info LIMIT 1"},
        {"Паспорт", false,
         {"Серия", "Номер", "Дата выдачи", "Кем выдан", "ИНН", "Бессрочный"},
         "SELECT p.S_p, p.N_p, p.D_given_p, m.CodeMVD, p.INN,"
         " CASE p.BessrochnyiPasport WHEN 1 THEN 'да' WHEN 0 THEN 'нет' END"
         " FROM Passport p LEFT JOIN MVD_pasport m ON m.IDMVD = p.id_passport_organ"
         " WHERE p.id_teacher = ?1 ORDER BY p.id_pasport LIMIT 1"},
        {"Знание иностранных языков", true,
         {"Язык", "Степень знания"},
         "SELECT l.lang, lv.l_level FROM Language_OPTIONS o"
         " LEFT JOIN languages l ON l.id_lang = o.id_lang LEFT JOIN Level lv ON lv.id_Level = o.id_level"
         " WHERE o.id_teacher = ?1 ORDER BY o.id_lang_options"},
        {"Образование", true,
         {"Уровень", "Учебное заведение", "Факультет", "Поступление", "Окончание", "Вид обучения",
          "Специальность", "Квалификация", "№ диплома"},
         "SELECT e.education, x.vuz, x.Faculty, x.Date_enter, x.Date_End, t.Educ_type, s.\"p25-2\","
         " k.diploma_kval, x.Diploma_No FROM Educ x"
         " LEFT JOIN Edu e ON e.id_edu = x.id_edu LEFT JOIN Educ_t t ON t.id_educ_t = x.id_educ_t"
         " LEFT JOIN specialPUM s ON s.id_special = x.id_special"
         " LEFT JOIN diploma_kval k ON k.id_diploma_kval = x.id_diploma_kval"
         " WHERE x.id_teacher = ?1 ORDER BY x.Date_enter, x.id_educ"},
        {"Стаж работы (лет)", false,
         {"Основная профессия", "Общий стаж", "Общий стаж исчисляется с", "Непрерывный стаж",
          "Педагогический стаж", "Педагогический стаж исчисляется с", "На государственной службе",
          "В частных структурах", "Стаж по специальности"},
         "SELECT specialty, Total_s, Total_sDate, Unbreakable, teacher_s, teacher_sDate, Gov_Service,"
         " On_Owners, specialty_s FROM Experience WHERE ID_TEACHER = ?1 ORDER BY id_experience LIMIT 1"},
        {"Состав семьи", true,
         {"Степень родства", "Фамилия, имя, отчество", "Дата рождения", "Место работы", "Адрес"},
         "SELECT s.stepen,"
         " trim(trim(coalesce(f.p26, '')) || ' ' || trim(coalesce(f.p27, '')) || ' ' || trim(coalesce(f.p28, ''))),"
         " f.Date_of_birth, f.Org_Address, f.Address FROM family_ f"
         " LEFT JOIN Family_s s ON s.id_family_s = f.id_family_s WHERE f.id_teacher = ?1 ORDER BY f.id_family"},
        {"II. Сведения о воинском учёте", false,
         {"Воинское звание", "Годность к военной службе", "Род войск", "Состав", "ВУС", "Военкомат",
          "Состоит на воинском учёте"},
         "SELECT n.mil_name, v.valid, r.R_voisk, m.Sostav, m.Vus, m.voencom,"
         " CASE m.Voinsk_uchet WHEN 1 THEN 'да' WHEN 0 THEN 'нет' END FROM mil_card_ m"
         " LEFT JOIN Mil_name n ON n.ID_mil_name = m.id_mil_name LEFT JOIN Mil_valid v ON v.id_valid = m.id_valid"
         " LEFT JOIN Mil_R_Voisk r ON r.id_r_voisk = m.id_R_voisk"
         " WHERE m.id_teacher = ?1 ORDER BY m.id_mil_card LIMIT 1"},
        {"III. Приём на работу и переводы", true,
         {"Дата приёма", "Дата увольнения", "Организация", "Должность", "Приказ о приёме", "Приказ об увольнении"},
         "SELECT Date_Enter, Date_Quit, Name_org, Doljnost, Enter_numPrikaz, Quit_numPrikaz FROM Work"
         " WHERE ID_TEACHER = ?1 ORDER BY Date_Enter, id_Work"},
        {"V. Повышение квалификации", true,
         {"Начало", "Окончание", "Вид", "Место", "Тема", "Документ"},
         "SELECT k.date_1, k.date_2, h.qualification, k.place, k.theme, k.sertifikate FROM Kvalifikation k"
         " LEFT JOIN HighQualification h ON h.id_qualification = k.kvalifikation"
         " WHERE k.ID_TEACHER = ?1 ORDER BY k.date_1, k.id_kvalification"},
        {"VII. Награды и почётные звания", true,
         {"Награда", "Кем награждён", "Дата"},
         "SELECT nagrada, By_who, date_get FROM Nagrada WHERE id_teacher = ?1 ORDER BY date_get, id_nagrada"},
        {"VIII. Отпуск", true,
         {"Вид отпуска", "За период с", "по", "Дней", "Начало", "Окончание", "Приказ №", "Дата приказа"},
         "SELECT t.Holiday_type, h.from_d, h.to_d, h.N_Days, h.Date_begin, h.Date_End, h.N_prikaz, h.Date_Prikaz"
         " FROM Holiday h LEFT JOIN Holliday_t t ON t.id_vacation_t = h.id_vacation_t"
         " WHERE h.id_teacher = ?1 ORDER BY h.Date_begin, h.id_vacation"},
    };
    return sources;
}

const QList<AddressSource>& addressSources()
{
    static const QList<AddressSource> sources = {
        {"Место рождения", "Place_of_birth", "id_regionKR", false},
        {"Место жительства", "place_leave", "id_ragionKR", true},
        {"Место прописки", "Place_of_residence", "id_regionKR", true},
    };
    return sources;
}

QString addressText(sqlite3* db, const AddressSource& source, int key)
{
    const QString sql =
        QStringLiteral("SELECT r.republic, g.NameRegion, d.NameDistrict, c.NameCity, v.NameVillage, %1"
                       " FROM \"%2\" a LEFT JOIN Republics r ON r.id_republics = a.id_republic"
                       " LEFT JOIN RegionKR g ON g.IDRegion = a.%3"
                       " LEFT JOIN DistrictKR d ON d.IDDistrict = a.id_districtKR"
                       " LEFT JOIN CityKR c ON c.IDCity = a.id_cityKR"
                       " LEFT JOIN VillageKR v ON v.IDVillage = a.id_villageKR"
                       " WHERE a.id_teacher = ?1 ORDER BY a.rowid LIMIT 1")
            .arg(source.street ? QStringLiteral("a.Address") : QStringLiteral("NULL"),
                 QString::fromLatin1(source.table), QString::fromLatin1(source.regionColumn));
    SqliteStatement statement(db, sql);
    statement.bind(1, key);
    if (!statement.step())
        return QString();
    QStringList parts;
    for (int column = 0; column < 6; ++column) {
        const QString part = PersonalCardReader::printable(statement.value(column));
        if (!part.isEmpty() && !parts.contains(part))
            parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

CardSection readSection(sqlite3* db, const SectionSource& source, int key)
{
    CardSection section;
    section.title = QString::fromUtf8(source.title);
    SqliteStatement statement(db, QString::fromUtf8(source.sql));
    statement.bind(1, key);
    if (source.table) {
        section.headers = source.labels;
        while (statement.step()) {
            QStringList row;
            for (int column = 0; column < source.labels.size(); ++column)
                row << PersonalCardReader::printable(statement.value(column));
            section.rows << row;
        }
        return section;
    }
    const bool found = statement.step();
    for (int column = 0; column < source.labels.size(); ++column)
        section.facts.append({source.labels[column], found ? PersonalCardReader::printable(statement.value(column))
                                                          : QString()});
    return section;
}

}  // namespace

namespace PersonalCardReader {

QString printable(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (value.metaType().id() == QMetaType::Double) {
        const double number = value.toDouble();
        return QString::number(number, 'g', 12);
    }
    const QString text = value.toString().trimmed();
    static const QRegularExpression isoDate(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T][0-9:.]*)?$"));
    const QRegularExpressionMatch date = isoDate.match(text);
    if (date.hasMatch())
        return date.captured(3) + u'.' + date.captured(2) + u'.' + date.captured(1);
    return text;
}

std::optional<PersonalCard> read(sqlite3* db, int key)
{
    PersonalCard card;
    {
        SqliteStatement master(db, QStringLiteral("SELECT t.p26, t.p27, t.p28, i.D_z FROM TEACHER t"
                                                  " LEFT JOIN TEACHER_info i ON i.id_teacher = t.id_teacher"
                                                  " WHERE t.id_teacher = ?1 ORDER BY i.id_teacher_info LIMIT 1"));
        master.bind(1, key);
        if (!master.step())
            return std::nullopt;
        card.key = key;
        card.surname = printable(master.value(0));
        card.name = printable(master.value(1));
        card.patronymic = printable(master.value(2));
        card.filledIn = printable(master.value(3));
    }
    {
        SqliteStatement institution(db, QStringLiteral("SELECT n_field FROM VuzDefaults WHERE id_vuz_defaults = 1"));
        if (institution.step())
            card.institution = printable(institution.value(0));
    }
    {
        SqliteStatement photo(db, QStringLiteral("SELECT photo FROM photo WHERE id_teacher = ?1 AND photo IS NOT NULL"
                                                 " ORDER BY id_photo DESC LIMIT 1"));
        photo.bind(1, key);
        if (photo.step())
            card.photo = photo.blob(0);
    }
    for (const SectionSource& source : sectionSources()) {
        card.sections << readSection(db, source, key);
        if (card.sections.size() == 2) {
            CardSection addresses;
            addresses.title = QStringLiteral("Адреса");
            for (const AddressSource& address : addressSources())
                addresses.facts.append({QString::fromUtf8(address.label), addressText(db, address, key)});
            card.sections << addresses;
        }
    }
    return card;
}

}  // namespace PersonalCardReader

}  // namespace zel::report
