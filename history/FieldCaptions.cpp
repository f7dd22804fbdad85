#include "history/FieldCaptions.h"

namespace zel::FieldCaptions {

namespace {

struct Row {
    const char* section;
    const char* field;
    const char* caption;
};

constexpr Row kCaptions[] = {
    {"Teacher_info", "D_b", "Дата рождения"},
    {"Teacher_info", "Phone", "Телефон домашний"},
    {"Teacher_info", "phone_mobile", "Телефон сотовый"},
    {"Teacher_info", "Phon_w", "Телефон служебный"},
    {"Teacher_info", "id_nationality", "Национальность"},
    {"Teacher_info", "id_citizenship", "Гражданство"},
    {"Teacher_info", "id_pol", "Пол"},
    {"Teacher_info", "id_soc_pr", "Соц. происхождение"},
    {"Teacher_info", "id_uch_stepen", "Ученая степень"},
    {"Teacher_info", "id_uch_zvanie", "Ученое звание"},
    {"Teacher_info", "eMail", "e-mail"},
    {"Teacher_info", "first_p26", "Фамилия до изменения"},
    {"Teacher_info", "num_date_f_p26", "№ и Дата приказа"},
    {"Teacher_info", "D_z", "Дата заполнения"},
    {"Pasport", "S_p", "Серия"},
    {"Pasport", "N_p", "№"},
    {"Pasport", "D_given_p", "Дата выдачи"},
    {"Pasport", "id_passport_organ", "Кем выдан"},
    {"Pasport", "INN", "ИНН"},
    {"Pasport", "BessrochnyiPasport", "Бессрочный пасспорт"},
    {"Family", "p26", "Фамилия"},
    {"Family", "p27", "Имя"},
    {"Family", "p28", "Отчество"},
    {"Family", "Date_of_birth", "Дата рождения"},
    {"Nagrada", "nagrada", "Награда"},
    {"Nagrada", "date_get", "Когда"},
    {"Nagrada", "By_who", "Кем награжден"},
    {"Photo", "photo", "Фото"},
    // The fields that hold a dictionary key, as the card's selectors and grid columns name them.
    {"Teacher_info", "id_rang", "Дипломатический ранг"},
    {"Pensioners", "id_district", "Район"},
    {"Educ", "id_edu", "Уровень образования"},
    {"Educ", "id_educ_t", "Вид обучения"},
    {"Educ", "id_quit_course", "С какого курса ушел"},
    {"Educ", "id_special", "Специальность по диплому"},
    {"Educ", "id_diploma_kval", "Квалификация по диплому"},
    {"Mil_card", "id_mil_name", "Воинское звание"},
    {"Mil_card", "id_valid", "Годность к военной службе"},
    {"Mil_card", "id_R_voisk", "Род войск"},
    {"Family", "id_family_s", "Степень родства"},
    {"Family", "id_family_job", "Род деятельности"},
    {"Kvalification", "kvalifikation", "Вид повышения квалификации"},
    {"Kvalification", "id_trudoem", "Трудоёмкость, час"},
    {"Work", "id_type_job", "Основн./по совм."},
    {"Holiday", "id_vacation_t", "Вид отпуска"},
    {"Language_options", "id_lang", "Язык"},
    {"Language_options", "id_level", "Уровень знания"},
};

/// The address records name their parts alike.
constexpr Row kAddressCaptions[] = {
    {nullptr, "id_republic", "Республика"},
    {nullptr, "id_regionKR", "Область"},
    {nullptr, "id_ragionKR", "Область"},
    {nullptr, "id_districtKR", "Район"},
    {nullptr, "id_cityKR", "Город"},
    {nullptr, "id_villageKR", "Село"},
};

bool isAddress(const QString& section)
{
    for (const char* address : {"Place_of_birth", "Place_leave", "Place_of_residence"})
        if (section.compare(QLatin1String(address), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

QString Caption(const QString& section, const QString& field)
{
    for (const Row& row : kCaptions)
        if (section.compare(QLatin1String(row.section), Qt::CaseInsensitive) == 0
            && field.compare(QLatin1String(row.field), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(row.caption);
    if (isAddress(section))
        for (const Row& row : kAddressCaptions)
            if (field.compare(QLatin1String(row.field), Qt::CaseInsensitive) == 0)
                return QString::fromUtf8(row.caption);
    return field;
}

}  // namespace zel::FieldCaptions
