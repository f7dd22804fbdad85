#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace zel {

/// The application object. Besides the message loop it keeps the start-up
/// flags (show the main window when the loop starts, termination requested)
/// and shows every error that escapes an event handler in a message box with
/// the application title as caption; the program then goes on. The
/// silent-abort signal is never shown.
class ZelApplication : public QApplication {
    Q_OBJECT
public:
    ZelApplication(int& argc, char** argv);

    static ZelApplication* instance();

    /// Start of a run: no main window yet, no termination requested.
    void Initialize();

    QString Title() const { return m_title; }
    void SetTitle(const QString& title);

    bool ShowMainForm() const { return m_showMainForm; }
    void SetShowMainForm(bool show) { m_showMainForm = show; }

    /// The first window created; closing it ends the program.
    QWidget* MainForm() const { return m_mainForm; }
    void SetMainForm(QWidget* window);

    /// Ends the message loop (a nested modal loop too) at its next turn; a loop
    /// not yet started ends at once.
    void Terminate();
    bool Terminated() const { return m_terminated; }

    /// Runs the message loop: shows the main window first when the flag is set.
    int Run();

    bool notify(QObject* receiver, QEvent* event) override;

    /// The default error display.
    void ShowException(const QString& message);

private:
    QString m_title;
    QPointer<QWidget> m_mainForm;
    bool m_showMainForm = true;
    bool m_terminated = false;
};

}  // namespace zel
