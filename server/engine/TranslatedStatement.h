#pragma once

#include "server/ServerHooks.h"
#include "server/engine/SqlEmitter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace zel::server {

/// One statement of a batch, ready for SQLite (or for the engine itself).
struct TranslatedStatement {
    enum class Kind {
        Query,      ///< returns rows
        Write,      ///< INSERT, UPDATE, DELETE
        Procedure,  ///< EXEC of a native procedure
        SetOption,  ///< SET DATEFORMAT, SET NOCOUNT ...
    };
    Kind kind = Kind::Query;
    QString sql;                     ///< SQLite text with numbered placeholders
    std::vector<QVariant> parameters;
    std::vector<SqlEmitter::ParameterSource> parameterSources;  ///< one per parameter
    QString dateFormat;              ///< in effect for this statement
    QString sourceText;              ///< the text it was first translated from
    QString verb;                    ///< "INSERT", "UPDATE", "DELETE" for a write
    QString table;                   ///< target of a write, as stored
    bool readsTables = false;        ///< a write that also reads (INSERT ... SELECT, subqueries)
    QStringList tablesRead;          ///< base tables named in FROM clauses
    QHash<QString, int> resultTextSizes;  ///< lengths of computed text columns, by lower-case name

    QString procedure;               ///< as registered
    std::vector<ProcedureArgument> arguments;
    ProcedureInfo procedureInfo;

    QString option;
    QString optionValue;
};

}  // namespace zel::server
