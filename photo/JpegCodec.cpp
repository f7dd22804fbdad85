#include "photo/JpegCodec.h"

#include "data/DbError.h"

#include <QFile>
#include <QTransform>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace zel::JpegCodec {

namespace {

// QImage::Format_RGB32 is 0xffRRGGBB per pixel in memory order of the machine.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// libjpeg's own error_exit ends the process: errors jump back instead, and
// warnings are kept (not printed) so that the caller can refuse the picture.
struct ErrorManager {
    jpeg_error_mgr base;  // first: libjpeg sees only this part
    std::jmp_buf jump;
    char error[JMSG_LENGTH_MAX];
    char warning[JMSG_LENGTH_MAX];
};

ErrorManager& managerOf(j_common_ptr info)
{
    return *reinterpret_cast<ErrorManager*>(info->err);
}

extern "C" void jumpOnError(j_common_ptr info)
{
    ErrorManager& manager = managerOf(info);
    info->err->format_message(info, manager.error);
    std::longjmp(manager.jump, 1);
}

extern "C" void keepFirstWarning(j_common_ptr info)
{
    ErrorManager& manager = managerOf(info);
    if (manager.warning[0] == '\0')
        info->err->format_message(info, manager.warning);
}

void installErrorManager(ErrorManager& manager)
{
    jpeg_std_error(&manager.base);
    manager.base.error_exit = jumpOnError;
    manager.base.output_message = keepFirstWarning;
    manager.error[0] = '\0';
    manager.warning[0] = '\0';
}

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    bool created = false;
    bool cmyk = false;
    bool invertedCmyk = false;
    QByteArray exif;

    Decoder()
    {
        installErrorManager(errors);
        info.err = &errors.base;
    }
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

// The functions that call setjmp hold nothing with a destructor in their own
// frame: a jump back skips no clean-up.

bool readHeader(Decoder* d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d->errors.jump))
        return false;
    jpeg_create_decompress(&d->info);
    d->created = true;
    jpeg_mem_src(&d->info, data, size);
    jpeg_save_markers(&d->info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&d->info, TRUE);
    if (d->info.jpeg_color_space == JCS_CMYK || d->info.jpeg_color_space == JCS_YCCK) {
        d->cmyk = true;
        // Adobe's programs write the inks inverted and say so with their marker.
        d->invertedCmyk = d->info.saw_Adobe_marker;
        d->info.out_color_space = JCS_CMYK;
    } else {
        d->info.out_color_space = kRgb32Space;
    }
    jpeg_calc_output_dimensions(&d->info);
    return true;
}

void cmykRowToRgb32(const JSAMPLE* cmyk, uchar* target, JDIMENSION width, bool inverted)
{
    auto* pixel = reinterpret_cast<QRgb*>(target);
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Now 255 means no ink.
        pixel[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool readPixels(Decoder* d, uchar* bits, qsizetype bytesPerLine, JSAMPLE* cmykRow)
{
    if (setjmp(d->errors.jump))
        return false;
    jpeg_start_decompress(&d->info);
    while (d->info.output_scanline < d->info.output_height) {
        uchar* target = bits + qsizetype(d->info.output_scanline) * bytesPerLine;
        JSAMPROW row = d->cmyk ? cmykRow : target;
        if (jpeg_read_scanlines(&d->info, &row, 1) != 1)
            return false;
        if (d->cmyk)
            cmykRowToRgb32(cmykRow, target, d->info.output_width, d->invertedCmyk);
    }
    jpeg_finish_decompress(&d->info);
    return true;
}

QString damaged(const QString& name, const char* detail)
{
    QString text = QStringLiteral("Файл \"%1\" не удаётся прочитать как снимок JPEG: "
                                  "файл повреждён или записан не до конца.")
                       .arg(name);
    if (detail && *detail)
        text += QStringLiteral("\n(") + QString::fromLocal8Bit(detail) + u')';
    return text;
}

struct Encoder {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    bool created = false;
    unsigned char* out = nullptr;
    unsigned long size = 0;

    Encoder()
    {
        installErrorManager(errors);
        info.err = &errors.base;
    }
    ~Encoder()
    {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(out);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

bool compress(Encoder* e, const QImage* image, int quality)
{
    if (setjmp(e->errors.jump))
        return false;
    jpeg_create_compress(&e->info);
    e->created = true;
    jpeg_mem_dest(&e->info, &e->out, &e->size);
    e->info.image_width = JDIMENSION(image->width());
    e->info.image_height = JDIMENSION(image->height());
    e->info.input_components = 4;
    e->info.in_color_space = kRgb32Space;
    jpeg_set_defaults(&e->info);
    jpeg_set_quality(&e->info, quality, TRUE);
    jpeg_start_compress(&e->info, TRUE);
    while (e->info.next_scanline < e->info.image_height) {
        // libjpeg does not write through the row; its interface is just not const.
        JSAMPROW row = const_cast<uchar*>(image->constScanLine(int(e->info.next_scanline)));
        jpeg_write_scanlines(&e->info, &row, 1);
    }
    jpeg_finish_compress(&e->info);
    return true;
}

quint32 readNumber(const uchar* at, int bytes, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
        value |= quint32(at[i]) << shift;
    }
    return value;
}

}  // namespace

QImage readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Не удаётся открыть файл \"%1\".").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Не удаётся прочитать файл \"%1\".").arg(path));
    return decode(bytes, path);
}

