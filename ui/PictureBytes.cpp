#include "ui/PictureBytes.h"

#include <QBuffer>

namespace zel::ui::PictureBytes {

QByteArray toBmp(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage decode(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    return QImage::fromData(bytes);
}

}  // namespace zel::ui::PictureBytes
