#include "ConnectionParams.h"

#include <QStringList>

namespace zel::db {

ConnectionParams ConnectionParams::parse(const QString& connectionString)
{
    ConnectionParams params;
    const QStringList parts = connectionString.split(u';');
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty())
            continue;
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            params.m_pairs.emplace_back(part.trimmed(), QString());
        else
            params.m_pairs.emplace_back(part.left(eq).trimmed(), part.mid(eq + 1));
    }
    return params;
}

QString ConnectionParams::value(const QString& key) const
{
    for (const auto& [k, v] : m_pairs)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

bool ConnectionParams::contains(const QString& key) const
{
    for (const auto& pair : m_pairs)
        if (pair.first.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace zel::db
