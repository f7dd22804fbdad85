#include "history/LogDescription.h"

namespace zel::LogDescription {

namespace {

QString valueText(const QString& stored)
{
    return stored == QLatin1String("NULL") ? QString() : stored;
}

bool parseChange(const QString& text, HistoryEntry& entry)
{
    static const QString head = QStringLiteral("Поле \"");
    static const QString middle = QStringLiteral("\" изменило значение \"");
    static const QString separator = QStringLiteral("\" на \"");
    static const QString tail = QStringLiteral("\".");
    static const QString bare = QStringLiteral("\" изменило значение.");
    if (!text.startsWith(head))
        return false;
    const int fieldEnd = text.indexOf(middle, head.size());
    if (fieldEnd >= 0 && text.endsWith(tail)) {
        const int oldStart = fieldEnd + middle.size();
        // Field names carry no quotes; values may, so the last separator splits them.
        const int split = text.lastIndexOf(separator, text.size() - tail.size());
        if (split >= oldStart) {
            entry.kind = HistoryEntry::Kind::FieldChange;
            entry.field = text.mid(head.size(), fieldEnd - head.size());
            entry.oldValue = valueText(text.mid(oldStart, split - oldStart));
            const int newStart = split + separator.size();
            entry.newValue = valueText(text.mid(newStart, text.size() - tail.size() - newStart));
            return true;
        }
    }
    if (text.endsWith(bare) && text.indexOf(QLatin1Char('"'), head.size()) == text.size() - bare.size()) {
        entry.kind = HistoryEntry::Kind::FieldChange;
        entry.field = text.mid(head.size(), text.size() - bare.size() - head.size());
        return true;
    }
    return false;
}

bool parseDeletion(const QString& text, HistoryEntry& entry)
{
    static const QString head = QStringLiteral("Запись с уникальным номером - ");
    static const QString middle = QStringLiteral(" была удалена - (");
    static const QString tail = QStringLiteral(").");
    if (!text.startsWith(head) || !text.endsWith(tail))
        return false;
    const int dumpStart = text.indexOf(middle, head.size());
    if (dumpStart < 0)
        return false;
    entry.kind = HistoryEntry::Kind::Deletion;
    const int valuesStart = dumpStart + middle.size();
    entry.oldValue = text.mid(valuesStart, text.size() - tail.size() - valuesStart);
    return true;
}

}  // namespace

void Parse(HistoryEntry& entry)
{
    entry.kind = HistoryEntry::Kind::Other;
    entry.field.clear();
    entry.oldValue.clear();
    entry.newValue.clear();
    if (parseChange(entry.description, entry) || parseDeletion(entry.description, entry))
        return;
    entry.kind = HistoryEntry::Kind::Other;
    entry.newValue = entry.description;
}

}  // namespace zel::LogDescription
