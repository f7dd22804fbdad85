#pragma once

#include "server/engine/SqlAst.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace zel::server {

class AccessPolicy;
class SchemaCatalog;
struct CatalogColumn;
struct CatalogTable;

/// What a value is, as far as the statement text tells: decides whether "+"
/// joins texts or adds numbers and how a date literal is read.
enum class ValueClass { Unknown, Null, Text, Number, Date, Binary };

/// Writes parsed selects and expressions as SQLite text. Names are resolved
/// against the catalog (letter case ignored, "dbo." and the database name
/// dropped); literals become numbered parameters so that statements differing
/// only in their values share one prepared statement.
class SqlEmitter {
public:
    struct Value {
        QString sql;
        ValueClass cls = ValueClass::Unknown;
        const CatalogColumn* column = nullptr;  ///< set for a plain column reference
        int parameter = -1;                     ///< set for a literal bound as a parameter
        bool textLiteral = false;
        int size = 0;  ///< length of a text as the server would declare it; 0 unknown, -1 max
        /// For "(a op b)" as written by binary(): op, and the text as written, so
        /// that a chain of one operator is written "(a op b op c)" rather than
        /// nested ever deeper, which SQLite's parser cannot take past ~100 levels.
        QString chainOperator;
        QString chainText;
    };

    struct Source {
        QString qualifier;                  ///< the alias, or the table's name
        QString sqlName;                    ///< how the emitted text names it
        const CatalogTable* table = nullptr;  ///< null for a derived table
    };

    struct Scope {
        std::vector<Source> sources;
        const Scope* parent = nullptr;
        QHash<QString, ValueClass> aliases;  ///< result column names (lower case) of the select
        QHash<QString, int> textSizes;       ///< declared lengths of its computed text columns
        bool orderBy = false;                ///< resolving ORDER BY terms: aliases come first
        bool inCompound = false;             ///< a later part of a UNION, EXCEPT or INTERSECT
    };

    SqlEmitter(const SchemaCatalog& catalog, const AccessPolicy& policy, const QString& dateFormat);

    QString select(const SqlSelect& select, const Scope* parent = nullptr);
    Value expression(const SqlExpr& expr, const Scope& scope);

    /// Resolves a (multi-part) table name; throws "Invalid object name".
    const CatalogTable& resolveTable(const QStringList& parts) const;
    /// Reads a bound text literal as a value of column's type (dates per the date
    /// format, numbers); throws the server's conversion error when it cannot.
    void coerceLiteral(Value& literal, const CatalogColumn& column);

    /// Where a bound value came from: the literal token it was written as, and
    /// the column whose type it was read as (dates, numbers), if any.
    struct ParameterSource {
        int token = -1;
        const CatalogColumn* coercion = nullptr;
    };

    /// Adds a bound value and returns its placeholder ("?3").
    QString bind(const QVariant& value, int token = -1);
    std::vector<QVariant> takeParameters() { return std::move(m_parameters); }
    std::vector<ParameterSource> takeParameterSources() { return std::move(m_sources); }

    /// A literal's value read as column's type; throws the server's conversion error.
    static QVariant coerceValue(const QVariant& literal, const CatalogColumn& column, const QString& dateFormat);
    /// Base tables named in FROM clauses: result columns from them are writable.
    const QStringList& tablesRead() const { return m_tablesRead; }
    bool readsTables() const { return !m_tablesRead.isEmpty() || m_readsViews; }
    /// Lengths of the computed text columns of the outermost select, by lower-case
    /// name, as the server derives them ("a + b": the sum, ISNULL: its first argument).
    const QHash<QString, int>& resultTextSizes() const { return m_resultTextSizes; }

    static QString quoted(const QString& name);
    /// The value as written into column: a text longer than the column or a
    /// number out of its range fails the statement as the server would.
    static QString fitted(const Value& value, const CatalogColumn& column);
    static ValueClass classOf(const CatalogColumn& column);
    [[noreturn]] static void invalidColumn(const QString& name);
    [[noreturn]] static void invalidObject(const QString& name);

private:
    QString selectCore(const SqlSelect& select, const Scope* parent, Scope& scope);
    QString fromClause(const SqlSelect& select, Scope& scope);
    QString orderTerm(const SqlOrderTerm& term, const SqlSelect& select, Scope& scope);
    Value column(const SqlExpr& expr, const Scope& scope);
    /// A computed text compares without regard to case, as a column's does.
    static void collateText(Value& v);
    Value star(const SqlExpr& expr, const Scope& scope);
    Value function(const SqlExpr& expr, const Scope& scope);
    Value binary(const SqlExpr& expr, const Scope& scope);
    Value literal(const SqlExpr& expr);
    Value cast(const SqlExpr& expr, const Scope& scope);
    void coercePair(Value& a, Value& b);
    QString list(const std::vector<SqlExprPtr>& exprs, const Scope& scope, std::size_t from = 0);

    const SchemaCatalog& m_catalog;
    const AccessPolicy& m_policy;
    QString m_dateFormat;
    std::vector<QVariant> m_parameters;
    std::vector<ParameterSource> m_sources;
    QStringList m_tablesRead;
    bool m_readsViews = false;
    QHash<QString, int> m_resultTextSizes;
    int m_outerOrderColumns = 0;  ///< ORDER BY terms' columns found in an enclosing query
};

}  // namespace zel::server
