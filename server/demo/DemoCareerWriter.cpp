#include "server/demo/DemoCareerWriter.h"

#include "server/demo/SeedTable.h"

namespace zel::server::demo {

namespace {
const QString kClerk = QStringLiteral("admin");
const QDate kToday(2026, 12, 1);

int count(const char* table)
{
    return DemoReferenceData::rowCount(QString::fromLatin1(table));
}

QString faculty(Dice& dice)
{
    return dice.pick({"Механико-математический факультет", "Физический факультет", "Химический факультет",
                      "Исторический факультет", "Факультет русской филологии", "Экономический факультет",
                      "Юридический факультет", "Факультет информационных технологий", "Биологический факультет",
                      "Факультет международных отношений", "Географический факультет", "Лечебный факультет"});
}
}  // namespace

DemoCareerWriter::DemoCareerWriter(sqlite3* db, Dice& dice)
    : m_dice(dice),
      m_education(db, QStringLiteral("Educ")),
      m_experience(db, QStringLiteral("Experience")),
      m_qualification(db, QStringLiteral("Kvalifikation")),
      m_work(db, QStringLiteral("Work")),
      m_awards(db, QStringLiteral("Nagrada")),
      m_abroad(db, QStringLiteral("Abroad")),
      m_elected(db, QStringLiteral("Elect_org")),
      m_party(db, QStringLiteral("Partiya")),
      m_holidays(db, QStringLiteral("Holiday")),
      m_documents(db, QStringLiteral("obrazovanie_teacher")),
      m_workload(db, QStringLiteral("Teacher_Nagruzka"))
{
}

void DemoCareerWriter::writeSections(const DemoPerson& person)
{
    writeEducation(person);
    if (m_dice.chance(0.9))
        writeExperience(person);
    writeQualification(person);
    writeWork(person);
    if (m_dice.chance(0.3))
        writeAwards(person);
    if (m_dice.chance(0.2))
        writeAbroad(person);
    if (m_dice.chance(0.05))
        writeElected(person);
    if (m_dice.chance(0.1))
        writeParty(person);
    writeHolidays(person);
    if (person.degree)
        writeAcademicDocuments(person);
}

void DemoCareerWriter::writeEducation(const DemoPerson& p)
{
    const int rows = m_dice.chance(0.05) ? 0 : m_dice.chance(0.7) ? 1 : m_dice.between(2, 3);
    QDate enter(p.birth.year() + 17 + m_dice.between(0, 2), 9, 1);
    const SeedTable* universities = DemoReferenceData::find(QStringLiteral("vuz"));
    for (int i = 0; i < rows && enter < kToday; ++i) {
        TableInserter& r = m_education;
        const bool unfinished = m_dice.chance(0.08);
        const QDate end(enter.year() + (i == 0 ? 5 : 3), 6, 30);
        r.set("ZEL_User", kClerk).set("id_teacher", p.id);
        r.set("id_edu", i == 0 ? (m_dice.chance(0.9) ? 1 : 3) : (p.degree && i == 1 ? 7 : 1));
        r.set("Date_enter", m_dice.midnight(enter));
        if (!unfinished && end < kToday)
            r.set("Date_End", m_dice.midnight(end));
        else if (unfinished)
            r.set("id_quit_course", m_dice.between(1, 4));
        r.set("Faculty", m_dice.chance(0.03) ? QVariant() : QVariant(faculty(m_dice)));
        r.set("id_educ_t", m_dice.chance(0.8) ? 1 : m_dice.between(2, 5));
        r.set("id_special", m_dice.between(1, count("specialPUM")));
        if (!unfinished) {
            r.set("Diploma_No", QStringLiteral("%1 %2").arg(m_dice.pick({"ЖВ", "АВ", "ДВС", "ИВ", "ВСА"}), m_dice.digits(7)));
            r.set("id_diploma_kval", m_dice.between(1, count("diploma_kval")));
        }
        r.set("vuz", universities->rows[std::size_t(m_dice.between(0, int(universities->rows.size()) - 1))][1]);
        r.insert();
        enter = end.addMonths(2 + m_dice.between(0, 40));
        enter.setDate(enter.year(), 9, 1);
    }
}

void DemoCareerWriter::writeExperience(const DemoPerson& p)
{
    const double total = std::max(0.0, (p.birth.daysTo(kToday) / 365.25) - 22 - m_dice.real(0, 4));
    const double teaching = total * m_dice.real(0.4, 1.0);
    TableInserter& r = m_experience;
    r.set("ZEL_User", kClerk).set("ID_TEACHER", p.id);
    r.set("Gov_Service", std::round(total * m_dice.real(0.5, 1.0)));
    r.set("On_Owners", std::round(total * m_dice.real(0, 0.3)));
    r.set("specialty_s", std::round(teaching));
    r.set("Total_s", std::round(total));
    r.set("Unbreakable", std::round(total * m_dice.real(0.3, 1.0)));
    r.set("specialty", m_dice.pick({"Преподаватель", "Математик", "Инженер-программист", "Экономист", "Юрист",
                                    "Историк", "Филолог", "Врач-терапевт", "Бухгалтер", "Лаборант"}));
    r.set("teacher_s", std::round(teaching));
    r.set("Total_sDate", kToday.addDays(-qint64(total * 365.25)));
    r.set("teacher_sDate", kToday.addDays(-qint64(teaching * 365.25)));
    r.insert();
}

void DemoCareerWriter::writeQualification(const DemoPerson& p)
{
    const int rows = m_dice.between(0, 4);
    for (int i = 0; i < rows; ++i) {
        const QDate start = m_dice.date(QDate(2012, 1, 1), kToday.addDays(-30));
        TableInserter& r = m_qualification;
        r.set("ZEL_User", kClerk).set("ID_TEACHER", p.id);
        r.set("place", m_dice.pick({"КНУ им. Ж. Баласагына", "КРСУ", "НГУ, г. Новосибирск", "МГУ, г. Москва",
                                    "Университет Анкары, Турция", "Институт повышения квалификации"}));
        r.set("sertifikate", QStringLiteral("Удостоверение № %1").arg(m_dice.digits(5)));
        r.set("date_1", m_dice.midnight(start)).set("date_2", m_dice.midnight(start.addDays(m_dice.between(5, 90))));
        r.set("kvalifikation", m_dice.between(1, count("HighQualification")));
        r.set("theme", m_dice.pick({"Современные образовательные технологии", "Инклюзивное образование в вузе",
                                    "Цифровая грамотность преподавателя", "Кредитная технология обучения",
                                    "Методика преподавания дисциплины", "Управление качеством образования"}));
        r.set("id_trudoem", m_dice.between(1, count("Trudoem")));
        r.insert();
    }
}

void DemoCareerWriter::writeWork(const DemoPerson& p)
{
    const int rows = m_dice.between(1, 4);
    QDate enter = p.birth.addYears(22).addDays(m_dice.between(0, 700));
    for (int i = 0; i < rows && enter < kToday; ++i) {
        const bool last = i == rows - 1;
        const QDate quit = enter.addDays(m_dice.between(300, 3650));
        TableInserter& r = m_work;
        r.set("ZEL_User", kClerk).set("ID_TEACHER", p.id);
        r.set("Doljnost", last ? m_dice.pick({"Преподаватель", "Старший преподаватель", "Доцент", "Профессор",
                                              "Заведующий кафедрой", "Ассистент", "Методист", "Инженер"})
                               : m_dice.pick({"Учитель", "Инженер", "Лаборант", "Экономист", "Младший научный сотрудник"}));
        r.set("Name_org", last ? QStringLiteral("КНУ им. Ж. Баласагына")
                               : m_dice.pick({"Средняя школа № 5", "ОсОО \"Бишкек-Софт\"", "НИИ физики НАН КР",
                                              "Министерство финансов КР", "Гимназия № 13"}));
        r.set("Adress", QStringLiteral("г. Бишкек, ул. Фрунзе, %1").arg(m_dice.between(1, 500)));
        r.set("Phone", QStringLiteral("(0312) %1").arg(m_dice.digits(6)));
        r.set("FIO_Dir", DemoNames::random(m_dice.engine(), m_dice.chance(0.6)).surname + QStringLiteral(" А. Б."));
        r.set("Salary", m_dice.between(150, 900) * 100);
        r.set("Date_Enter", m_dice.midnight(enter)).set("id_type_job", m_dice.chance(0.85) ? 1 : m_dice.between(2, 3));
        r.set("Enter_numPrikaz", QStringLiteral("%1-к").arg(m_dice.between(1, 999)));
        r.set("First_Check", m_dice.chance(0.5) ? 1 : 0);
        if (!last || !p.working) {
            const QDate end = std::min(quit, kToday);
            r.set("Date_Quit", m_dice.midnight(end));
            r.set("Quit_numPrikaz", QStringLiteral("%1-к").arg(m_dice.between(1, 999)));
            r.set("descr", m_dice.pick({"По собственному желанию", "Перевод", "Окончание срока договора",
                                        "Выход на пенсию", "Сокращение штата"}));
        }
        r.insert();
        enter = quit.addDays(m_dice.between(1, 60));
    }
}

void DemoCareerWriter::writeAwards(const DemoPerson& p)
{
    for (int i = m_dice.between(1, 2); i > 0; --i) {
        m_awards.set("ZEL_User", kClerk).set("id_teacher", p.id);
        m_awards.set("By_who", m_dice.pick({"Министерство образования", "Президент КР", "Ректорат", "Мэрия г. Бишкек"}));
        m_awards.set("nagrada", m_dice.pick({"Почётная грамота", "Отличник образования", "Медаль \"Данк\"",
                                             "Благодарственное письмо", "Заслуженный учитель"}));
        m_awards.set("date_get", m_dice.midnight(m_dice.date(QDate(2000, 1, 1), kToday)));
        m_awards.insert();
    }
}

void DemoCareerWriter::writeAbroad(const DemoPerson& p)
{
    for (int i = m_dice.between(1, 2); i > 0; --i) {
        const QDate start = m_dice.date(QDate(2010, 1, 1), kToday);
        m_abroad.set("ZEL_User", kClerk).set("id_teacher", p.id);
        m_abroad.set("purchose", m_dice.pick({"Научная конференция", "Стажировка", "Чтение лекций", "Обмен опытом"}));
        m_abroad.set("date_begin", m_dice.midnight(start)).set("date_end", m_dice.midnight(start.addDays(m_dice.between(3, 60))));
        m_abroad.set("orderNum", QStringLiteral("%1-к").arg(m_dice.between(1, 999)));
        if (m_dice.chance(0.8))
            m_abroad.set("orderDate", start.addDays(-m_dice.between(3, 20)));
        m_abroad.set("country", m_dice.pick({"Россия, г. Москва", "Казахстан, г. Алматы", "Турция, г. Анкара",
                                             "Германия, г. Берлин", "Китай, г. Урумчи"}));
        m_abroad.insert();
    }
}

void DemoCareerWriter::writeElected(const DemoPerson& p)
{
    const int year = m_dice.between(1995, 2024);
    m_elected.set("ZEL_User", kClerk).set("id_teacher", p.id);
    m_elected.set("address", QStringLiteral("г. Бишкек"));
    m_elected.set("elected_as", m_dice.pick({"Депутат", "Член совета", "Председатель комиссии"}));
    m_elected.set("year_elect", QString::number(year));
    if (m_dice.chance(0.6))
        m_elected.set("year_End", QString::number(year + m_dice.between(1, 5)));
    m_elected.set("organ", m_dice.pick({"Бишкекский городской кенеш", "Учёный совет", "Профсоюзный комитет"}));
    m_elected.insert();
}

void DemoCareerWriter::writeParty(const DemoPerson& p)
{
    m_party.set("id_teacher", p.id).set("ZEL_User", kClerk);
    m_party.set("name", m_dice.pick({"Социал-демократическая партия", "Партия \"Ата-Мекен\"", "Коммунистическая партия"}));
    m_party.set("date", m_dice.midnight(QDate(m_dice.between(1990, 2024), m_dice.between(1, 12), 1)));
    m_party.insert();
}

void DemoCareerWriter::writeHolidays(const DemoPerson& p)
{
    const int rows = m_dice.between(0, 4);
    for (int i = 0; i < rows; ++i) {
        const int year = 2026 - rows + i;
        const QDate start(year, m_dice.between(6, 8), m_dice.between(1, 28));
        const int days = m_dice.chance(0.7) ? 56 : m_dice.between(7, 28);
        TableInserter& r = m_holidays;
        r.set("id_teacher", p.id).set("ZEL_User", kClerk);
        r.set("Date_begin", m_dice.midnight(start)).set("Date_End", m_dice.midnight(start.addDays(days - 1)));
        r.set("id_vacation_t", m_dice.chance(0.8) ? 7 : m_dice.between(1, 6));
        r.set("from_d", m_dice.midnight(QDate(year - 1, 9, 1))).set("to_d", m_dice.midnight(QDate(year, 8, 31)));
        r.set("N_prikaz", QStringLiteral("%1-о").arg(m_dice.between(1, 999)));
        r.set("Date_Prikaz", m_dice.midnight(start.addDays(-14))).set("N_Days", days);
        if (m_dice.chance(0.05)) {
            r.set("otz_prik", QStringLiteral("%1-о").arg(m_dice.between(1, 999)));
            r.set("otz_from_d", m_dice.midnight(start.addDays(days / 2)));
            r.set("otz_pr_date", m_dice.midnight(start.addDays(days / 2 - 1)));
            r.set("Not_used_days", days - days / 2);
        }
        if (m_dice.chance(0.1))
            r.set("not_used_pay_days", m_dice.between(1, 14));
        r.insert();
    }
}

void DemoCareerWriter::writeAcademicDocuments(const DemoPerson& p)
{
    const int rows = p.degree % 2 == 0 ? 2 : 1;  // doctors got a candidate's degree first
    for (int i = 0; i < rows; ++i) {
        m_documents.set("id_teacher", p.id).set("id_teacher_struktura", m_dice.between(1, count("teacher_struktura")));
        m_documents.set("Dates", m_dice.midnight(m_dice.date(p.birth.addYears(27 + 8 * i), p.birth.addYears(35 + 8 * i))));
        m_documents.set("Number", QStringLiteral("Протокол № %1/%2").arg(m_dice.between(1, 40)).arg(m_dice.between(1, 12)));
        m_documents.set("id_teacher_stepen", i == 0 ? 1 : 2);
        m_documents.insert();
    }
}

void DemoCareerWriter::writeWorkload(const DemoPerson& p)
{
    m_workload.set("id_teacher", p.id).set("uch_god", QStringLiteral("2026/2027"));
    m_workload.set("hours", double(m_dice.between(300, 900)));
    m_workload.set("kafedra", m_dice.pick({"Кафедра алгебры и геометрии", "Кафедра истории Кыргызстана",
                                           "Кафедра русского языка", "Кафедра экономической теории"}));
    m_workload.set("ZEL_User", kClerk).set("ZEL_Update", kToday);
    m_workload.insert();
}

}  // namespace zel::server::demo
