#include "server/demo/DemoPersonWriter.h"

#include "server/demo/DemoPhoto.h"
#include "server/demo/SeedTable.h"

#include <QHash>

namespace zel::server::demo {

namespace {
const QString kClerk = QStringLiteral("admin");
const QDate kToday(2026, 12, 1);

// The picker's fixed keys for a level left empty.
constexpr int kNoCity = 200;
constexpr int kNoVillage = 2000;

QHash<int, int> parentMap(const char* table)
{
    QHash<int, int> parents;
    for (const QVariantList& row : DemoReferenceData::find(QString::fromLatin1(table))->rows)
        parents.insert(row[0].toInt(), row[2].toInt());
    return parents;
}

QString phone(Dice& dice)
{
    return QStringLiteral("(0312) %1-%2-%3").arg(dice.digits(2), dice.digits(2), dice.digits(2));
}

QString street(Dice& dice)
{
    return QStringLiteral("ул. %1, %2, кв. %3")
        .arg(dice.pick({"Киевская", "Московская", "Токтогула", "Ленина", "Советская", "Манаса", "Ахунбаева",
                        "Фрунзе", "Боконбаева", "Горького", "Чуй", "Жибек-Жолу"}))
        .arg(dice.between(1, 250))
        .arg(dice.between(1, 120));
}
}  // namespace

DemoPersonWriter::DemoPersonWriter(sqlite3* db, Dice& dice, int photoLimit)
    : m_dice(dice),
      m_photoLimit(photoLimit),
      m_teacher(db, QStringLiteral("TEACHER")),
      m_info(db, QStringLiteral("TEACHER_info")),
      m_passport(db, QStringLiteral("Passport")),
      m_photo(db, QStringLiteral("photo")),
      m_pension(db, QStringLiteral("Pensioners")),
      m_birthPlace(db, QStringLiteral("Place_of_birth")),
      m_livingPlace(db, QStringLiteral("place_leave")),
      m_registrationPlace(db, QStringLiteral("Place_of_residence")),
      m_family(db, QStringLiteral("family_")),
      m_military(db, QStringLiteral("mil_card_")),
      m_languages(db, QStringLiteral("Language_OPTIONS")),
      m_medical(db, QStringLiteral("teacher_medosmotr"))
{
    const QHash<int, int> districtRegion = parentMap("DistrictKR");
    const QHash<int, int> regionRepublic = parentMap("RegionKR");
    auto placeIn = [&](int district, int city, int village) {
        const int region = districtRegion.value(district);
        return Place{regionRepublic.value(region), region, district, city, village};
    };
    for (const QVariantList& row : DemoReferenceData::find(QStringLiteral("CityKR"))->rows)
        m_places.push_back(placeIn(row[2].toInt(), row[0].toInt(), kNoVillage));
    for (const QVariantList& row : DemoReferenceData::find(QStringLiteral("VillageKR"))->rows)
        m_places.push_back(placeIn(row[2].toInt(), kNoCity, row[0].toInt()));
    for (const QVariantList& row : DemoReferenceData::find(QStringLiteral("DistrictKR"))->rows)
        m_districts.push_back(row[0].toInt());
    for (int variant = 0; variant < DemoPhoto::kVariants; ++variant)
        m_photos.push_back(DemoPhoto::bitmap(variant));
}

const DemoPersonWriter::Place& DemoPersonWriter::randomPlace()
{
    // Most employees live around the capital: the first places are weighted up.
    if (m_dice.chance(0.5))
        return m_places[std::size_t(m_dice.between(0, 11))];
    return m_places[std::size_t(m_dice.between(0, int(m_places.size()) - 1))];
}

DemoPerson DemoPersonWriter::writeMaster(const PersonName& name, bool male, bool working)
{
    DemoPerson person;
    person.name = name;
    person.male = male;
    person.working = working;
    person.birth = m_dice.date(QDate(1950, 1, 1), QDate(2002, 12, 31));
    person.degree = m_dice.chance(0.3) ? m_dice.between(1, DemoReferenceData::rowCount(QStringLiteral("Uch_step"))) : 0;
    m_teacher.set("p26", name.surname).set("p27", name.name);
    m_teacher.set("p28", name.patronymic.isEmpty() ? QVariant() : QVariant(name.patronymic));
    m_teacher.set("ZEL_User", kClerk).set("ZEL_Update", m_dice.date(QDate(2008, 1, 1), kToday));
    m_teacher.set("status", working ? 1 : 0);
    person.id = m_teacher.insert();
    return person;
}

void DemoPersonWriter::writeSections(const DemoPerson& person)
{
    if (m_dice.chance(0.97))
        writeInfo(person);
    if (m_dice.chance(0.95))
        writePassport(person);
    writePhoto(person);
    writePension(person);
    writeAddresses(person);
    writeFamily(person);
    writeMilitary(person);
    writeLanguages(person);
    writeMedical(person);
}

void DemoPersonWriter::writeInfo(const DemoPerson& p)
{
    TableInserter& r = m_info;
    r.set("id_teacher", p.id).set("D_b", m_dice.midnight(p.birth)).set("id_pol", p.male ? 1 : 2);
    if (p.degree) {
        r.set("id_uch_stepen", p.degree);
        r.set("nauch_r", QStringLiteral("Автор %1 научных трудов, в том числе %2 монографий; изобретений - %3.")
                             .arg(m_dice.between(5, 180))
                             .arg(m_dice.between(0, 6))
                             .arg(m_dice.between(0, 4)));
        if (m_dice.chance(0.6))
            r.set("id_uch_zvanie", p.degree % 2 == 0 ? 2 : 1);
    }
    r.set("Phon_w", phone(m_dice));
    if (m_dice.chance(0.6))
        r.set("Phone", phone(m_dice));
    if (m_dice.chance(0.9))
        r.set("phone_mobile", QStringLiteral("+996 (%1) %2-%3-%4")
                                  .arg(m_dice.pick({"555", "700", "772", "550", "222"}), m_dice.digits(2),
                                       m_dice.digits(2), m_dice.digits(2)));
    r.set("D_z", Dice::at(m_dice.date(QDate(2010, 1, 1), kToday), QTime(10, 0)));
    const int nationality = m_dice.chance(0.45) ? 1 : m_dice.chance(0.6) ? 2 : m_dice.between(3, 18);
    r.set("id_nationality", nationality);
    r.set("id_citizenship", m_dice.chance(0.85) ? 1 : m_dice.between(2, 6));
    if (m_dice.chance(0.03))
        r.set("id_rang", m_dice.between(1, 6));
    r.set("ZEL_User", kClerk).set("id_soc_pr", m_dice.between(1, 6));
    if (m_dice.chance(0.8)) {
        const QString mail = DemoNames::transliterate(p.name.name).left(1) + QLatin1Char('.')
            + DemoNames::transliterate(p.name.surname) + QStringLiteral("@knu.kg");
        r.set("eMail", mail.left(30));
    }
    if (!p.male && m_dice.chance(0.15)) {
        r.set("first_p26", DemoNames::surname(m_dice.engine(), false).left(25));
        r.set("num_date_f_p26", QStringLiteral("Приказ № %1-к от %2")
                                    .arg(m_dice.between(10, 999))
                                    .arg(m_dice.date(QDate(2000, 1, 1), kToday).toString(QStringLiteral("dd.MM.yyyy"))));
    }
    r.insert();
}

void DemoPersonWriter::writePassport(const DemoPerson& p)
{
    const bool russian = m_dice.chance(0.1);
    m_passport.set("id_teacher", p.id);
    m_passport.set("S_p", russian ? m_dice.digits(2) + QLatin1Char(' ') + m_dice.digits(2) : m_dice.pick({"ID", "AN", "AC"}));
    m_passport.set("N_p", m_dice.digits(russian ? 6 : 7));
    m_passport.set("D_given_p", m_dice.midnight(m_dice.date(std::max(p.birth.addYears(16), QDate(2005, 1, 1)), kToday)));
    m_passport.set("id_passport_organ", m_dice.between(1, DemoReferenceData::rowCount(QStringLiteral("MVD_pasport"))));
    // A few numbers were typed incompletely; the card warns about them.
    if (m_dice.chance(0.9))
        m_passport.set("INN", m_dice.digits(m_dice.chance(0.03) ? 10 : 12));
    m_passport.set("BessrochnyiPasport", m_dice.chance(0.1) ? 1 : 0);
    m_passport.set("ZEL_User", kClerk);
    m_passport.insert();
}

void DemoPersonWriter::writePhoto(const DemoPerson& p)
{
    if (p.id > m_photoLimit || !m_dice.chance(0.75))
        return;
    m_photo.set("id_teacher", p.id).set("ZEL_User", kClerk);
    // Some rows keep their key after the photo itself was removed.
    if (!m_dice.chance(0.05))
        m_photo.set("photo", m_photos[std::size_t(p.id % DemoPhoto::kVariants)]);
    m_photo.insert();
}

void DemoPersonWriter::writePension(const DemoPerson& p)
{
    const QDate granted = p.birth.addYears(p.male ? 63 : 58);
    if (granted > kToday || !m_dice.chance(0.85))
        return;
    m_pension.set("id_teacher", p.id).set("date", m_dice.midnight(granted));
    m_pension.set("id_district", m_districts[std::size_t(m_dice.between(0, int(m_districts.size()) - 1))]);
    m_pension.set("ZEL_user", kClerk).set("pensioner", 1);
    m_pension.insert();
}

void DemoPersonWriter::writeAddresses(const DemoPerson& p)
{
    if (m_dice.chance(0.92)) {
        const Place& place = randomPlace();
        m_birthPlace.set("ZEL_User", kClerk).set("id_teacher", p.id).set("id_republic", place.republic);
        m_birthPlace.set("id_regionKR", place.region).set("id_districtKR", place.district);
        m_birthPlace.set("id_cityKR", place.city).set("id_villageKR", place.village);
        m_birthPlace.insert();
    }
    const Place& home = randomPlace();
    const QString homeStreet = street(m_dice);
    if (m_dice.chance(0.9)) {
        m_livingPlace.set("ZEL_User", kClerk).set("id_teacher", p.id).set("id_republic", home.republic);
        m_livingPlace.set("id_ragionKR", home.region).set("id_districtKR", home.district);
        m_livingPlace.set("id_cityKR", home.city).set("id_villageKR", home.village);
        m_livingPlace.set("Address", homeStreet);
        m_livingPlace.insert();
    }
    if (m_dice.chance(0.9)) {
        const Place& registered = m_dice.chance(0.7) ? home : randomPlace();
        m_registrationPlace.set("id_teacher", p.id).set("id_republic", registered.republic);
        m_registrationPlace.set("id_regionKR", registered.region).set("id_districtKR", registered.district);
        m_registrationPlace.set("id_cityKR", registered.city).set("id_villageKR", registered.village);
        m_registrationPlace.set("Address", &registered == &home ? homeStreet : street(m_dice));
        m_registrationPlace.set("ZEL_User", kClerk);
        m_registrationPlace.set("ZEL_Update", Dice::at(m_dice.date(QDate(2010, 1, 1), kToday), QTime(11, 30)));
        m_registrationPlace.insert();
    }
}

void DemoPersonWriter::writeFamily(const DemoPerson& p)
{
    if (m_dice.chance(0.15))
        return;  // no relatives recorded
    const int age = p.birth.daysTo(kToday) / 365;
    // Family keys: 1 Женат, 2 Замужем, 3 Холост, 4 Не замужем, 5 Разведён, 6 Разведена, 7 Вдовец, 8 Вдова.
    const bool married = age > 24 && m_dice.chance(0.75);
    int status = married ? (p.male ? 1 : 2) : age < 30 ? (p.male ? 3 : 4) : m_dice.chance(0.6) ? (p.male ? 5 : 6) : (p.male ? 7 : 8);
    if (m_dice.chance(0.05))
        status = 9;
    auto relative = [&](int relation, const PersonName& name, const QDate& birth, int job) {
        m_family.set("ZEL_User", kClerk).set("id_teacher", p.id).set("id_family_s", relation);
        m_family.set("p26", name.surname.left(20)).set("p27", name.name.left(20)).set("p28", name.patronymic.left(20));
        m_family.set("Date_of_birth", m_dice.midnight(birth)).set("Address", street(m_dice));
        if (job)
            m_family.set("id_family_job", job);
        if (m_dice.chance(0.6))
            m_family.set("Org_Address", QStringLiteral("г. Бишкек, ") + street(m_dice).section(QLatin1Char(','), 0, 1));
        m_family.set("id_family_status", status);
        m_family.insert();
    };
    if (married) {
        PersonName spouse = DemoNames::random(m_dice.engine(), !p.male);
        spouse.surname = p.male ? DemoNames::femaleSurname(p.name.surname) : DemoNames::surname(m_dice.engine(), true);
        relative(p.male ? 2 : 1, spouse, p.birth.addDays(m_dice.between(-1500, 1500)), m_dice.between(1, 13));
    }
    const int children = age > 25 ? m_dice.between(0, 3) : 0;
    for (int i = 0; i < children; ++i) {
        const bool son = m_dice.chance(0.5);
        PersonName child;
        child.surname = son ? (p.male ? p.name.surname : DemoNames::surname(m_dice.engine(), true))
                            : (p.male ? DemoNames::femaleSurname(p.name.surname) : p.name.surname);
        child.name = son ? DemoNames::maleName(m_dice.engine()) : DemoNames::femaleName(m_dice.engine());
        child.patronymic = DemoNames::random(m_dice.engine(), son).patronymic;
        const QDate birth = p.birth.addYears(m_dice.between(22, 38)).addDays(m_dice.between(0, 300));
        if (birth < kToday)
            relative(son ? 3 : 4, child, birth, birth.daysTo(kToday) / 365 < 7 ? 6 : birth.daysTo(kToday) / 365 < 17 ? 5 : 4);
    }
    if (m_dice.chance(0.3)) {
        PersonName mother = DemoNames::random(m_dice.engine(), false);
        relative(6, mother, p.birth.addYears(-m_dice.between(20, 35)), 3);
    }
}

void DemoPersonWriter::writeMilitary(const DemoPerson& p)
{
    if (!m_dice.chance(p.male ? 0.75 : 0.05))
        return;
    m_military.set("ZEL_User", kClerk).set("id_teacher", p.id);
    m_military.set("id_mil_name", m_dice.between(1, DemoReferenceData::rowCount(QStringLiteral("Mil_name"))));
    m_military.set("id_valid", m_dice.chance(0.8) ? 1 : m_dice.between(2, 5));
    m_military.set("voencom", m_dice.pick({"Ленинский РВК г. Бишкек", "Октябрьский РВК г. Бишкек",
                                           "Первомайский РВК г. Бишкек", "Свердловский РВК г. Бишкек",
                                           "Сокулукский РВК", "Аламудунский РВК"}));
    m_military.set("id_R_voisk", m_dice.between(1, DemoReferenceData::rowCount(QStringLiteral("Mil_R_Voisk"))));
    m_military.set("Sostav", m_dice.chance(0.7) ? QStringLiteral("Солдаты") : QStringLiteral("Офицеры"));
    m_military.set("Voinsk_uchet", m_dice.chance(0.85) ? 1 : 0);
    m_military.set("Vus", m_dice.digits(6));
    m_military.insert();
}

void DemoPersonWriter::writeLanguages(const DemoPerson& p)
{
    const int count = m_dice.between(0, 3);
    const int languages = DemoReferenceData::rowCount(QStringLiteral("languages"));
    int first = m_dice.between(1, languages);
    for (int i = 0; i < count; ++i) {
        m_languages.set("ZEL_User", kClerk).set("id_teacher", p.id);
        m_languages.set("id_lang", (first + i * 3 - 1) % languages + 1).set("id_level", m_dice.between(1, 4));
        m_languages.insert();
    }
}

void DemoPersonWriter::writeMedical(const DemoPerson& p)
{
    const int count = m_dice.chance(0.5) ? m_dice.between(1, 3) : 0;
    for (int i = 0; i < count; ++i) {
        m_medical.set("id_teacher", p.id);
        m_medical.set("medosmotr", m_dice.pick({"Студенческая поликлиника", "ЦСМ № 1 г. Бишкек",
                                                "Городская клиническая больница № 6", "Медцентр университета"}));
        m_medical.set("medosmotr_date", Dice::at(QDate(2026 - count + i, m_dice.between(1, 12), m_dice.between(1, 28)), QTime(9, 15)));
        if (m_dice.chance(0.4))
            m_medical.set("Descpintion", m_dice.pick({"Годен", "Годен без ограничений", "Повторно через 6 мес.",
                                                      "Флюорография в норме"}));
        m_medical.insert();
    }
}

}  // namespace zel::server::demo
