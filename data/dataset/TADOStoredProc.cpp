#include "data/dataset/TADOStoredProc.h"

#include "data/DbError.h"
#include "data/Driver.h"

namespace zel {

void TADOStoredProc::SetProcedureName(const QString& name)
{
    Close();
    m_procedureName = name;
}

TParameter& TADOStoredProc::Parameter(int position)
{
    if (position < 0 || position >= int(m_parameters.size()))
        throw DataError(QStringLiteral("%1: нет параметра с номером %2.").arg(Name()).arg(position));
    return m_parameters[std::size_t(position)];
}

TParameter& TADOStoredProc::ParamByName(const QString& name)
{
    const QString wanted = name.startsWith(u'@') ? name.mid(1) : name;
    for (TParameter& parameter : m_parameters) {
        const QString own = parameter.Name.startsWith(u'@') ? parameter.Name.mid(1) : parameter.Name;
        if (own.compare(wanted, Qt::CaseInsensitive) == 0)
            return parameter;
    }
    throw DataError(QStringLiteral("%1: параметр '%2' не найден.").arg(Name(), name));
}

void TADOStoredProc::ExecProc()
{
    if (m_procedureName.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задано имя процедуры.").arg(Name()));
    std::vector<db::ProcedureParameter> call;
    call.reserve(m_parameters.size());
    for (const TParameter& parameter : m_parameters) {
        if (!parameter.Nullable && parameter.Value.isNull()
            && parameter.ParamDirection != TParameter::Direction::ReturnValue
            && parameter.ParamDirection != TParameter::Direction::Output)
            throw DataError(QStringLiteral("%1: параметр '%2' должен иметь значение.")
                                .arg(Name(), parameter.Name));
        call.push_back({parameter.Name, parameter.DataType, parameter.ParamDirection, parameter.Value});
    }
    driver().callProcedure(m_procedureName, call);
    for (std::size_t i = 0; i < call.size() && i < m_parameters.size(); ++i)
        if (m_parameters[i].ParamDirection != TParameter::Direction::Input)
            m_parameters[i].Value = call[i].value;
}

QString TADOStoredProc::commandText() const
{
    throw DataError(QStringLiteral("%1: процедура не возвращает набор записей; используйте ExecProc.")
                        .arg(Name()));
}

}  // namespace zel
