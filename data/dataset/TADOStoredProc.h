#pragma once

#include "data/dataset/TDataSet.h"
#include "data/dataset/TParameter.h"

#include <vector>

namespace zel {

/// A stored procedure called by name with a list of parameters set by position
/// (position 0 is the return value). ExecProc runs it without reading rows; output
/// parameters receive their values.
class TADOStoredProc : public TDataSet {
public:
    explicit TADOStoredProc(const QString& name = QString()) : TDataSet(name) {}

    const QString& ProcedureName() const { return m_procedureName; }
    void SetProcedureName(const QString& name);

    std::vector<TParameter>& Parameters() { return m_parameters; }
    const std::vector<TParameter>& Parameters() const { return m_parameters; }
    /// The parameter at a position; throws DataError outside the list.
    TParameter& Parameter(int position);
    /// By name without regard to letter case ("@NewStatus" or "NewStatus"); throws DataError.
    TParameter& ParamByName(const QString& name);

    /// Runs the procedure without reading rows. A parameter that is not nullable and
    /// holds NULL is refused with DataError before anything is sent.
    void ExecProc();

protected:
    /// Open is not offered: the procedures of this kind return no rows.
    QString commandText() const override;

private:
    QString m_procedureName;
    std::vector<TParameter> m_parameters;
};

}  // namespace zel
