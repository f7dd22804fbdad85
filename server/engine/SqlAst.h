#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace zel::server {

struct SqlSelect;
struct SqlExpr;
using SqlExprPtr = std::unique_ptr<SqlExpr>;

/// One node of a parsed expression. Which members mean something depends on kind.
struct SqlExpr {
    enum class Kind {
        Literal,    ///< literalType, text (the value)
        Column,     ///< name: the parts of a multi-part name
        Star,       ///< name: the qualifier parts (empty for a bare *)
        Variable,   ///< text: @name
        Function,   ///< name: function name parts; args; distinct; starArgument (COUNT(*))
        Unary,      ///< text: "-", "+", "~", "NOT"; args[0]
        Binary,     ///< text: operator upper-cased ("+", "=", "AND", ...); args[0], args[1]
        Between,    ///< args: value, low, high; negated
        InList,     ///< args: value, then the list; negated
        InSelect,   ///< args[0]; select; negated
        Exists,     ///< select
        Subquery,   ///< select
        Case,       ///< args: when, then, when, then ...; caseOperand, caseElse may be null
        Cast,       ///< args[0] the value, args[1] the CONVERT style (optional); text: target type
        IsNull,     ///< args[0]; negated for IS NOT NULL
        Like,       ///< args: value, pattern, escape (optional); negated
        Collate,    ///< args[0]; text: collation name
        Paren,      ///< args[0]
    };
    enum class LiteralType { String, Integer, Real, Binary, Null };

    Kind kind = Kind::Literal;
    int offset = 0;  ///< where it starts in the statement text
    int token = -1;  ///< Literal: index of its token in the batch
    int height = 1;  ///< levels of this node and the deepest path below it, subqueries included
    LiteralType literalType = LiteralType::Null;
    QString text;
    QStringList name;
    bool negated = false;
    bool distinct = false;
    bool starArgument = false;
    std::vector<SqlExprPtr> args;
    SqlExprPtr caseOperand;
    SqlExprPtr caseElse;
    std::unique_ptr<SqlSelect> select;
};

struct SqlSelectItem {
    SqlExprPtr expr;
    QString alias;  ///< empty when none
};

struct SqlTableSource {
    QStringList name;                    ///< parts of the table's name; empty for a derived table
    std::unique_ptr<SqlSelect> subquery; ///< derived table
    QString alias;
    QString join;    ///< empty for the first source, "," or "JOIN", "LEFT JOIN", "CROSS JOIN" ...
    SqlExprPtr on;
    int offset = 0;
};

struct SqlOrderTerm {
    SqlExprPtr expr;
    bool descending = false;
};

struct SqlSelect {
    bool distinct = false;
    SqlExprPtr top;          ///< TOP n, TOP (n); null when absent
    bool topPercent = false;
    std::vector<SqlSelectItem> items;
    std::vector<SqlTableSource> from;
    SqlExprPtr where;
    std::vector<SqlExprPtr> groupBy;
    SqlExprPtr having;
    std::vector<SqlOrderTerm> orderBy;  ///< of the whole compound select, on its first part
    QString setOperator;                ///< "UNION", "UNION ALL", "EXCEPT", "INTERSECT"
    std::unique_ptr<SqlSelect> next;    ///< the select after setOperator
};

struct SqlExecArgument {
    QString name;  ///< "@id_teacher", empty for a positional argument
    SqlExprPtr value;
    int offset = 0;
};

/// One statement of a batch.
struct SqlStatement {
    enum class Kind { Select, Insert, Update, Delete, Exec, SetOption };
    Kind kind = Kind::Select;
    QString text;   ///< its own slice of the batch text, for messages
    int offset = 0;

    std::unique_ptr<SqlSelect> select;  ///< Select; Insert ... SELECT

    QStringList table;                  ///< Insert, Update, Delete
    int tableOffset = 0;
    QStringList columns;                ///< Insert column list (may be empty)
    std::vector<std::vector<SqlExprPtr>> values;  ///< Insert ... VALUES rows
    bool defaultValues = false;
    std::vector<std::pair<QString, SqlExprPtr>> assignments;  ///< Update
    SqlExprPtr where;                   ///< Update, Delete

    QStringList procedure;              ///< Exec
    std::vector<SqlExecArgument> arguments;

    QString option;                     ///< SetOption: "DATEFORMAT", "NOCOUNT" ...
    QString optionValue;                ///< "dmy", "ON" ...
};

}  // namespace zel::server
