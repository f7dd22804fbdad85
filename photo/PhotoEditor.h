#pragma once

#include <QImage>

class QWidget;

namespace zel {

/// Hands a loaded picture to the photo crop window and takes back what the clerk
/// cut out. The card asks through the current editor, so that tests answer the
/// window without a person. The picture travels as an image, never through the
/// system clipboard.
class PhotoEditor {
public:
    struct Result {
        /// The window was closed with "Применить".
        bool accepted = false;
        /// The cut-out picture; null when the clerk confirmed without cutting.
        QImage bitmap;
    };

    virtual ~PhotoEditor() = default;

    /// Shows the crop window modally with picture in its image area.
    virtual Result edit(QWidget* parent, const QImage& picture) = 0;

    /// The editor in use; the modal TPhotoForm unless replaced.
    static PhotoEditor& current();
    /// Replaces the editor (nullptr restores TPhotoForm); the caller keeps ownership.
    static void setCurrent(PhotoEditor* editor);
};

}  // namespace zel
