#pragma once

#include <QString>

class QWidget;

namespace zel::ui {

/// Message boxes of the program. Windows ask through the current service, so
/// that tests answer them without a person (no timers racing modal loops).
class DialogService {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~DialogService() = default;

    /// Shows a modal message box; "\r" in text is a line break.
    virtual Answer message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                           Buttons buttons) = 0;

    /// The service in use; a QMessageBox-based one unless replaced.
    static DialogService& current();
    /// Replaces the service (nullptr restores the default); the caller keeps ownership.
    static void setCurrent(DialogService* service);
};

/// The default service: QMessageBox with the program's conventions.
class MessageBoxDialogService : public DialogService {
public:
    Answer message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                   Buttons buttons) override;
};

/// "\r\n" and "\r" become line breaks.
QString messageText(const QString& text);

}  // namespace zel::ui
