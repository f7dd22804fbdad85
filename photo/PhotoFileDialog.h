#pragma once

#include <QString>

class QWidget;

namespace zel {

/// The file-open dialog of the photo command. The command asks through the
/// current one, so that tests choose the file without a person.
class PhotoFileDialog {
public:
    virtual ~PhotoFileDialog() = default;

    /// Asks for one existing file. filter is in Qt's notation ("Text (*.a *.b)").
    /// Returns the chosen path; empty when the user cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& filter) = 0;

    /// The single filter of the photo command: JPEG files.
    static QString jpegFilter();

    /// The dialog in use; the system's file dialog unless replaced.
    static PhotoFileDialog& current();
    /// Replaces the dialog (nullptr restores the system one); the caller keeps ownership.
    static void setCurrent(PhotoFileDialog* dialog);
};

}  // namespace zel
