#include "server/demo/DemoReferenceParts.h"

#include <initializer_list>

namespace zel::server::demo::parts {

namespace {
// A leading "~" marks a place that is kept but no longer offered (visible = 0).
struct DistrictSeed {
    const char* name;
    std::initializer_list<const char*> cities;
    std::initializer_list<const char*> villages;
};
struct RegionSeed {
    const char* name;
    std::initializer_list<DistrictSeed> districts;
};
struct RepublicSeed {
    const char* name;
    std::initializer_list<RegionSeed> regions;
};

const std::initializer_list<RepublicSeed> kHierarchy = {
    {"Кыргызская Республика", {
        {"Чуйская область", {
            {"Аламудунский район", {}, {"Лебединовка", "Васильевка", "Байтик", "Кой-Таш", "Таш-Добо"}},
            {"Сокулукский район", {"Шопоков"}, {"Сокулук", "Новопавловка", "Гавриловка", "Кун-Туу"}},
            {"Московский район", {}, {"Беловодское", "Петровка", "Александровка"}},
            {"Жайылский район", {"Кара-Балта"}, {"Сосновка", "Ак-Башат", "Суусамыр"}},
            {"Панфиловский район", {"Кайынды"}, {"Панфиловское"}},
            {"Ысык-Атинский район", {"Кант"}, {"Ивановка", "Люксембург", "Ново-Покровка"}},
            {"Кеминский район", {"Кемин", "Орловка"}, {"Ак-Тюз"}},
            {"Чуйский район", {"Токмок"}, {"Чуй", "Ак-Бешим"}},
            {"~Калининский район", {}, {"Калининское"}},
        }},
        {"Иссык-Кульская область", {
            {"Ак-Суйский район", {"Каракол"}, {"Теплоключенка", "Ак-Суу"}},
            {"Джети-Огузский район", {}, {"Кызыл-Суу", "Джети-Огуз", "Липенка"}},
            {"Иссык-Кульский район", {"Чолпон-Ата", "Балыкчы"}, {"Бостери", "Чок-Тал"}},
            {"Тонский район", {}, {}},
            {"Тюпский район", {}, {"Тюп", "Сары-Булак"}},
        }},
        {"Нарынская область", {
            {"Нарынский район", {"Нарын"}, {"Эмгекчил"}},
            {"Ат-Башинский район", {}, {"Ат-Баши", "Кара-Суу"}},
            {"Кочкорский район", {}, {"Кочкор"}},
        }},
        {"Ошская область", {
            {"Кара-Сууский район", {"Кара-Суу"}, {"Нариман", "~Кашгар-Кыштак"}},
            {"Узгенский район", {"Узген"}, {"Мырза-Аке"}},
            {"Алайский район", {}, {"Гульча", "Сары-Таш"}},
            {"Ноокатский район", {"Ноокат"}, {}},
        }},
        {"Джалал-Абадская область", {
            {"Сузакский район", {"Джалал-Абад"}, {"Сузак", "Барпы"}},
            {"Базар-Коргонский район", {}, {"Базар-Коргон"}},
            {"Токтогульский район", {"Токтогул"}, {}},
        }},
        {"город Бишкек", {
            {"Ленинский район", {"Бишкек"}, {}},
            {"Октябрьский район", {"Бишкек"}, {}},
            {"Первомайский район", {"Бишкек"}, {}},
            {"Свердловский район", {"Бишкек"}, {}},
        }},
        {"~Фрунзенская область", {
            {"~Кантский район", {}, {"~Ивановка"}},
        }},
    }},
    {"Российская Федерация", {
        {"Новосибирская область", {
            {"Новосибирский район", {"Новосибирск", "~Обь"}, {"Криводановка", "Толмачёво"}},
            {"Искитимский район", {"Искитим"}, {"Линёво"}},
        }},
        {"Московская область", {
            {"Одинцовский район", {"Одинцово", "Звенигород"}, {"Жаворонки", "Немчиновка"}},
            {"Мытищинский район", {"Мытищи"}, {"Пироговский"}},
        }},
    }},
    {"Республика Казахстан", {
        {"Алматинская область", {
            {"Илийский район", {"Конаев"}, {"Отеген-Батыр", "Боралдай"}},
            {"Карасайский район", {"Каскелен"}, {"Шамалган"}},
        }},
    }},
    {"Республика Узбекистан", {}},
    {"Республика Таджикистан", {}},
    {"~Союз Советских Социалистических Республик", {}},
};

struct Named {
    QString name;
    int visible;
};

Named named(const char* text)
{
    const QString name = QString::fromUtf8(text);
    if (name.startsWith(QLatin1Char('~')))
        return {name.mid(1), 0};
    return {name, 1};
}

SeedTable seed(const char* table, std::initializer_list<const char*> columns)
{
    SeedTable t{QString::fromUtf8(table), {}, {}};
    for (const char* c : columns)
        t.columns << QString::fromUtf8(c);
    return t;
}
}  // namespace

std::vector<SeedTable> addresses()
{
    SeedTable republics = seed("Republics", {"id_republics", "republic", "visible", "ZEL_user"});
    SeedTable regions = seed("RegionKR", {"IDRegion", "NameRegion", "id_republic", "visible"});
    SeedTable districts = seed("DistrictKR", {"IDDistrict", "NameDistrict", "IDRegion", "visible"});
    SeedTable cities = seed("CityKR", {"IDCity", "NameCity", "IDDistrict", "visible"});
    SeedTable villages = seed("VillageKR", {"IDVillage", "NameVillage", "IDDistrict", "visible"});

    for (const RepublicSeed& republic : kHierarchy) {
        const int republicId = int(republics.rows.size()) + 1;
        const Named r = named(republic.name);
        republics.rows.push_back({republicId, r.name, r.visible, QStringLiteral("admin")});
        for (const RegionSeed& region : republic.regions) {
            const int regionId = int(regions.rows.size()) + 1;
            const Named g = named(region.name);
            regions.rows.push_back({regionId, g.name, republicId, g.visible});
            for (const DistrictSeed& district : region.districts) {
                const int districtId = int(districts.rows.size()) + 1;
                const Named d = named(district.name);
                districts.rows.push_back({districtId, d.name, regionId, d.visible});
                for (const char* city : district.cities) {
                    const Named c = named(city);
                    cities.rows.push_back({int(cities.rows.size()) + 1, c.name, districtId, c.visible});
                }
                for (const char* village : district.villages) {
                    const Named v = named(village);
                    villages.rows.push_back({int(villages.rows.size()) + 1, v.name, districtId, v.visible});
                }
            }
        }
    }

    SeedTable countries = seed("Country", {"id_country", "country", "code"});
    const struct { const char* name; const char* code; } countryList[] = {
        {"Кыргызстан", "KGZ"}, {"Россия", "RUS"},   {"Казахстан", "KAZ"}, {"Узбекистан", "UZB"},
        {"Таджикистан", "TJK"}, {"Германия", "DEU"}, {"Турция", "TUR"},    {"Китай", "CHN"},
        {"США", "USA"},
    };
    for (const auto& c : countryList)
        countries.rows.push_back({int(countries.rows.size()) + 1, QString::fromUtf8(c.name), QString::fromUtf8(c.code)});

    SeedTable citizenship = seed("Citizenship", {"IDCitizenship", "Citizenship", "id_country"});
    const struct { const char* name; QVariant country; } citizenshipList[] = {
        {"Кыргызская Республика", 1}, {"Российская Федерация", 2}, {"Республика Казахстан", 3},
        {"Республика Узбекистан", 4}, {"Республика Таджикистан", 5}, {"Без гражданства", QVariant()},
    };
    for (const auto& c : citizenshipList)
        citizenship.rows.push_back({int(citizenship.rows.size()) + 1, QString::fromUtf8(c.name), c.country});

    return {republics, regions, districts, cities, villages, countries, citizenship};
}

}  // namespace zel::server::demo::parts
