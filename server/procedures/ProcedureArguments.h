#pragma once

#include "server/ServerHooks.h"

#include <QStringList>

#include <optional>

namespace zel::server {

/// The arguments of one EXEC matched to a procedure's declared parameters:
/// positional ones in order, named ones by name ("@id_teacher" or
/// "id_teacher", any letter case). "@RETURN_VALUE" is not an argument and is
/// skipped. Mismatches raise zel::DbError with SQL Server's wording.
class ProcedureArguments {
public:
    ProcedureArguments(const QString& procedure, const QStringList& parameters,
                       const std::vector<ProcedureArgument>& arguments);

    /// The value given for parameter index (null QVariant when NULL or not given).
    QVariant value(int index) const;
    bool isNull(int index) const { return value(index).isNull(); }

    /// Integer value; raises "expects parameter" when NULL or missing and a
    /// conversion error for text that is not a whole number.
    qint64 requiredInteger(int index) const;
    std::optional<qint64> optionalInteger(int index) const;
    QString text(int index) const;  ///< empty for NULL

private:
    QString m_procedure;
    QStringList m_parameters;
    std::vector<QVariant> m_values;
};

}  // namespace zel::server
