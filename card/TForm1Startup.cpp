// The main window's start-up after the sign-in.
#include "card/TForm1.h"

#include "card/PersonalDataTab.h"
#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM_PUM.h"
#include "directory/TForm4.h"
#include "signin/ConnectionSignInBackend.h"
#include "signin/SignInStep.h"
#include "signin/TForm8.h"
#include "signin/WorkstationIdentity.h"
#include "signin/ZelApplication.h"
#include "ui/DialogService.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

namespace zel {

void TForm1::FormCreate(const SignInFactory& createSignInWindow)
{
    ZelApplication* app = ZelApplication::instance();
    if (!app)
        return;
    PostingRules::Install(m_dm, *this);
    // The sign-in window is gone when this returns (cancelled or not).
    if (!runSignInWindow(createSignInWindow))
        return;
    setUpChangeHistory();
    PageControl1->showPage(0);
    SpeedButton1Click();
    Timer1->start();
}

bool TForm1::runSignInWindow(const SignInFactory& createSignInWindow)
{
    ZelApplication* app = ZelApplication::instance();
    ConnectionSignInBackend::Host host;
    host.openDatasets = [this] { m_dm.OpenSignInDataSets(); };
    host.setCaption = [this, app](const QString& caption) {
        setWindowTitle(caption);
        app->SetTitle(caption);
    };
    host.signedIn = [this, app](const QString& login, const QString& password) {
        app->SetShowMainForm(true);
        UserLogin = login;
        UserPassword = password;
    };
    host.showError = [app](const QString& text) {
        ui::DialogService::current().message(QApplication::activeWindow(), app->Title(), text,
                                             ui::DialogService::Icon::Error, ui::DialogService::Buttons::Ok);
    };
    m_signInBackend = std::make_unique<ConnectionSignInBackend>(m_dm.ADO_PUM, host);

    SignInBackend& backend = *m_signInBackend;
    return runSignIn(
        *app,
        [&]() -> std::unique_ptr<QDialog> {
            if (createSignInWindow)
                return createSignInWindow(backend);
            return std::make_unique<TForm8>(backend);
        },
        [this] {
            prepareEmptyCard();
            CardStatements::ApplyStartupSorts(m_dm);
            centreOnScreen();
        });
}

void TForm1::prepareEmptyCard()
{
    CardSaved = false;
    LoadCard();
    m_dm.ADOT_District.Open();
    OpenEmptyCard();
}

void TForm1::centreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const int left = screen->geometry().width() / 2 - width() / 2;
    const int top = screen->availableGeometry().height() / 2 - height() / 2;
    move(left, top);
}

void TForm1::setUpChangeHistory()
{
    m_changeHistory = std::make_unique<TADOUpdateHistoryExec>();
    m_auditLog = std::make_unique<AuditLog>(*m_changeHistory, m_dm.ADOQ_Exec, *this);
    m_auditLog->Connect();
    ComputerName = WorkstationIdentity::computerName().left(100);
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    if (m_directory) {
        m_directory->raise();
        m_directory->activateWindow();
    }
}

}  // namespace zel
