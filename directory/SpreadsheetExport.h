#pragma once

#include "directory/ExportRow.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace zel {

/// Writes exported employees to a spreadsheet file: .xlsx (a header row, Cyrillic
/// intact, birth dates as date cells, keys as numbers, column widths fitted to the
/// texts) or, when the name ends in .csv, UTF-8 text with a byte-order mark and ";"
/// between cells, as Russian spreadsheet programs read it.
///
/// The file appears only when it is complete: the rows go to a temporary file beside
/// it, which replaces the target at the end. A cancelled or failed export leaves no
/// file and an existing target untouched.
class SpreadsheetExport {
public:
    enum class Outcome { Written, Cancelled, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString message;  ///< for Failed: what went wrong, in Russian
    };

    /// The header row.
    static const QStringList& Titles();
    /// One row's cells as text (dates dd.MM.yyyy, "да"/"нет").
    static QStringList Texts(const ExportRow& row);
    /// Whether path names a CSV file (by its extension, any letter case).
    static bool IsCsv(const QString& path);

    /// progress (may be empty) is asked every few hundred rows; false cancels.
    static Result Write(const QString& path, const std::vector<ExportRow>& rows,
                        const std::function<bool(int, int)>& progress);

private:
    static Result writeXlsx(const QString& temporary, const std::vector<ExportRow>& rows,
                            const std::function<bool(int, int)>& progress);
    static Result writeCsv(const QString& temporary, const std::vector<ExportRow>& rows,
                           const std::function<bool(int, int)>& progress);
};

}  // namespace zel
