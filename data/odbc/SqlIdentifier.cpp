#include "data/odbc/SqlIdentifier.h"

#include <QStringList>

namespace zel::db {

namespace {
QString quotePart(const QString& part)
{
    if (part.size() >= 2 && part.startsWith(u'[') && part.endsWith(u']'))
        return part;
    QString escaped = part;
    escaped.replace(u']', QStringLiteral("]]"));
    return u'[' + escaped + u']';
}
}  // namespace

QString SqlIdentifier::quote(const QString& name)
{
    // A dot inside brackets belongs to the name.
    QStringList parts;
    QString current;
    bool inBrackets = false;
    for (const QChar c : name) {
        if (c == u'[' && current.isEmpty())
            inBrackets = true;
        else if (c == u']' && inBrackets)
            inBrackets = false;
        if (c == u'.' && !inBrackets) {
            parts << current;
            current.clear();
            continue;
        }
        current += c;
    }
    parts << current;
    for (QString& part : parts)
        part = quotePart(part);
    return parts.join(u'.');
}

}  // namespace zel::db
