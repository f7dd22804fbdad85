#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace zel {

/// Replaces the running program with the one on the update server: downloads
/// it into "tempZEL" beside the program, writes a shell script that waits for
/// the program to end, replaces the program file, removes the temporary folder
/// and starts the new program; starts that script detached and ends the
/// program two seconds later. A failed download leaves the program in place.
class SelfUpdate : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString programFile;   ///< the running executable; default applicationFilePath()
        QUrl updateServer;     ///< scheme, host and port of the update server
        qint64 waitForPid = 0; ///< the process the script waits for; default this one
    };

    /// The fixed path of the new program on the update server.
    static QString sourcePath();
    /// "<program folder>/tempZEL".
    static QString temporaryFolder(const QString& programFile);
    /// "<program folder>/ZEL 4.sh"; the next start deletes it.
    static QString scriptPath(const QString& programFile);
    /// The shell script's text for a program file and the process to wait for.
    static QString scriptText(const QString& programFile, qint64 waitForPid);

    /// showNotice shows the notice text (and lets the window repaint).
    explicit SelfUpdate(std::function<void(const QString&)> showNotice, QObject* parent = nullptr);

    /// Runs the update. Returns true when the hand-over script was started and
    /// the termination timer runs; false after a failed download, which has
    /// shown its message and requested termination. Throws zel::IoError when
    /// the temporary folder, the downloaded file or the script cannot be
    /// written: the program then goes on and a later sign-in may try again.
    bool Run(const Settings& settings);

    QTimer& terminationTimer() { return m_timer; }

signals:
    /// The script could not be started (the program still ends).
    void scriptStartFailed(const QString& path);

private:
    void onTimer();

    std::function<void(const QString&)> m_showNotice;
    QTimer m_timer;
};

}  // namespace zel
