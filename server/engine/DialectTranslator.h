#pragma once

#include "server/engine/SqlToken.h"
#include "server/engine/TranslatedStatement.h"

#include <QString>

#include <vector>

namespace zel::server {

class AccessPolicy;
class SchemaCatalog;
struct SqlStatement;

/// Turns a batch in the server's dialect into SQLite statements: names resolved
/// without regard to case, TOP, ISNULL, "+" on texts, date literals read in the
/// connection's date format, EXEC of native procedures. Every statement of the
/// batch is checked (syntax, names, permissions) before the caller runs any.
class DialectTranslator {
public:
    DialectTranslator(const SchemaCatalog& catalog, const AccessPolicy& policy);

    /// dateFormat is the connection's current one; a SET DATEFORMAT inside the
    /// batch applies to the statements after it. Throws zel::DbError.
    std::vector<TranslatedStatement> translate(const QString& batch, const QString& dateFormat) const;
    /// The same with the batch's tokens already made (SqlParser::tokenize).
    std::vector<TranslatedStatement> translate(const QString& batch, std::vector<SqlToken> tokens,
                                               const QString& dateFormat) const;

private:
    TranslatedStatement translateOne(const SqlStatement& statement, QString& dateFormat) const;
    void translateInsert(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const;
    void translateUpdate(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const;
    void translateDelete(const SqlStatement& s, TranslatedStatement& out, const QString& dateFormat) const;
    void translateExec(const SqlStatement& s, TranslatedStatement& out) const;

    const SchemaCatalog& m_catalog;
    const AccessPolicy& m_policy;
};

}  // namespace zel::server
