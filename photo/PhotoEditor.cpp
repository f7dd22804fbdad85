#include "photo/PhotoEditor.h"

#include "photo/TPhotoForm.h"

#include <memory>

namespace zel {

namespace {

class ModalPhotoForm : public PhotoEditor {
public:
    Result edit(QWidget* parent, const QImage& picture) override
    {
        // Released here: its temporary file goes with it.
        auto form = std::make_unique<TPhotoForm>(parent);
        form->SetPicture(picture);
        Result result;
        result.accepted = form->exec() == QDialog::Accepted;
        result.bitmap = form->ResultBitmap;
        return result;
    }
};

PhotoEditor* g_current = nullptr;

}  // namespace

PhotoEditor& PhotoEditor::current()
{
    static ModalPhotoForm modal;
    return g_current ? *g_current : modal;
}

void PhotoEditor::setCurrent(PhotoEditor* editor)
{
    g_current = editor;
}

}  // namespace zel
