// Any 0 to 200 bytes as the bootstrap settings file: decoded, or refused with a message;
// a short file is always refused, a full-size one only for a byte without a character.

#include "data/DbError.h"
#include "signin/BootstrapSettings.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 200)
        return -1;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const zel::TFirstConnectInfo info = zel::bootstrap::decode(bytes, QStringLiteral("Data/ZEL"));
        if (size < std::size_t(zel::bootstrap::kFileSize)) {
            std::fprintf(stderr, "a short file was accepted\n");
            std::abort();
        }
        for (const QString* text : {&info.login, &info.password, &info.database, &info.server}) {
            if (text->size() > zel::bootstrap::kSlotSize) {
                std::fprintf(stderr, "a slot decoded longer than its 20 bytes\n");
                std::abort();
            }
        }
    } catch (const zel::Error& error) {
        if (error.message().isEmpty())
            std::abort();
        if (size >= std::size_t(zel::bootstrap::kFileSize) && !error.message().contains(QStringLiteral("0x98"))) {
            std::fprintf(stderr, "a full-size file was refused: %s\n", error.message().toUtf8().constData());
            std::abort();
        }
    }
    return 0;
}
