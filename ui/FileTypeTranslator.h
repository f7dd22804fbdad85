#pragma once

#include <QTranslator>

namespace zel::ui {

/// Russian for the file kinds the file dialog lists ("Folder", "File", "jpg File"),
/// which Qt's own Russian translation lacks.
class FileTypeTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
};

}  // namespace zel::ui
