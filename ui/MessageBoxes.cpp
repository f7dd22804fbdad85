#include "ui/MessageBoxes.h"

#include "data/ErrorText.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zel::ui::MessageBoxes {

namespace {

DialogService::Answer show(QWidget* parent, const QString& caption, const QString& text,
                           DialogService::Icon icon, DialogService::Buttons buttons)
{
    return DialogService::current().message(parent, caption, text, icon, buttons);
}

}  // namespace

QString noticeCaption()
{
    return QStringLiteral("Уведомление");
}

namespace {
QString& titleStore()
{
    static QString title;
    return title;
}
}  // namespace

QString applicationTitle()
{
    return titleStore();
}

void setApplicationTitle(const QString& title)
{
    titleStore() = title;
}

void information(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, caption, text, DialogService::Icon::Information, DialogService::Buttons::Ok);
}

void warning(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, caption, text, DialogService::Icon::Warning, DialogService::Buttons::Ok);
}

void error(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, caption, text, DialogService::Icon::Error, DialogService::Buttons::Ok);
}

void plain(QWidget* parent, const QString& text, const QString& caption)
{
    show(parent, caption, text, DialogService::Icon::None, DialogService::Buttons::Ok);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& caption)
{
    return show(parent, caption, text, DialogService::Icon::Question, DialogService::Buttons::YesNo)
           == DialogService::Answer::Yes;
}

DialogService::Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& caption)
{
    return show(parent, caption, text, DialogService::Icon::Question,
                DialogService::Buttons::YesNoCancel);
}

void showException(QWidget* parent, const std::exception& failure)
{
    if (dynamic_cast<const AbortSignal*>(&failure))
        return;
    error(parent, errorTextForUser(failure), applicationTitle());
}

bool installRussianStandardButtons(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace zel::ui::MessageBoxes
