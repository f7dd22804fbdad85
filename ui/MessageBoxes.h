#pragma once

#include "ui/DialogService.h"

#include <QString>

#include <exception>

class QCoreApplication;
class QWidget;

namespace zel::ui {

/// Shorthands over DialogService::current() for the program's message boxes.
/// Text may carry "\r" as a line break.
namespace MessageBoxes {

/// The caption most of the program's messages carry.
QString noticeCaption();

/// The application title: the caption of the default message box. Kept apart from
/// Qt's display name, which the window system would append to every window title.
QString applicationTitle();
void setApplicationTitle(const QString& title);

/// OK box with the information icon.
void information(QWidget* parent, const QString& text, const QString& caption = noticeCaption());
/// OK box with the exclamation icon.
void warning(QWidget* parent, const QString& text, const QString& caption = noticeCaption());
/// OK box with the error icon.
void error(QWidget* parent, const QString& text, const QString& caption = noticeCaption());
/// OK box without an icon.
void plain(QWidget* parent, const QString& text, const QString& caption = QString());
/// Yes/No question; true only for Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& caption = noticeCaption());
/// Yes/No/Cancel question; closing the box counts as Cancel.
DialogService::Answer askYesNoCancel(QWidget* parent, const QString& text,
                                     const QString& caption = noticeCaption());

/// The default error display: an OK box with the error text and the error icon,
/// captioned with the application title. The silent-abort signal
/// (zel::AbortSignal) shows nothing.
void showException(QWidget* parent, const std::exception& failure);

/// Installs Qt's own Russian translation (qtbase_ru.qm from the Qt translations
/// folder) on app, so standard buttons read "Да", "Нет", "Отмена". The
/// translator is owned by app. Returns false when the file cannot be loaded.
bool installRussianStandardButtons(QCoreApplication& app);

}  // namespace MessageBoxes

}  // namespace zel::ui
