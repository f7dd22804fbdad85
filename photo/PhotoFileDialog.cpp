#include "photo/PhotoFileDialog.h"

#include <QFileDialog>

namespace zel {

namespace {

class SystemFileDialog : public PhotoFileDialog {
public:
    QString chooseFile(QWidget* parent, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Загрузить фото"), QString(), filter);
    }
};

PhotoFileDialog* g_current = nullptr;

}  // namespace

QString PhotoFileDialog::jpegFilter()
{
    // The description keeps its own bracketed list; Qt reads the patterns from the last brackets.
    return QStringLiteral("Graphic files(*.jpg; *.jpeg) (*.jpg *.jpeg)");
}

PhotoFileDialog& PhotoFileDialog::current()
{
    static SystemFileDialog system;
    return g_current ? *g_current : system;
}

void PhotoFileDialog::setCurrent(PhotoFileDialog* dialog)
{
    g_current = dialog;
}

}  // namespace zel
