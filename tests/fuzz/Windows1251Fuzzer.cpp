// The Windows-1251 codec both ways: bytes decode to one character each and encode
// back to themselves (except the unassigned 0x98); any text either encodes and
// decodes back exactly or is refused naming a character.

#include "data/DbError.h"
#include "data/Windows1251.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = zel::windows1251::decode(bytes);
    if (decoded.size() != bytes.size())
        std::abort();
    if (!bytes.contains('\x98')) {
        if (!zel::windows1251::canEncode(decoded) || zel::windows1251::encode(decoded) != bytes) {
            std::fprintf(stderr, "bytes did not survive decode and encode\n");
            std::abort();
        }
    }

    const QString text = QString::fromUtf8(bytes);
    const bool encodable = zel::windows1251::canEncode(text);
    try {
        const QByteArray encoded = zel::windows1251::encode(text);
        if (!encodable || zel::windows1251::decode(encoded) != text) {
            std::fprintf(stderr, "text did not survive encode and decode\n");
            std::abort();
        }
    } catch (const zel::Error& error) {
        if (encodable || error.message().isEmpty()) {
            std::fprintf(stderr, "an encodable text was refused\n");
            std::abort();
        }
    }
    return 0;
}
