#include "server/demo/DemoReferenceParts.h"
#include "server/demo/Dice.h"

namespace zel::server::demo::parts {

namespace {
/// Keys 1..n for the texts in order.
SeedTable keyed(const char* table, const char* key, const char* text, std::initializer_list<const char*> texts)
{
    SeedTable seed{QString::fromUtf8(table), {QString::fromUtf8(key), QString::fromUtf8(text)}, {}};
    int id = 1;
    for (const char* t : texts)
        seed.rows.push_back({id++, QString::fromUtf8(t)});
    return seed;
}

/// A stamped dictionary: the rows carry the administrator's login in ZEL_User.
SeedTable stamped(const char* table, const char* key, const char* text, std::initializer_list<const char*> texts)
{
    SeedTable seed = keyed(table, key, text, texts);
    seed.columns << QStringLiteral("ZEL_User");
    for (QVariantList& row : seed.rows)
        row << QStringLiteral("admin");
    return seed;
}

QVariant utf8(const char* text)
{
    return text ? QVariant(QString::fromUtf8(text)) : QVariant();
}
}  // namespace

std::vector<SeedTable> dictionaries()
{
    std::vector<SeedTable> out;
    out.push_back(keyed("Edu", "id_edu", "education", {
        "Высшее", "Неполное высшее", "Среднее профессиональное", "Начальное профессиональное",
        "Среднее общее", "Основное общее", "Послевузовское (аспирантура)", "Послевузовское (докторантура)"}));
    out.push_back(keyed("Educ_t", "id_educ_t", "Educ_type", {
        "Очная", "Заочная", "Очно-заочная (вечерняя)", "Экстернат", "Дистанционная"}));
    out.push_back(keyed("Quit_Course", "id_quit_course", "cource", {
        "С 1 курса", "Со 2 курса", "С 3 курса", "С 4 курса", "С 5 курса", "С 6 курса"}));

    SeedTable special{QStringLiteral("specialPUM"),
                      {QStringLiteral("id_special"), QStringLiteral("id_direction"), QStringLiteral("p25-1"),
                       QStringLiteral("p25-2"), QStringLiteral("id_opl"), QStringLiteral("ZEL_User")},
                      {}};
    const struct { int direction; const char* code; const char* name; } specialities[] = {
        {1, "01.03.01", "Математика"},
        {1, "01.03.02", "Прикладная математика и информатика"},
        {1, "03.03.02", "Физика"},
        {1, "04.03.01", "Химия"},
        {1, "05.03.02", "География"},
        {1, "06.03.01", "Биология"},
        {2, "09.03.01", "Информатика и вычислительная техника"},
        {2, "09.03.03", "Прикладная информатика"},
        {2, "13.03.02", "Электроэнергетика и электротехника"},
        {2, "08.03.01", "Строительство"},
        {3, "38.03.01", "Экономика"},
        {3, "38.03.02", "Менеджмент"},
        {3, "40.03.01", "Юриспруденция"},
        {3, "39.03.01", "Социология"},
        {3, "41.03.04", "Политология"},
        {4, "44.03.01", "Педагогическое образование"},
        {4, "45.03.01", "Филология"},
        {4, "45.03.02", "Лингвистика"},
        {4, "46.03.01", "История"},
        {4, "37.03.01", "Психология"},
        {4, "42.03.02", "Журналистика"},
        {5, "31.05.01", "Лечебное дело"},
        {5, "49.03.01", "Физическая культура"},
    };
    int id = 1;
    for (const auto& s : specialities)
        special.rows.push_back({id++, s.direction, utf8(s.code), utf8(s.name), 1, QStringLiteral("admin")});
    out.push_back(special);

    out.push_back(stamped("diploma_kval", "id_diploma_kval", "diploma_kval", {
        "Бакалавр", "Магистр", "Специалист", "Инженер", "Инженер-программист", "Учитель", "Экономист",
        "Юрист", "Врач", "Техник", "Преподаватель", "Филолог. Преподаватель", "Историк. Преподаватель истории",
        "Математик. Системный программист", "Исследователь. Преподаватель-исследователь"}));
    out.push_back(keyed("Family_s", "id_family_s", "stepen", {
        "Муж", "Жена", "Сын", "Дочь", "Отец", "Мать", "Брат", "Сестра", "Дедушка", "Бабушка",
        "Внук", "Внучка", "Тесть", "Тёща", "Свёкор", "Свекровь"}));

    SeedTable family{QStringLiteral("Family"),
                     {QStringLiteral("id_family"), QStringLiteral("p15"), QStringLiteral("oper"),
                      QStringLiteral("u_date")},
                     {}};
    id = 1;
    for (const char* status : {"Женат", "Замужем", "Холост", "Не замужем", "Разведён", "Разведена", "Вдовец",
                               "Вдова", "Гражданский брак"})
        family.rows.push_back({id++, utf8(status), QStringLiteral("ins"), Dice::at(QDate(2015, 9, 1), QTime(9, 0))});
    out.push_back(family);

    out.push_back(keyed("Family_spec", "id_family_job", "job_specification", {
        "Рабочий", "Служащий", "Пенсионер", "Студент", "Школьник", "Дошкольник", "Предприниматель",
        "Военнослужащий", "Домохозяйка", "Временно не работает", "Преподаватель", "Врач", "Инженер"}));
    out.push_back(keyed("Holliday_t", "id_vacation_t", "Holiday_type", {
        "Ежегодный основной", "Ежегодный дополнительный", "Учебный", "Без сохранения зарплаты",
        "По беременности и родам", "По уходу за ребёнком", "Удлинённый (педагогический)"}));
    out.push_back(keyed("nationality", "IDNationality", "Nationality", {
        "Кыргыз", "Русский", "Узбек", "Казах", "Украинец", "Татарин", "Дунганин", "Уйгур", "Таджик",
        "Немец", "Кореец", "Белорус", "Азербайджанец", "Турок", "Армянин", "Еврей", "Башкир", "Чуваш"}));
    out.push_back(keyed("pol", "id_pol", "p17", {"Мужской", "Женский"}));
    out.push_back(stamped("Soc_pr", "id_soc_pr", "soc_status", {
        "Из рабочих", "Из служащих", "Из крестьян", "Из интеллигенции", "Из военнослужащих",
        "Из предпринимателей"}));
    out.push_back(stamped("Uch_step", "id_uch_stepen", "k5", {
        "Кандидат физико-математических наук", "Доктор физико-математических наук",
        "Кандидат технических наук", "Доктор технических наук", "Кандидат экономических наук",
        "Доктор экономических наук", "Кандидат филологических наук", "Доктор филологических наук",
        "Кандидат исторических наук", "Доктор исторических наук", "Кандидат педагогических наук",
        "Доктор педагогических наук", "Кандидат химических наук", "Кандидат биологических наук",
        "Кандидат юридических наук", "Доктор философии (PhD)"}));
    out.push_back(stamped("uch_zvanie", "id_uch_zvanie", "k6", {
        "Доцент", "Профессор", "Старший научный сотрудник", "Член-корреспондент НАН", "Академик НАН"}));
    out.push_back(stamped("Rang", "id_rang", "rang", {
        "Советник юстиции", "Государственный советник 3 класса",
        "Референт государственной службы 1 класса", "Чрезвычайный и Полномочный Посланник 2 класса",
        "Атташе", "Советник 1 класса"}));
    out.push_back(stamped("MVD_pasport", "IDMVD", "CodeMVD", {
        "Ленинский РОВД г. Бишкек", "Октябрьский РОВД г. Бишкек", "Первомайский РОВД г. Бишкек",
        "Свердловский РОВД г. Бишкек", "Сокулукский РОВД Чуйской области", "Аламудунский РОВД Чуйской области",
        "УВД г. Ош", "МКК 211011", "МКК 211021", "ГРС при ПКР 211041",
        "ОУФМС России по Новосибирской обл.", "ТП УФМС России по Московской обл. в Одинцовском р-не"}));
    out.push_back(keyed("Level", "id_Level", "l_level", {
        "Читаю и перевожу со словарём", "Читаю и могу объясняться", "Владею свободно", "Родной"}));
    out.push_back(keyed("languages", "id_lang", "lang", {
        "Русский", "Кыргызский", "Английский", "Немецкий", "Французский", "Казахский", "Узбекский",
        "Турецкий", "Китайский", "Арабский"}));
    out.push_back(stamped("Mil_name", "ID_mil_name", "mil_name", {
        "Рядовой", "Ефрейтор", "Младший сержант", "Сержант", "Старший сержант", "Старшина", "Прапорщик",
        "Лейтенант", "Старший лейтенант", "Капитан", "Майор", "Подполковник", "Полковник"}));
    out.push_back(stamped("Mil_R_Voisk", "id_r_voisk", "R_voisk", {
        "Мотострелковые войска", "Танковые войска", "Ракетные войска и артиллерия", "Войска ПВО",
        "Военно-воздушные силы", "Войска связи", "Инженерные войска", "Пограничные войска",
        "Медицинская служба", "Тыловые войска"}));
    out.push_back(keyed("Mil_valid", "id_valid", "valid", {
        "А - годен к военной службе", "Б - годен с незначительными ограничениями", "В - ограниченно годен",
        "Г - временно не годен", "Д - не годен к военной службе"}));
    out.push_back(keyed("base", "id_base_over", "base_over", {"Основная", "По совместительству", "Почасовая"}));
    out.push_back(keyed("HighQualification", "id_qualification", "qualification", {
        "Курсы", "Стажировка", "ФПК", "Семинар", "Аспирантура", "Докторантура", "Тренинг", "Переподготовка"}));
    out.push_back(keyed("Trudoem", "id_trudoem", "trudoem", {"18", "36", "72", "108", "144", "250", "500"}));

    SeedTable structure{QStringLiteral("teacher_struktura"),
                        {QStringLiteral("id_teacher_struktura"), QStringLiteral("teacher_struktura"),
                         QStringLiteral("s_teacher_struktura")},
                        {}};
    const struct { const char* full; const char* brief; } bodies[] = {
        {"Высшая аттестационная комиссия Кыргызской Республики", "ВАК КР"},
        {"Высшая аттестационная комиссия Российской Федерации", "ВАК РФ"},
        {"Диссертационный совет при Кыргызском национальном университете им. Ж. Баласагына", "Дис. совет КНУ"},
        {"Учёный совет университета", "Учёный совет"},
        {"Министерство образования и науки Кыргызской Республики", "МОиН КР"},
    };
    id = 1;
    for (const auto& b : bodies)
        structure.rows.push_back({id++, utf8(b.full), utf8(b.brief)});
    out.push_back(structure);
    out.push_back(keyed("teacher_stepen", "id_teacher_stepen", "teacher_stepen", {
        "Кандидат наук", "Доктор наук", "Доцент", "Профессор", "Доктор философии (PhD)"}));

    SeedTable universities{QStringLiteral("vuz"),
                           {QStringLiteral("id_vuz"), QStringLiteral("vuz"), QStringLiteral("s_vuz")}, {}};
    const struct { const char* full; const char* brief; } vuzes[] = {
        {"Кыргызский национальный университет им. Ж. Баласагына", "КНУ"},
        {"Кыргызско-Российский Славянский университет", "КРСУ"},
        {"Кыргызский государственный технический университет им. И. Раззакова", "КГТУ"},
        {"Ошский государственный университет", "ОшГУ"},
        {"Кыргызская государственная медицинская академия", "КГМА"},
        {"Бишкекский гуманитарный университет", "БГУ"},
        {"Новосибирский государственный университет", "НГУ"},
        {"Московский государственный университет им. М. В. Ломоносова", "МГУ"},
    };
    id = 1;
    for (const auto& v : vuzes)
        universities.rows.push_back({id++, utf8(v.full), utf8(v.brief)});
    out.push_back(universities);

    SeedTable settings{QStringLiteral("VuzDefaults"),
                       {QStringLiteral("id_vuz_defaults"), QStringLiteral("name"), QStringLiteral("n_field"),
                        QStringLiteral("i_field")},
                       {}};
    settings.rows.push_back({1, utf8("Наименование вуза"), utf8("Кыргызский национальный университет им. Ж. Баласагына"), {}});
    settings.rows.push_back({2, utf8("Краткое наименование вуза"), utf8("КНУ"), {}});
    settings.rows.push_back({10, utf8("Текущий учебный год"), utf8("2026/2027"), 2026});
    settings.rows.push_back({22, utf8("Адрес сервера отчётов"), utf8("http://reports.local"), {}});
    settings.rows.push_back({23, utf8("Адрес сервера обновлений"), utf8("http://updates.local"), {}});
    out.push_back(settings);
    return out;
}

}  // namespace zel::server::demo::parts
