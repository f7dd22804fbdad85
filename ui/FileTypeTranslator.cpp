#include "FileTypeTranslator.h"

#include <cstring>

namespace zel::ui {

QString FileTypeTranslator::translate(const char* context, const char* sourceText, const char*, int) const
{
    if (!context || !sourceText || std::strcmp(context, "QAbstractFileIconProvider") != 0)
        return {};
    static const struct {
        const char* english;
        const char* russian;
    } kinds[] = {
        {"Folder", "Папка"}, {"File", "Файл"}, {"%1 File", "Файл %1"}, {"Drive", "Диск"},
        {"Shortcut", "Ярлык"}, {"Alias", "Псевдоним"}, {"Unknown", "Неизвестно"},
    };
    for (const auto& kind : kinds)
        if (std::strcmp(sourceText, kind.english) == 0)
            return QString::fromUtf8(kind.russian);
    return {};
}

}  // namespace zel::ui
