#pragma once

#include <QString>

#include <random>

namespace zel::server::demo {

struct PersonName {
    QString surname;
    QString name;
    QString patronymic;
};

/// Russian (and some Kyrgyz) surnames, names and patronymics of either sex,
/// including letters "Ё" and names with an apostrophe.
class DemoNames {
public:
    static PersonName random(std::mt19937& random, bool male);
    static QString surname(std::mt19937& random, bool male);
    static QString maleName(std::mt19937& random);
    static QString femaleName(std::mt19937& random);
    /// The female form of a surname: Иванов -> Иванова, Толстой -> Толстая; others unchanged.
    static QString femaleSurname(const QString& male);
    /// Latin letters for e-mail addresses.
    static QString transliterate(const QString& text);
};

}  // namespace zel::server::demo
