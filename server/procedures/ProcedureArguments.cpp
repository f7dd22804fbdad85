#include "server/procedures/ProcedureArguments.h"

#include "data/DbError.h"

namespace zel::server {

namespace {
QString bare(const QString& name)
{
    return name.startsWith(QLatin1Char('@')) ? name.mid(1) : name;
}
}  // namespace

ProcedureArguments::ProcedureArguments(const QString& procedure, const QStringList& parameters,
                                       const std::vector<ProcedureArgument>& arguments)
    : m_procedure(procedure),
      m_parameters(parameters),
      m_values(std::size_t(parameters.size()))
{
    int position = 0;
    for (const ProcedureArgument& argument : arguments) {
        if (bare(argument.name).compare(QLatin1String("RETURN_VALUE"), Qt::CaseInsensitive) == 0)
            continue;
        int index = -1;
        if (argument.name.isEmpty()) {
            index = position++;
            if (index >= parameters.size())
                throw DbError(QStringLiteral("Procedure or function %1 has too many arguments specified.")
                                  .arg(procedure));
        } else {
            for (int i = 0; i < parameters.size(); ++i)
                if (bare(parameters[i]).compare(bare(argument.name), Qt::CaseInsensitive) == 0)
                    index = i;
            if (index < 0)
                throw DbError(QStringLiteral("%1 is not a parameter for procedure %2.")
                                  .arg(QLatin1Char('@') + bare(argument.name), procedure));
        }
        m_values[std::size_t(index)] = argument.value;
    }
}

QVariant ProcedureArguments::value(int index) const
{
    return m_values[std::size_t(index)];
}

std::optional<qint64> ProcedureArguments::optionalInteger(int index) const
{
    const QVariant v = value(index);
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    qint64 number = 0;
    if (v.metaType().id() == QMetaType::QString) {
        number = v.toString().trimmed().toLongLong(&ok);
    } else if (v.metaType().id() == QMetaType::Double) {
        const double d = v.toDouble();
        ok = d == double(qint64(d));
        number = qint64(d);
    } else {
        number = v.toLongLong(&ok);
    }
    if (!ok)
        throw DbError(QStringLiteral("Error converting data type varchar to int."));
    return number;
}

qint64 ProcedureArguments::requiredInteger(int index) const
{
    const std::optional<qint64> number = optionalInteger(index);
    if (!number)
        throw DbError(QStringLiteral("Procedure or function '%1' expects parameter '%2', which was not supplied.")
                          .arg(m_procedure, m_parameters[index]));
    return *number;
}

QString ProcedureArguments::text(int index) const
{
    const QVariant v = value(index);
    return v.isNull() ? QString() : v.toString();
}

}  // namespace zel::server
