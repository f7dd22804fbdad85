#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>

namespace zel {

class ZelApplication;

/// The long-lived objects of a run, created in this order. createMainWindow
/// runs the sign-in inside the window's creation; the three after it are
/// therefore created only once the sign-in window has closed.
struct StartupParts {
    std::function<std::unique_ptr<QObject>()> createMainDataModule;   ///< DM_PUM
    std::function<std::unique_ptr<QWidget>()> createMainWindow;       ///< TForm1
    std::function<std::unique_ptr<QWidget>()> createDictionaryWindow; ///< TForm5
    std::function<std::unique_ptr<QWidget>()> createTitleWindow;      ///< TForm15; may be empty
    std::function<std::unique_ptr<QObject>()> createDataModule;       ///< DM
};

/// Runs the program: clears the show-main-window flag, sets the application
/// title, creates the parts in order, runs the message loop (the main window
/// is shown only if the sign-in set the flag) and destroys the parts in
/// reverse order. Returns the loop's exit code.
int runProgram(ZelApplication& app, const StartupParts& parts);

}  // namespace zel
