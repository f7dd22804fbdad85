#include "ZelApplication.h"

#include "data/DbError.h"
#include "data/ErrorText.h"
#include "ui/DialogService.h"
#include "ui/FileTypeTranslator.h"
#include "ui/MessageBoxes.h"
#include "ui/WorkstationLocale.h"

#include <QFont>
#include <QWidget>

namespace zel {

ZelApplication::ZelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
    // Every window of the program is laid out for this font.
    QFont base(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);
    // Calendars, month names and the file dialog follow the program's language.
    QLocale::setDefault(ui::workstationLocale());
    // Qt's own texts (standard buttons, the file dialog) in Russian.
    ui::MessageBoxes::installRussianStandardButtons(*this);
    installTranslator(new ui::FileTypeTranslator(this));
}

ZelApplication* ZelApplication::instance()
{
    return qobject_cast<ZelApplication*>(QCoreApplication::instance());
}

void ZelApplication::Initialize()
{
    m_terminated = false;
    m_showMainForm = true;
    SetMainForm(nullptr);
}

void ZelApplication::SetTitle(const QString& title)
{
    m_title = title;
    // Not Qt's display name: the window system would append it to every window title.
    ui::MessageBoxes::setApplicationTitle(title);
}

void ZelApplication::SetMainForm(QWidget* window)
{
    m_mainForm = window;
    if (window)
        window->setAttribute(Qt::WA_QuitOnClose, true);
    setQuitOnLastWindowClosed(window != nullptr);
}

void ZelApplication::Terminate()
{
    m_terminated = true;
    // exit() ends every running loop of the thread, nested modal loops included.
    exit(0);
}

int ZelApplication::Run()
{
    if (m_terminated)
        return 0;
    if (m_showMainForm && m_mainForm)
        m_mainForm->show();
    if (m_terminated)
        return 0;
    return exec();
}

bool ZelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AbortSignal&) {
        // Silent: the action was abandoned on purpose.
    } catch (const std::exception& error) {
        ShowException(errorTextForUser(error));
    }
    return false;
}

void ZelApplication::ShowException(const QString& message)
{
    QWidget* parent = activeModalWidget() ? activeModalWidget() : activeWindow();
    ui::DialogService::current().message(parent, m_title, message, ui::DialogService::Icon::Error,
                                         ui::DialogService::Buttons::Ok);
}

}  // namespace zel
