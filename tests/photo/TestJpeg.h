#pragma once
// JPEG files made for the tests with libjpeg itself, independent of the codec under test.

#include <QByteArray>
#include <QRgb>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace phototest {

enum class Layout {
    Colour,      ///< RGB input, stored as YCbCr
    Grey,        ///< one component
    AdobeCmyk,   ///< CMYK with Adobe's marker: inks stored inverted (255 = no ink)
    PlainCmyk,   ///< CMYK without the marker: 0 = no ink
};

/// An APP1 payload with one IFD0 entry: the EXIF orientation tag.
inline QByteArray exifWithOrientation(int orientation, bool bigEndian = false)
{
    QByteArray tiff;
    auto put16 = [&](int v) {
        if (bigEndian) {
            tiff.append(char((v >> 8) & 0xff));
            tiff.append(char(v & 0xff));
        } else {
            tiff.append(char(v & 0xff));
            tiff.append(char((v >> 8) & 0xff));
        }
    };
    auto put32 = [&](quint32 v) {
        if (bigEndian) {
            put16(int(v >> 16));
            put16(int(v & 0xffff));
        } else {
            put16(int(v & 0xffff));
            put16(int(v >> 16));
        }
    };
    tiff.append(bigEndian ? "MM" : "II");
    put16(42);
    put32(8);       // IFD0 right after the header
    put16(2);       // two entries: an unrelated one first
    put16(0x010F);  // Make, ASCII, 4 bytes inline
    put16(2);
    put32(4);
    tiff.append("ZEL", 4);
    put16(0x0112);  // Orientation, SHORT, 1 value
    put16(3);
    put32(1);
    put16(orientation);
    put16(0);
    put32(0);       // no next IFD
    return QByteArray("Exif\0\0", 6) + tiff;
}

/// Encodes the picture given by pixel(x, y) with libjpeg at quality 95.
inline QByteArray makeJpeg(int width, int height, Layout layout, const std::function<QRgb(int, int)>& pixel,
                           const QByteArray& app1 = {}, bool progressive = false)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    switch (layout) {
    case Layout::Colour:
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        break;
    case Layout::Grey:
        info.input_components = 1;
        info.in_color_space = JCS_GRAYSCALE;
        break;
    case Layout::AdobeCmyk:
    case Layout::PlainCmyk:
        info.input_components = 4;
        info.in_color_space = JCS_CMYK;
        break;
    }
    jpeg_set_defaults(&info);
    if (layout == Layout::AdobeCmyk || layout == Layout::PlainCmyk) {
        jpeg_set_colorspace(&info, JCS_CMYK);
        info.write_Adobe_marker = layout == Layout::AdobeCmyk;
    }
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!app1.isEmpty())
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(app1.constData()),
                          unsigned(app1.size()));
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(info.input_components));
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const QRgb c = pixel(x, y);
            JSAMPLE* p = row.data() + std::size_t(x) * std::size_t(info.input_components);
            switch (layout) {
            case Layout::Colour:
                p[0] = JSAMPLE(qRed(c));
                p[1] = JSAMPLE(qGreen(c));
                p[2] = JSAMPLE(qBlue(c));
                break;
            case Layout::Grey:
                p[0] = JSAMPLE(qGray(c));
                break;
            case Layout::AdobeCmyk:  // no black ink: K stored as 255
                p[0] = JSAMPLE(qRed(c));
                p[1] = JSAMPLE(qGreen(c));
                p[2] = JSAMPLE(qBlue(c));
                p[3] = 255;
                break;
            case Layout::PlainCmyk:
                p[0] = JSAMPLE(255 - qRed(c));
                p[1] = JSAMPLE(255 - qGreen(c));
                p[2] = JSAMPLE(255 - qBlue(c));
                p[3] = 0;
                break;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

/// What libjpeg itself reads from a file's header.
struct HeaderFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    J_COLOR_SPACE space = JCS_UNKNOWN;
};

inline HeaderFacts readHeader(const QByteArray& bytes)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), (unsigned long)bytes.size());
    jpeg_read_header(&info, TRUE);
    HeaderFacts facts{int(info.image_width), int(info.image_height), info.num_components,
                      bool(info.progressive_mode), info.jpeg_color_space};
    jpeg_destroy_decompress(&info);
    return facts;
}

inline int colourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

}  // namespace phototest
