#include "TForm1.h"

#include "data/modules/TDM_PUM.h"
#include "signin/BuildInfo.h"
#include "signin/ConnectionSignInBackend.h"
#include "signin/SignInStep.h"
#include "signin/TForm8.h"
#include "signin/ZelApplication.h"
#include "ui/DialogService.h"

#include <QApplication>

namespace zel {

TForm1::TForm1(TDM_PUM& dm, SignInFactory createSignInWindow, QWidget* parent)
    : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(program::title());
    FormCreate(createSignInWindow);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(const SignInFactory& createSignInWindow)
{
    ZelApplication* app = ZelApplication::instance();
    if (!app)
        return;

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
    runSignIn(*app, [&]() -> std::unique_ptr<QDialog> {
        if (createSignInWindow)
            return createSignInWindow(backend);
        return std::make_unique<TForm8>(backend);
    });
}

}  // namespace zel
