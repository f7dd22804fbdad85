#include "SignInController.h"

#include "BootstrapConnection.h"
#include "BuildInfo.h"
#include "ConnectionString.h"
#include "SignInBackend.h"
#include "SignInView.h"

#include "data/CharacterShift.h"
#include "data/DbError.h"
#include "data/PasswordHash.h"

namespace zel {

namespace {

QString quoted(QString text)
{
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

QString textAt(const QVariantList& row, int column)
{
    return column < row.size() ? row[column].toString() : QString();
}

int integerAt(const QVariantList& row, int column)
{
    return column < row.size() ? row[column].toInt() : 0;
}

}  // namespace

SignInController::SignInController(SignInView& view, SignInBackend& backend)
    : m_view(view), m_backend(backend)
{
}

QString SignInController::getUserStatement(const QString& login, const QString& passwordHash,
                                           const QString& newPasswordHash, const QString& ipAddress,
                                           const QString& computerName)
{
    const QString third = newPasswordHash.isEmpty() ? QStringLiteral("NULL") : u'\'' + newPasswordHash + u'\'';
    return QStringLiteral("EXEC GET_USER ") + quoted(login) + u',' + quoted(passwordHash) + u',' + third
        + QStringLiteral(", ") + quoted(program::name()) + QStringLiteral(", ") + quoted(ipAddress)
        + QStringLiteral(", ") + quoted(computerName) + QStringLiteral(", ") + quoted(login)
        + QStringLiteral(",'0',") + quoted(QString::number(third.size()));
}

QString SignInController::mainCaption()
{
    return program::title() + QStringLiteral(" V") + QString::number(program::kVersion) + QStringLiteral(" [ ")
        + program::buildTimestampText() + QStringLiteral(" ] - ") + QStringLiteral("Учебное управление");
}

void SignInController::SignInAction()
{
    ++m_attempts;
    QString newPassword;
    if (m_view.newPasswordMode()) {
        const QString entered = m_view.newPasswordText();
        if (entered != m_view.confirmationText()) {
            m_view.clearNewPasswordBoxes();
            m_view.setMessage(signin_text::kMismatch);
            return;
        }
        if (entered.size() < 6) {
            m_view.clearNewPasswordBoxes();
            m_view.setMessage(signin_text::kTooShort);
            return;
        }
        newPassword = entered;
    }
    if (!Attempt(newPassword))
        return;
    m_backend.execute(QStringLiteral("SET DATEFORMAT dmy"));
    m_view.acceptSignIn();
}

void SignInController::AskForPasswordChange()
{
    m_view.setMessage(signin_text::kMustChange);
    m_view.toggleNewPasswordMode();
}

bool SignInController::Attempt(const QString& newPassword)
{
    // The bootstrap file is read afresh at every attempt; a missing one goes
    // to the default error display and the window stays.
    TFirstConnectInfo info = m_backend.readBootstrapSettings();
    const QString failure = openConnection(
        info, [this](const QString& connectionString) { m_backend.reopenConnection(connectionString); });
    if (!failure.isEmpty()) {
        // Without the bootstrap connection GET_USER cannot be asked: stop here,
        // the label already tells why.
        m_view.setMessage(failure);
        return false;
    }
    m_backend.setCaption(mainCaption());

    const QString login = m_view.loginText();
    QVariantList row;
    try {
        const QString statement =
            getUserStatement(login, passwordHash(m_view.passwordText()),
                             newPassword.isEmpty() ? QString() : passwordHash(newPassword),
                             m_backend.ipAddress(), m_backend.computerName());
        row = m_backend.firstRow(statement);
        if (row.size() < 6)
            throw DataError(row.isEmpty() ? QStringLiteral("Процедура GET_USER не вернула ни одной строки.")
                                          : QStringLiteral("Процедура GET_USER вернула меньше шести столбцов."));
        if (integerAt(row, 5) > program::kVersion) {
            // Column 2 carries the update server's address.
            m_view.startSelfUpdate(textAt(row, 2));
            return false;
        }
        const QString refusal = textAt(row, 4);
        if (!refusal.isEmpty()) {
            m_view.setMessage(refusal);
            return false;
        }
        const int state = integerAt(row, 3);
        if (state < 0) {
            m_backend.closeConnection();
            AskForPasswordChange();
            m_view.disableNewPasswordToggle();
            return false;
        }
        if (m_attempts == 1 && !textAt(row, 0).isEmpty() && state < 20) {
            m_backend.closeConnection();
            AskForPasswordChange();
            return false;
        }
    } catch (const AbortSignal&) {
        throw;
    } catch (const Error& error) {
        m_backend.showError(error.message());
        m_view.setMessage(signin_text::kWrongLogin);
        m_backend.closeConnection();
        return false;
    }

    try {
        try {
            info.login = shift::decodeText(textAt(row, 0));
            info.password = shift::decodeText(textAt(row, 1));
        } catch (const Error& error) {
            throw DataError(QStringLiteral("Учётная запись базы данных, полученная от сервера, не читается: ")
                            + error.message());
        }
        m_backend.closeConnection();
        m_backend.reopenConnection(buildConnectionString(info));
        m_backend.signedIn(login, m_view.passwordText());
        m_backend.openDatasets();
    } catch (const AbortSignal&) {
        throw;
    } catch (const Error& error) {
        m_backend.showError(error.message());
        m_view.setMessage(QString());
        m_backend.closeConnection();
        return false;
    }
    return true;
}

}  // namespace zel
