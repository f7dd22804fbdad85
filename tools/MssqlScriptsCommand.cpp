// zel4-admin mssql-scripts: writes the generated SQL Server scripts.
#include "AdminCommand.h"

#include "server/demo/SeedWriter.h"
#include "server/schema/MssqlSchemaScript.h"

#include <QDir>
#include <QFile>

namespace zel::tools {

namespace {
bool writeText(const QString& path, const QString& text, QTextStream& err)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err << "zel4-admin mssql-scripts: cannot write " << path << ": " << file.errorString() << "\n";
        return false;
    }
    file.write(text.toUtf8());
    return true;
}

int mssqlScripts(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QDir folder(optionValue(args, QStringLiteral("--out"), QStringLiteral("sql/mssql")));
    if (!folder.exists()) {
        err << "zel4-admin mssql-scripts: folder " << folder.path() << " does not exist\n";
        return 1;
    }
    const QString schema = folder.filePath(QStringLiteral("01_schema.sql"));
    const QString dictionaries = folder.filePath(QStringLiteral("04_dictionaries.sql"));
    if (!writeText(schema, server::schema::MssqlSchemaScript::text(), err)
        || !writeText(dictionaries, server::demo::SeedWriter::dictionaryScript(), err))
        return 1;
    out << "written: " << schema << ", " << dictionaries << "\n";
    return 0;
}

const AdminCommandRegistration registration({
    "mssql-scripts",
    "mssql-scripts [--out FOLDER]   write 01_schema.sql and 04_dictionaries.sql (default sql/mssql)",
    &mssqlScripts,
});
}  // namespace

}  // namespace zel::tools
