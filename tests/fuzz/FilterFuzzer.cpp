// Filter texts of a dataset: parsed into conditions or refused with a message.

#include "data/DbError.h"
#include "data/dataset/FilterExpression.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2048)
        return -1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const zel::FilterExpression expression = zel::FilterExpression::parse(text);
        for (const auto& condition : expression.conditions()) {
            if (condition.field.isEmpty()) {
                std::fprintf(stderr, "a condition without a field from: %s\n", text.toUtf8().constData());
                std::abort();
            }
        }
        if (expression.isEmpty() && !text.trimmed().isEmpty()) {
            std::fprintf(stderr, "a non-blank filter parsed into nothing: %s\n", text.toUtf8().constData());
            std::abort();
        }
    } catch (const zel::Error& error) {
        if (error.message().isEmpty())
            std::abort();
    }
    return 0;
}
