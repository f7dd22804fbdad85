#include "server/engine/SqliteFunctions.h"

#include "server/engine/DialectFunctions.h"
#include "server/engine/LikePattern.h"
#include "server/engine/TextFolding.h"

#include <QString>

#include <sqlite3.h>

#include <string_view>

namespace zel::server {

namespace {

std::string_view textArgument(sqlite3_value* value)
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {bytes ? bytes : "", std::size_t(sqlite3_value_bytes(value))};
}

int compareCollated(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return TextFolding::compare({static_cast<const char*>(a), std::size_t(lengthA)},
                                {static_cast<const char*>(b), std::size_t(lengthB)});
}

void deletePattern(void* pattern)
{
    delete static_cast<LikePattern*>(pattern);
}

// like(pattern, text [, escape]): SQLite rewrites "X LIKE Y" into like(Y, X).
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);

    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
        std::optional<char32_t> escape;
        if (argc == 3) {
            const std::string_view e = textArgument(argv[2]);
            std::size_t pos = 0;
            if (e.empty() || (TextFolding::decode(e, pos), pos != e.size()))
                return sqlite3_result_error(context, "The invalid escape character is specified in a LIKE predicate.", -1);
            pos = 0;
            escape = TextFolding::decode(e, pos);
        }
        pattern = new LikePattern(textArgument(argv[0]), escape);
        sqlite3_set_auxdata(context, 0, pattern, deletePattern);
        // set_auxdata may have freed it already; fetch what SQLite keeps.
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
        if (!pattern) {
            LikePattern once(textArgument(argv[0]), escape);
            return sqlite3_result_int(context, once.matches(textArgument(argv[1])) ? 1 : 0);
        }
    }
    sqlite3_result_int(context, pattern->matches(textArgument(argv[1])) ? 1 : 0);
}

template <bool Upper>
void changeCase(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const std::string_view bytes = textArgument(argv[0]);
    const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const QByteArray out = (Upper ? text.toUpper() : text.toLower()).toUtf8();
    sqlite3_result_text(context, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void addFunction(sqlite3* db, const char* name, int argc,
                 void (*function)(sqlite3_context*, int, sqlite3_value**))
{
    sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                               nullptr, function, nullptr, nullptr, nullptr);
}

}  // namespace

void registerServerFunctions(sqlite3* db)
{
    sqlite3_create_collation_v2(db, "ZEL_CI", SQLITE_UTF8, nullptr, compareCollated, nullptr);
    addFunction(db, "like", 2, likeFunction);
    addFunction(db, "like", 3, likeFunction);
    addFunction(db, "upper", 1, changeCase<true>);
    addFunction(db, "lower", 1, changeCase<false>);
    registerDialectFunctions(db);
}

}  // namespace zel::server
