#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

namespace zel {

class TDM_PUM;

/// "Экспорт в Excel" of the directory: asks for a file name (.xlsx, or .csv) and
/// writes the current search result to it. Above ProgressThreshold rows a progress
/// dialog with Cancel stays responsive; cancelling leaves no file. Failures are told
/// in Russian through the dialog service and keep the search result as it is.
class SearchResultExporter : public QObject {
    Q_OBJECT
public:
    /// dm is not owned and outlives the exporter; window is the parent of its dialogs.
    SearchResultExporter(TDM_PUM& dm, QWidget* window);

    /// The file the user chooses; empty = cancelled. Empty function = the save dialog.
    std::function<QString(QWidget*)> ChooseFile;
    /// Called after each progress step while the progress dialog is shown (tests).
    std::function<void(QProgressDialog&)> ProgressShown;
    /// More rows than this get the progress dialog.
    int ProgressThreshold = 5000;

    /// Runs the export. Returns the path written, or empty when nothing was written.
    QString Run();

private:
    QString chooseFile();

    TDM_PUM& m_dm;
    QWidget* m_window;
};

}  // namespace zel
