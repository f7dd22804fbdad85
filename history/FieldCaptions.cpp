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
};

}  // namespace

QString Caption(const QString& section, const QString& field)
{
    for (const Row& row : kCaptions)
        if (section.compare(QLatin1String(row.section), Qt::CaseInsensitive) == 0
            && field.compare(QLatin1String(row.field), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(row.caption);
    return field;
}

}  // namespace zel::FieldCaptions