QImage decode(const QByteArray& bytes, const QString& name)
{
    if (bytes.isEmpty())
        throw IoError(damaged(name, "empty file"));
    Decoder d;
    if (!readHeader(&d, reinterpret_cast<const unsigned char*>(bytes.constData()), (unsigned long)bytes.size()))
        throw IoError(damaged(name, d.errors.error));

    const JDIMENSION width = d.info.output_width;
    const JDIMENSION height = d.info.output_height;
    if (qint64(width) * qint64(height) > kMaxPixels)
        throw IoError(QStringLiteral("Снимок в файле \"%1\" слишком велик: %2 × %3 точек.")
                          .arg(name)
                          .arg(width)
                          .arg(height));
    if (d.info.output_components != 4)
        throw IoError(damaged(name, "unsupported colour layout"));

    for (jpeg_saved_marker_ptr marker = d.info.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length > 6
            && std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
            d.exif = QByteArray(reinterpret_cast<const char*>(marker->data), qsizetype(marker->data_length));
            break;
        }
    }

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        throw IoError(QStringLiteral("Не хватает памяти, чтобы открыть снимок \"%1\" (%2 × %3 точек).")
                          .arg(name)
                          .arg(width)
                          .arg(height));
    std::vector<JSAMPLE> cmykRow(d.cmyk ? std::size_t(width) * 4 : 0);
    if (!readPixels(&d, image.bits(), image.bytesPerLine(), cmykRow.data()))
        throw IoError(damaged(name, d.errors.error));
    // A truncated file decodes "successfully" with grey rows and a warning.
    if (d.errors.base.num_warnings > 0)
        throw IoError(damaged(name, d.errors.warning));

    return applyOrientation(image, d.exif.isEmpty() ? 1 : exifOrientation(d.exif));
}

QByteArray encode(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        throw IoError(QStringLiteral("Не хватает памяти, чтобы сжать снимок."));
    Encoder e;
    if (!compress(&e, &rgb, qBound(1, quality, 100)))
        throw IoError(QStringLiteral("Снимок не удалось сжать в JPEG.\n(") + QString::fromLocal8Bit(e.errors.error)
                      + u')');
    return QByteArray(reinterpret_cast<const char*>(e.out), qsizetype(e.size));
}

int exifOrientation(const QByteArray& app1Payload)
{
    constexpr int kHeader = 6;  // "Exif\0\0"
    const auto* data = reinterpret_cast<const uchar*>(app1Payload.constData());
    const qsizetype size = app1Payload.size();
    if (size < kHeader + 8 || std::memcmp(data, "Exif\0\0", kHeader) != 0)
        return 1;
    const uchar* tiff = data + kHeader;
    const qsizetype tiffSize = size - kHeader;
    bool big;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        big = true;
    else if (tiff[0] == 'I' && tiff[1] == 'I')
        big = false;
    else
        return 1;
    if (readNumber(tiff + 2, 2, big) != 42)
        return 1;
    const quint32 ifd = readNumber(tiff + 4, 4, big);
    if (ifd < 8 || qsizetype(ifd) + 2 > tiffSize)
        return 1;
    const quint32 entries = readNumber(tiff + ifd, 2, big);
    for (quint32 i = 0; i < entries; ++i) {
        const qsizetype at = qsizetype(ifd) + 2 + qsizetype(i) * 12;
        if (at + 12 > tiffSize)
            return 1;
        const uchar* entry = tiff + at;
        if (readNumber(entry, 2, big) != 0x0112)
            continue;
        // SHORT, one value, held in the first two bytes of the value field.
        if (readNumber(entry + 2, 2, big) != 3 || readNumber(entry + 4, 4, big) != 1)
            return 1;
        const quint32 orientation = readNumber(entry + 8, 2, big);
        return orientation >= 1 && orientation <= 8 ? int(orientation) : 1;
    }
    return 1;
}

QImage applyOrientation(const QImage& image, int orientation)
{
    // QTransform's positive angles turn clockwise on screen (y grows downwards).
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

}  // namespace zel::JpegCodec
