#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <initializer_list>
#include <random>

namespace zel::server::demo {

/// The demo generator's random choices, reproducible from a seed.
class Dice {
public:
    explicit Dice(quint32 seed) : m_random(seed) {}

    bool chance(double probability) { return std::uniform_real_distribution<double>(0, 1)(m_random) < probability; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    double real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(m_random); }
    QDate date(const QDate& from, const QDate& to) { return from.addDays(between(0, int(from.daysTo(to)))); }
    /// Date-times without a time zone (UTC), so that no local-time rules are consulted.
    static QDateTime at(const QDate& day, const QTime& time) { return QDateTime(day, time, Qt::UTC); }
    QDateTime midnight(const QDate& day) { return at(day, QTime(0, 0)); }
    QString digits(int count)
    {
        QString out;
        for (int i = 0; i < count; ++i)
            out += QChar(u'0' + between(0, 9));
        return out;
    }
    QString pick(std::initializer_list<const char*> texts)
    {
        return QString::fromUtf8(*(texts.begin() + between(0, int(texts.size()) - 1)));
    }
    std::mt19937& engine() { return m_random; }

private:
    std::mt19937 m_random;
};

}  // namespace zel::server::demo
