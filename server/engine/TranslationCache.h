#pragma once

#include "server/engine/SqlToken.h"
#include "server/engine/TranslatedStatement.h"

#include <QHash>
#include <QString>

#include <vector>

namespace zel::server {

class DialectTranslator;
class SchemaCatalog;

/// The translations of the batches one session received. A batch that differs
/// from an earlier one only in its literal values reuses that translation with
/// the new values bound (read as their columns' types again), so loading the
/// card of another employee parses nothing. A batch whose literals shape the
/// translation itself (TOP n, type lengths, EXEC arguments) is translated anew.
class TranslationCache {
public:
    TranslationCache(const DialectTranslator& translator, SchemaCatalog& catalog);

    /// Valid until the next call. A name the catalog does not know makes it
    /// reload the catalog once and try again. Throws zel::DbError.
    const std::vector<TranslatedStatement>& translate(const QString& batch, const QString& dateFormat);

    int size() const { return int(m_templates.size()); }

private:
    std::vector<TranslatedStatement> translateAnew(const QString& batch, const std::vector<SqlToken>& tokens,
                                                   const QString& dateFormat);
    static bool isTemplate(const std::vector<TranslatedStatement>& statements, const std::vector<int>& literals);
    static QVariant literalValue(const SqlToken& token);

    const DialectTranslator& m_translator;
    SchemaCatalog& m_catalog;
    int m_generation = -1;
    QHash<QString, std::vector<TranslatedStatement>> m_templates;
    std::vector<TranslatedStatement> m_current;
};

}  // namespace zel::server
