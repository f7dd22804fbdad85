#include "server/demo/DemoNames.h"

#include <QHash>

#include <iterator>

namespace zel::server::demo {

namespace {
const char* const kSurnames[] = {
    "Иванов", "Смирнов", "Кузнецов", "Попов", "Васильев", "Петров", "Соколов", "Михайлов", "Новиков",
    "Фёдоров", "Морозов", "Волков", "Алексеев", "Лебедев", "Семёнов", "Егоров", "Павлов", "Козлов",
    "Степанов", "Николаев", "Орлов", "Андреев", "Макаров", "Никитин", "Захаров", "Зайцев", "Соловьёв",
    "Борисов", "Яковлев", "Григорьев", "Романов", "Воробьёв", "Сергеев", "Королёв", "Ковалёв", "Гусев",
    "Титов", "Кузьмин", "Белов", "Комаров", "Киселёв", "Толстой", "Достоевский", "Вишневский",
    "Шевченко", "Бондаренко", "Ким", "Цой", "Д'Арк", "Д'Артаньян", "Асанов", "Исаков", "Джумабаев",
    "Токтогулов", "Осмонов", "Абдыкадыров", "Мамытов", "Сыдыков", "Бакиев", "Алиев",
};

struct MaleName {
    const char* name;
    const char* patronymicMale;
    const char* patronymicFemale;
};
const MaleName kMaleNames[] = {
    {"Александр", "Александрович", "Александровна"}, {"Сергей", "Сергеевич", "Сергеевна"},
    {"Дмитрий", "Дмитриевич", "Дмитриевна"},       {"Андрей", "Андреевич", "Андреевна"},
    {"Алексей", "Алексеевич", "Алексеевна"},       {"Максим", "Максимович", "Максимовна"},
    {"Владимир", "Владимирович", "Владимировна"},  {"Николай", "Николаевич", "Николаевна"},
    {"Михаил", "Михайлович", "Михайловна"},        {"Иван", "Иванович", "Ивановна"},
    {"Пётр", "Петрович", "Петровна"},              {"Фёдор", "Фёдорович", "Фёдоровна"},
    {"Семён", "Семёнович", "Семёновна"},           {"Артём", "Артёмович", "Артёмовна"},
    {"Илья", "Ильич", "Ильинична"},                {"Никита", "Никитич", "Никитична"},
    {"Лев", "Львович", "Львовна"},                 {"Павел", "Павлович", "Павловна"},
    {"Виктор", "Викторович", "Викторовна"},        {"Юрий", "Юрьевич", "Юрьевна"},
    {"Олег", "Олегович", "Олеговна"},              {"Евгений", "Евгеньевич", "Евгеньевна"},
    {"Константин", "Константинович", "Константиновна"}, {"Григорий", "Григорьевич", "Григорьевна"},
    {"Бакыт", "Бакытович", "Бакытовна"},           {"Марат", "Маратович", "Маратовна"},
    {"Азамат", "Азаматович", "Азаматовна"},        {"Нурлан", "Нурланович", "Нурлановна"},
};

const char* const kFemaleNames[] = {
    "Алёна", "Ольга", "Наталья", "Татьяна", "Елена", "Ирина", "Светлана", "Анна", "Мария", "Екатерина",
    "Юлия", "Людмила", "Галина", "Надежда", "Ксения", "Дарья", "Валентина", "Нина", "Зоя", "Жанна",
    "Фёкла", "Пелагея", "Айгуль", "Гульнара", "Динара", "Асель", "Чолпон", "Айнура",
};

template <typename T, std::size_t N>
const T& pick(std::mt19937& random, const T (&items)[N])
{
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}
}  // namespace

QString DemoNames::femaleSurname(const QString& male)
{
    if (male.endsWith(QStringLiteral("ский")))
        return male.chopped(2) + QStringLiteral("ая");
    if (male.endsWith(QStringLiteral("ой")))
        return male.chopped(2) + QStringLiteral("ая");
    for (const QString& ending : {QStringLiteral("ов"), QStringLiteral("ёв"), QStringLiteral("ев"),
                                 QStringLiteral("ин")})
        if (male.endsWith(ending))
            return male + QStringLiteral("а");
    return male;
}

QString DemoNames::surname(std::mt19937& random, bool male)
{
    const QString base = QString::fromUtf8(pick(random, kSurnames));
    return male ? base : femaleSurname(base);
}

QString DemoNames::maleName(std::mt19937& random)
{
    return QString::fromUtf8(pick(random, kMaleNames).name);
}

QString DemoNames::femaleName(std::mt19937& random)
{
    return QString::fromUtf8(pick(random, kFemaleNames));
}

PersonName DemoNames::random(std::mt19937& random, bool male)
{
    PersonName person;
    person.surname = surname(random, male);
    person.name = male ? maleName(random) : femaleName(random);
    const MaleName& father = pick(random, kMaleNames);
    person.patronymic = QString::fromUtf8(male ? father.patronymicMale : father.patronymicFemale);
    return person;
}

QString DemoNames::transliterate(const QString& text)
{
    static const QHash<QChar, QString> table = [] {
        QHash<QChar, QString> t;
        const QString cyrillic = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        const char* const latin[] = {"a", "b", "v", "g", "d", "e", "e", "zh", "z", "i", "y", "k", "l",
                                     "m", "n", "o", "p", "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh",
                                     "sch", "", "y", "", "e", "yu", "ya"};
        for (qsizetype i = 0; i < cyrillic.size(); ++i)
            t.insert(cyrillic[i], QString::fromLatin1(latin[i]));
        return t;
    }();
    QString out;
    for (const QChar c : text.toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c;
        else
            out += table.value(c);
    }
    return out;
}

}  // namespace zel::server::demo
