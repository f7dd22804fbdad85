#include "data/dataset/KeyIndex.h"

#include <cmath>

namespace zel {

void KeyIndex::clear()
{
    m_numbers.clear();
    m_texts.clear();
    m_built = false;
}

void KeyIndex::reserve(int count)
{
    m_numbers.reserve(std::size_t(count));
}

bool KeyIndex::asInteger(const QVariant& value, qint64* out)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        *out = value.toLongLong();
        return true;
    case QMetaType::ULongLong:
        *out = qint64(value.toULongLong());
        return true;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.2e18) {
            *out = qint64(d);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void KeyIndex::add(const QVariant& value, int position)
{
    if (value.isNull())
        return;
    qint64 number = 0;
    if (asInteger(value, &number))
        m_numbers.try_emplace(number, position);
    else if (!m_texts.contains(value.toString()))
        m_texts.insert(value.toString(), position);
}

int KeyIndex::find(const QVariant& value) const
{
    if (value.isNull())
        return -1;
    qint64 number = 0;
    if (asInteger(value, &number)) {
        const auto it = m_numbers.find(number);
        if (it != m_numbers.end())
            return it->second;
        return m_texts.value(value.toString(), -1);
    }
    const QString text = value.toString();
    const auto it = m_texts.constFind(text);
    if (it != m_texts.constEnd())
        return it.value();
    bool ok = false;
    number = text.trimmed().toLongLong(&ok);
    if (ok) {
        const auto found = m_numbers.find(number);
        if (found != m_numbers.end())
            return found->second;
    }
    return -1;
}

}  // namespace zel
