#include "directory/SpreadsheetExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <xlsxwriter.h>

#include <cstdio>

namespace zel {

namespace {

constexpr int kProgressEvery = 500;
constexpr int kKeyColumn = 1;
constexpr int kBirthColumn = 2;
constexpr double kMaxWidth = 60;

QString failure(const QString& path)
{
    return QStringLiteral("Не удалось записать файл \"%1\".\rПроверьте, что папка доступна для записи "
                          "и на диске есть место, и что файл не открыт в другой программе.")
        .arg(QDir::toNativeSeparators(path));
}

/// Where the rows go until the file is complete: beside the target, hidden.
QString temporaryPath(const QString& path)
{
    const QFileInfo target(path);
    return target.dir().filePath(QStringLiteral(".%1.%2.part").arg(target.fileName())
                                     .arg(QCoreApplication::applicationPid()));
}

bool reportProgress(const std::function<bool(int, int)>& progress, int done, int total)
{
    return !progress || progress(done, total);
}

QString csvCell(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

const QStringList& SpreadsheetExport::Titles()
{
    static const QStringList titles = {
        QStringLiteral("ФИО"),           QStringLiteral("Шифр"),          QStringLiteral("Дата рождения"),
        QStringLiteral("Национальность"), QStringLiteral("Гражданство"),   QStringLiteral("Телефон домашний"),
        QStringLiteral("Телефон сотовый"), QStringLiteral("Телефон служебный"), QStringLiteral("Паспорт: серия"),
        QStringLiteral("Паспорт: номер"), QStringLiteral("e-mail"),        QStringLiteral("Сотрудник работает"),
    };
    return titles;
}

QStringList SpreadsheetExport::Texts(const ExportRow& row)
{
    return {row.fullName,
            QString::number(row.key),
            row.birthDate.isValid() ? row.birthDate.toString(QStringLiteral("dd.MM.yyyy")) : QString(),
            row.nationality,
            row.citizenship,
            row.phoneHome,
            row.phoneMobile,
            row.phoneWork,
            row.passportSeries,
            row.passportNumber,
            row.email,
            row.working ? QStringLiteral("да") : QStringLiteral("нет")};
}

bool SpreadsheetExport::IsCsv(const QString& path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

SpreadsheetExport::Result SpreadsheetExport::Write(const QString& path, const std::vector<ExportRow>& rows,
                                                   const std::function<bool(int, int)>& progress)
{
    const QString temporary = temporaryPath(path);
    QFile::remove(temporary);
    Result result = IsCsv(path) ? writeCsv(temporary, rows, progress) : writeXlsx(temporary, rows, progress);
    if (result.outcome != Outcome::Written) {
        QFile::remove(temporary);
        if (result.outcome == Outcome::Failed)
            result.message = failure(path);
        return result;
    }
    // rename() replaces an existing target in one step: a reader never sees half a file.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        return {Outcome::Failed, failure(path)};
    }
    return result;
}

SpreadsheetExport::Result SpreadsheetExport::writeCsv(const QString& temporary, const std::vector<ExportRow>& rows,
                                                      const std::function<bool(int, int)>& progress)
{
    QSaveFile file(temporary);
    if (!file.open(QIODevice::WriteOnly))
        return {Outcome::Failed, {}};
    const int total = int(rows.size());
    auto line = [](const QStringList& cells) {
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << csvCell(cell);
        return (quoted.join(QLatin1Char(';')) + QLatin1String("\r\n")).toUtf8();
    };
    file.write("\xEF\xBB\xBF");
    file.write(line(Titles()));
    for (int i = 0; i < total; ++i) {
        file.write(line(Texts(rows[std::size_t(i)])));
        if ((i + 1) % kProgressEvery == 0 && !reportProgress(progress, i + 1, total)) {
            file.cancelWriting();
            return {Outcome::Cancelled, {}};
        }
    }
    if (!reportProgress(progress, total, total)) {
        file.cancelWriting();
        return {Outcome::Cancelled, {}};
    }
    if (!file.commit())
        return {Outcome::Failed, {}};
    return {Outcome::Written, {}};
}

SpreadsheetExport::Result SpreadsheetExport::writeXlsx(const QString& temporary, const std::vector<ExportRow>& rows,
                                                       const std::function<bool(int, int)>& progress)
{
    const int total = int(rows.size());
    const QStringList& titles = Titles();

    // Widths from the longest text of each column, in characters.
    std::vector<double> widths(std::size_t(titles.size()));
    for (int c = 0; c < titles.size(); ++c)
        widths[std::size_t(c)] = titles[c].size();
    for (const ExportRow& row : rows) {
        const QStringList texts = Texts(row);
        for (int c = 0; c < texts.size(); ++c)
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], double(texts[c].size()));
    }

    const QByteArray fileName = QFile::encodeName(temporary);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
    lxw_workbook* workbook = workbook_new_opt(fileName.constData(), &options);
    if (!workbook)
        return {Outcome::Failed, {}};
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Сотрудники");
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    lxw_format* date = workbook_add_format(workbook);
    format_set_num_format(date, "dd.mm.yyyy");

    for (int c = 0; c < titles.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(kMaxWidth, widths[std::size_t(c)] + 2),
                             c == kBirthColumn ? date : nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    for (int c = 0; c < titles.size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), titles[c].toUtf8().constData(), header);

    for (int i = 0; i < total; ++i) {
        const ExportRow& row = rows[std::size_t(i)];
        const QStringList texts = Texts(row);
        const lxw_row_t r = lxw_row_t(i + 1);
        for (int c = 0; c < texts.size(); ++c) {
            if (c == kKeyColumn) {
                worksheet_write_number(sheet, r, lxw_col_t(c), double(row.key), nullptr);
            } else if (c == kBirthColumn) {
                if (row.birthDate.isValid()) {
                    lxw_datetime when{row.birthDate.year(), row.birthDate.month(), row.birthDate.day(), 0, 0, 0};
                    worksheet_write_datetime(sheet, r, lxw_col_t(c), &when, date);
                }
            } else if (!texts[c].isEmpty()) {
                worksheet_write_string(sheet, r, lxw_col_t(c), texts[c].toUtf8().constData(), nullptr);
            }
        }
        if ((i + 1) % kProgressEvery == 0 && !reportProgress(progress, i + 1, total)) {
            workbook_close(workbook);
            return {Outcome::Cancelled, {}};
        }
    }
    if (!reportProgress(progress, total, total)) {
        workbook_close(workbook);
        return {Outcome::Cancelled, {}};
    }
    if (workbook_close(workbook) != LXW_NO_ERROR)
        return {Outcome::Failed, {}};
    return {Outcome::Written, {}};
}

}  // namespace zel
