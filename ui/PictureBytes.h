#pragma once

#include <QByteArray>
#include <QImage>

namespace zel::ui {

/// Conversions between pictures and the bytes a picture field stores.
namespace PictureBytes {

/// The picture as an uncompressed Windows bitmap; empty for a null image.
QByteArray toBmp(const QImage& image);

/// Decodes stored bytes of any format Qt reads (JPEG, BMP, PNG); a null image
/// for empty or undecodable bytes.
QImage decode(const QByteArray& bytes);

}  // namespace PictureBytes

}  // namespace zel::ui
