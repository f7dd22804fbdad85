#include "history/HistorySections.h"

namespace zel::HistorySections {

const std::vector<Section>& All()
{
    static const std::vector<Section> sections = {
        {"Teacher", "Сотрудник"},
        {"Teacher_info", "Личные данные"},
        {"Pasport", "Паспорт"},
        {"Photo", "Фото"},
        {"Place_of_birth", "Место рождения"},
        {"Place_leave", "Место жительства"},
        {"Place_of_residence", "Место прописки"},
        {"Pensioners", "Пенсия"},
        {"Family", "Родственники"},
        {"Experience", "Стаж"},
        {"Work", "Трудовая деятельность"},
        {"Kvalification", "Повышение квалификации"},
        {"Nagrada", "Награды"},
        {"Abroad", "Загранкомандировки"},
        {"Elect_org", "Выборные органы"},
        {"Partia", "Партийность"},
        {"Holiday", "Отпуска"},
        {"Mil_card", "Воинский учет"},
        {"Language_options", "Знание языков"},
        {"Educ", "Образование"},
    };
    return sections;
}

QString Caption(const QString& label)
{
    for (const Section& section : All())
        if (label.compare(QLatin1String(section.label), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(section.caption);
    return label;
}

}  // namespace zel::HistorySections
