#include "TForm8.h"

#include "BuildInfo.h"
#include "SelfUpdate.h"
#include "SignInController.h"
#include "SignInPicture.h"
#include "WindowDragger.h"
#include "ZelApplication.h"
#include "ui/GuardedAction.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

namespace zel {

namespace {
constexpr int kWidth = 497;
constexpr int kNormalHeight = 275;
constexpr int kNewPasswordHeight = 416;
}  // namespace

QString TForm8::versionText()
{
    return QStringLiteral("V.") + QString::number(program::kVersion) + QStringLiteral("   [ ")
        + program::buildTimestampText() + QStringLiteral(" ]");
}

TForm8::TForm8(SignInBackend& backend, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    // Left over by a previous self-update; a failure does not matter.
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/ZEL 4.sh"));

    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Аутентификация"));
    setFixedSize(kWidth, kNormalHeight);

    m_upper = new SignInPicture(SignInPicture::Kind::Upper, this);
    m_upper->setGeometry(0, 0, 497, 278);
    m_lower = new SignInPicture(SignInPicture::Kind::Lower, this);
    m_lower->setGeometry(0, 277, 497, 139);

    Label1 = new QLabel(versionText(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(6, 5);
    QFont versionFont = Label1->font();
    versionFont.setBold(true);
    Label1->setFont(versionFont);
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label1->adjustSize();

    RzLabel1 = new QLabel(this);
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setGeometry(60, 107, 329, 78);
    RzLabel1->setAlignment(Qt::AlignCenter);
    RzLabel1->setWordWrap(true);
    QFont messageFont(QStringLiteral("Arial"));
    messageFont.setPixelSize(13);
    messageFont.setBold(true);
    RzLabel1->setFont(messageFont);
    RzLabel1->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    Login_Edit = makeBox(QRect(146, 202, 187, 21), false);
    Login_Edit->setObjectName(QStringLiteral("Login_Edit"));
    Password_Edit = makeBox(QRect(146, 238, 187, 21), true);
    Password_Edit->setObjectName(QStringLiteral("Password_Edit"));
    Edit1 = makeBox(QRect(148, 309, 186, 21), true);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = makeBox(QRect(148, 345, 186, 21), true);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    // New passwords: digits, Latin letters and the underscore only.
    for (QLineEdit* box : {Edit1, Edit2})
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z_]*")), box));
    setTabOrder(Login_Edit, Password_Edit);
    setTabOrder(Password_Edit, Edit1);
    setTabOrder(Edit1, Edit2);

    SignInArea = makeArea(QRect(349, 200, 55, 20));
    SignInArea->setObjectName(QStringLiteral("SignInArea"));
    ExitArea = makeArea(QRect(418, 199, 67, 22));
    ExitArea->setObjectName(QStringLiteral("ExitArea"));
    NewPasswordToggle = makeArea(QRect(346, 236, 139, 22));
    NewPasswordToggle->setObjectName(QStringLiteral("NewPasswordToggle"));
    connect(SignInArea, &QPushButton::clicked, this, ui::guarded(this, [this] { SignInAction(); }));
    connect(ExitArea, &QPushButton::clicked, this, &TForm8::ExitAction);
    connect(NewPasswordToggle, &QPushButton::clicked, this, &TForm8::toggleNewPasswordMode);

    auto* dragger = new WindowDragger(this);
    dragger->watch(m_upper);
    dragger->watch(m_lower);
    dragger->watch(RzLabel1);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_controller = std::make_unique<SignInController>(*this, backend);
    Login_Edit->setFocus();
}

TForm8::~TForm8() = default;

QLineEdit* TForm8::makeBox(const QRect& geometry, bool masked)
{
    auto* box = new QLineEdit(this);
    box->setGeometry(geometry);
    box->setFrame(false);
    box->setStyleSheet(QStringLiteral("background: white; color: black;"));
    if (masked) {
        box->setEchoMode(QLineEdit::Password);
        box->setStyleSheet(box->styleSheet() + QStringLiteral(" lineedit-password-character: 42;"));
    }
    box->installEventFilter(this);
    return box;
}

QPushButton* TForm8::makeArea(const QRect& geometry)
{
    auto* area = new QPushButton(this);
    area->setGeometry(geometry);
    area->setFlat(true);
    area->setCursor(Qt::PointingHandCursor);
    area->setFocusPolicy(Qt::NoFocus);
    area->setStyleSheet(QStringLiteral("QPushButton { background: transparent; border: none; }"));
    return area;
}

QString TForm8::loginText() const { return Login_Edit->text(); }
QString TForm8::passwordText() const { return Password_Edit->text(); }
QString TForm8::newPasswordText() const { return Edit1->text(); }
QString TForm8::confirmationText() const { return Edit2->text(); }

void TForm8::clearNewPasswordBoxes()
{
    Edit1->clear();
    Edit2->clear();
}

void TForm8::setMessage(const QString& text)
{
    QString shown = text;
    shown.replace(u'\r', u'\n');
    RzLabel1->setText(shown);
}

QString TForm8::message() const
{
    QString text = RzLabel1->text();
    text.replace(u'\n', u'\r');
    return text;
}

void TForm8::toggleNewPasswordMode()
{
    m_newPasswordMode = !m_newPasswordMode;
    setFixedSize(kWidth, m_newPasswordMode ? kNewPasswordHeight : kNormalHeight);
}

void TForm8::disableNewPasswordToggle()
{
    NewPasswordToggle->setEnabled(false);
}

void TForm8::acceptSignIn()
{
    accept();
}

void TForm8::startSelfUpdate(const QString& updateServer)
{
    if (!m_selfUpdate)
        m_selfUpdate = new SelfUpdate(
            [this](const QString& notice) {
                Label1->setText(notice);
                Label1->adjustSize();
                Label1->repaint();
            },
            this);
    SelfUpdate::Settings settings = updateSettings;
    settings.updateServer = QUrl(updateServer);
    // Set before the download: a sign-in action while it runs or while the program
    // waits to end would start a second one. A file that cannot be written ends the
    // update (the error goes on to the attempt), and the next action may try again.
    m_updating = true;
    try {
        m_selfUpdate->Run(settings);
    } catch (...) {
        m_updating = false;
        throw;
    }
}

void TForm8::SignInAction()
{
    if (m_updating)
        return;
    m_controller->SignInAction();
}

void TForm8::ExitAction()
{
    if (auto* app = ZelApplication::instance())
        app->Terminate();
    reject();
}

bool TForm8::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Consumed: no character, no beep, no default button.
            ui::runGuarded(this, [this] { SignInAction(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm8::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm8::closeEvent(QCloseEvent* event)
{
    event->accept();
    reject();
}

}  // namespace zel
