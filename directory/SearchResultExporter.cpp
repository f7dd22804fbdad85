#include "directory/SearchResultExporter.h"

#include "directory/SearchResultRows.h"
#include "directory/SpreadsheetExport.h"

#include "data/dataset/TADOQuery.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DialogService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace zel {

namespace {

const QString kCaption = QStringLiteral("Экспорт в Excel");

}  // namespace

SearchResultExporter::SearchResultExporter(TDM_PUM& dm, QWidget* window)
    : QObject(window)
    , m_dm(dm)
    , m_window(window)
{
}

QString SearchResultExporter::chooseFile()
{
    if (ChooseFile)
        return ChooseFile(m_window);
    QString path = QFileDialog::getSaveFileName(
        m_window, kCaption, QDir::home().filePath(QStringLiteral("Сотрудники.xlsx")),
        QStringLiteral("Книга Excel (*.xlsx);;Текст CSV, разделитель \";\" (*.csv)"));
    if (!path.isEmpty() && !path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)
        && !SpreadsheetExport::IsCsv(path))
        path += QStringLiteral(".xlsx");
    return path;
}

QString SearchResultExporter::Run()
{
    ui::DialogService& dialogs = ui::DialogService::current();
    const TADOQuery& master = m_dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty()) {
        dialogs.message(m_window, kCaption, QStringLiteral("Нет найденных сотрудников: сначала выполните поиск."),
                        ui::DialogService::Icon::Information, ui::DialogService::Buttons::Ok);
        return {};
    }
    const QString path = chooseFile();
    if (path.isEmpty())
        return {};

    const int total = master.RecordCount();
    std::unique_ptr<QProgressDialog> progressDialog;
    if (total > ProgressThreshold) {
        progressDialog = std::make_unique<QProgressDialog>(QStringLiteral("Экспорт сотрудников: %1").arg(total),
                                                           QStringLiteral("Отмена"), 0, 2 * total, m_window);
        progressDialog->setWindowTitle(kCaption);
        progressDialog->setWindowModality(Qt::WindowModal);
        progressDialog->setMinimumDuration(0);
        progressDialog->setAutoClose(false);
        progressDialog->setAutoReset(false);
        progressDialog->setValue(0);
    }
    // Reading is the first half of the work, writing the second.
    auto stepper = [&](int offset) {
        return [&, offset](int done, int) {
            if (!progressDialog)
                return true;
            progressDialog->setValue(offset + done);
            QCoreApplication::processEvents();
            if (ProgressShown)
                ProgressShown(*progressDialog);
            return !progressDialog->wasCanceled();
        };
    };

    const std::optional<std::vector<ExportRow>> rows = SearchResultRows::Collect(m_dm, stepper(0));
    if (!rows)
        return {};
    SpreadsheetExport::Result result;
    if (!progressDialog) {
        result = SpreadsheetExport::Write(path, *rows, {});
    } else {
        // The file is written beside the event loop, so the dialog (and its Cancel)
        // stays alive also while the file is compressed at the end.
        std::atomic<int> written{0};
        std::atomic<bool> cancelled{false};
        std::atomic<bool> finished{false};
        std::thread writer([&] {
            result = SpreadsheetExport::Write(path, *rows, [&](int done, int) {
                written = done;
                return !cancelled;
            });
            finished = true;
        });
        auto step = stepper(total);
        while (!finished) {
            if (!step(written, total))
                cancelled = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
        writer.join();
    }
    progressDialog.reset();
    if (result.outcome == SpreadsheetExport::Outcome::Failed) {
        dialogs.message(m_window, kCaption, result.message, ui::DialogService::Icon::Error,
                        ui::DialogService::Buttons::Ok);
        return {};
    }
    return result.outcome == SpreadsheetExport::Outcome::Written ? path : QString();
}

}  // namespace zel
