#pragma once

#include "data/Driver.h"

#include <QString>
#include <QVariant>

namespace zel {

/// One parameter of a stored procedure: name, type, direction, nullable, value.
struct TParameter {
    using Direction = db::ProcedureParameter::Direction;

    QString Name;                          ///< "@NewStatus"; "@RETURN_VALUE" at position 0
    db::SqlType DataType = db::SqlType::Int;
    Direction ParamDirection = Direction::Input;
    bool Nullable = true;
    QVariant Value;                        ///< null QVariant = NULL
};

}  // namespace zel
