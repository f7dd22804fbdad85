#include "TForm1.h"

#include "signin/BuildInfo.h"
#include "signin/SignInStep.h"
#include "signin/ZelApplication.h"

namespace zel {

TForm1::TForm1(const SignInFactory& createSignInWindow, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(program::title());
    FormCreate(createSignInWindow);
}

void TForm1::FormCreate(const SignInFactory& createSignInWindow)
{
    if (auto* app = ZelApplication::instance())
        runSignIn(*app, createSignInWindow);
}

}  // namespace zel
