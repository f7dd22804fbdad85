// Any bytes as a JPEG file: a whole picture or a message naming the file, never a
// crash, a hang or a half-read picture.

#include "data/DbError.h"
#include "photo/JpegCodec.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return -1;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QImage image = zel::JpegCodec::decode(bytes, QStringLiteral("снимок.jpg"));
        if (image.isNull() || image.format() != QImage::Format_RGB32) {
            std::fprintf(stderr, "decoding gave a null or foreign-format picture\n");
            std::abort();
        }
        if (qint64(image.width()) * image.height() > zel::JpegCodec::kMaxPixels)
            std::abort();
    } catch (const zel::Error& error) {
        if (!error.message().contains(QStringLiteral("снимок.jpg"))) {
            std::fprintf(stderr, "message does not name the file: %s\n", error.message().toUtf8().constData());
            std::abort();
        }
    }
    return 0;
}
