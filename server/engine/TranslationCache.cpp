#include "server/engine/TranslationCache.h"

#include "data/DbError.h"
#include "server/engine/DialectTranslator.h"
#include "server/engine/SchemaCatalog.h"
#include "server/engine/SqlParser.h"

#include <algorithm>

namespace zel::server {

namespace {
constexpr int kCapacity = 256;
}

TranslationCache::TranslationCache(const DialectTranslator& translator, SchemaCatalog& catalog)
    : m_translator(translator), m_catalog(catalog)
{
}

QVariant TranslationCache::literalValue(const SqlToken& token)
{
    switch (token.kind) {
    case SqlToken::Kind::String:
        return token.text;
    case SqlToken::Kind::Number:
        return SqlParser::isIntegerLiteral(token.text) ? QVariant(token.text.toLongLong()) : QVariant(token.text.toDouble());
    case SqlToken::Kind::Binary: {
        QString hex = token.text;
        if (hex.size() % 2)
            hex.prepend(u'0');
        return QByteArray::fromHex(hex.toLatin1());
    }
    default:
        return {};
    }
}

bool TranslationCache::isTemplate(const std::vector<TranslatedStatement>& statements, const std::vector<int>& literals)
{
    std::vector<int> bound;
    for (const auto& st : statements) {
        if (st.kind == TranslatedStatement::Kind::Procedure)
            return false;
        for (const auto& source : st.parameterSources) {
            if (source.token < 0)
                return false;
            bound.push_back(source.token);
        }
    }
    std::sort(bound.begin(), bound.end());
    return bound == literals;  // every literal became exactly one parameter
}

std::vector<TranslatedStatement> TranslationCache::translateAnew(const QString& batch, const std::vector<SqlToken>& tokens,
                                                                 const QString& dateFormat)
{
    try {
        return m_translator.translate(batch, tokens, dateFormat);
    } catch (const DbError& e) {
        // Another connection may have created the object since the catalog was read.
        const int generation = m_catalog.generation();
        if (e.kind() != DbError::Kind::InvalidObject)
            throw;
        m_catalog.refreshIfChanged();
        if (m_catalog.generation() == generation)
            throw;
        m_templates.clear();
        m_generation = m_catalog.generation();
        return m_translator.translate(batch, tokens, dateFormat);
    }
}

const std::vector<TranslatedStatement>& TranslationCache::translate(const QString& batch, const QString& dateFormat)
{
    if (m_generation != m_catalog.generation()) {
        m_templates.clear();  // column pointers of the old catalog are gone
        m_generation = m_catalog.generation();
    }
    const std::vector<SqlToken> tokens = SqlParser::tokenize(batch);

    // The key: the batch with every literal replaced by a marker of its kind.
    QString key;
    key.reserve(batch.size() + dateFormat.size() + 2 * qsizetype(tokens.size()));
    key += dateFormat;
    std::vector<int> literals;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        key += u'\x1e';
        switch (t.kind) {
        case SqlToken::Kind::String:
            // The length is part of the shape: it decides the declared length of a computed text.
            key += u'\'';
            key += QString::number(t.text.size());
            literals.push_back(int(i));
            break;
        case SqlToken::Kind::Number:
            key += SqlParser::isIntegerLiteral(t.text) ? u'#' : u'~';
            literals.push_back(int(i));
            break;
        case SqlToken::Kind::Binary:
            key += u'x';
            literals.push_back(int(i));
            break;
        default:
            key += QChar(u'a' + int(t.kind));
            key += t.text;
            break;
        }
    }

    const auto found = m_templates.constFind(key);
    if (found != m_templates.constEnd()) {
        m_current = *found;
        for (auto& st : m_current) {
            for (std::size_t i = 0; i < st.parameters.size(); ++i) {
                const auto& source = st.parameterSources[i];
                QVariant value = literalValue(tokens[std::size_t(source.token)]);
                st.parameters[i] = source.coercion ? SqlEmitter::coerceValue(value, *source.coercion, st.dateFormat) : value;
            }
        }
        return m_current;
    }

    m_current = translateAnew(batch, tokens, dateFormat);
    if (isTemplate(m_current, literals)) {
        if (m_templates.size() >= kCapacity)
            m_templates.clear();
        m_templates.insert(key, m_current);
    }
    return m_current;
}

}  // namespace zel::server
