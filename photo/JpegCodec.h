#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zel {

/// JPEG files to pictures and back, on libjpeg.
///
/// Decoding accepts colour (YCbCr, RGB), greyscale and CMYK/YCCK files and turns a
/// picture whose EXIF data says the camera was held sideways upright again. Any
/// libjpeg error or warning (a truncated or damaged file) fails the whole decoding:
/// a half-read picture is never handed on. Failures are zel::IoError with a Russian
/// message that names the file.
namespace JpegCodec {

/// Pictures larger than this (in pixels) are refused before any memory is taken
/// for them: a damaged header may claim any size.
constexpr qint64 kMaxPixels = qint64(100) * 1000 * 1000;

/// Reads and decodes a JPEG file into an RGB32 picture.
QImage readFile(const QString& path);

/// Decodes JPEG bytes into an RGB32 picture; name is the file the messages name.
QImage decode(const QByteArray& bytes, const QString& name);

/// Encodes a picture as a colour baseline (non-progressive) JPEG. quality is
/// clamped to 1..100. A null picture gives empty bytes.
QByteArray encode(const QImage& image, int quality);

/// The orientation tag (1..8) of an APP1 marker's payload starting with "Exif\0\0";
/// 1 (upright) when the payload carries none or cannot be read.
int exifOrientation(const QByteArray& app1Payload);

/// The picture turned upright according to an EXIF orientation (1..8); other
/// values leave it as it is.
QImage applyOrientation(const QImage& image, int orientation);

}  // namespace JpegCodec

}  // namespace zel
