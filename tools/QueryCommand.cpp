// zel4-admin query: one statement through the program's own connection interface.
#include "AdminCommand.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/procedures/ServerModules.h"

#include <QFileInfo>

namespace zel::tools {

namespace {
QString cellText(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.metaType().id()) {
    case QMetaType::QByteArray:
        return QStringLiteral("<%1 bytes>").arg(value.toByteArray().size());
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default: {
        QString text = value.toString();
        text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
        text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
        text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        return text;
    }
    }
}

void registerServerOnce()
{
    static const bool registered = [] {
        server::installServerModules();
        server::registerEmbeddedDriver();
        return true;
    }();
    Q_UNUSED(registered);
}

int query(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList valued = {QStringLiteral("--db"), QStringLiteral("--login"), QStringLiteral("--password"),
                                QStringLiteral("--database")};
    const QStringList statements = positionalArguments(args, valued);
    // Relative to where the administrator stands, not to the server's own folder.
    const QString given = optionValue(args, QStringLiteral("--db"));
    const QString path = given.isEmpty() ? QString() : QFileInfo(given).absoluteFilePath();
    if (statements.size() != 1 || path.isEmpty() || !hasOption(args, QStringLiteral("--login"))) {
        err << "usage: zel4-admin query --db PATH --login L --password P [--database D] \"STATEMENT\"\n";
        return 2;
    }
    // The same connection string the program builds for SQL Server.
    const QString connection =
        QStringLiteral("Provider=SQLOLEDB.1;Password=%1;Persist Security Info=True;User ID=%2;"
                       "Initial Catalog=%3;Data Source=%4")
            .arg(optionValue(args, QStringLiteral("--password")), optionValue(args, QStringLiteral("--login")),
                 optionValue(args, QStringLiteral("--database"), QStringLiteral("ZEL")), path);
    try {
        registerServerOnce();
        const db::ConnectionParams params = db::ConnectionParams::parse(connection);
        std::unique_ptr<db::Driver> driver = db::DriverRegistry::create(params);
        driver->open(params);
        db::RowSet rows;
        driver->query(statements.first(), rows);
        if (rows.columnCount() == 0) {
            out << "(no result set)\n";
            return 0;
        }
        QStringList header;
        for (const db::ColumnInfo& column : rows.columns())
            header << column.name;
        out << header.join(QLatin1Char('\t')) << "\n";
        for (int row = 0; row < rows.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < rows.columnCount(); ++column)
                cells << cellText(rows.value(row, column));
            out << cells.join(QLatin1Char('\t')) << "\n";
        }
        return 0;
    } catch (const Error& error) {
        err << error.message() << "\n";
        return 1;
    }
}

const AdminCommandRegistration registration({
    "query",
    "query --db PATH --login L --password P [--database D] \"STATEMENT\"   run one statement, print the rows",
    &query,
});
}  // namespace

}  // namespace zel::tools
