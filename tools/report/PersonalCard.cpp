#include "tools/report/PersonalCard.h"

namespace zel::report {

QString PersonalCard::fullName() const
{
    QStringList parts;
    for (const QString& part : {surname, name, patronymic})
        if (!part.isEmpty())
            parts << part;
    return parts.join(u' ');
}

}  // namespace zel::report
