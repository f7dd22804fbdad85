#include "StartupSequence.h"

#include "BuildInfo.h"
#include "ZelApplication.h"

namespace zel {

int runProgram(ZelApplication& app, const StartupParts& parts)
{
    app.Initialize();
    app.SetShowMainForm(false);
    app.SetTitle(program::title());

    std::unique_ptr<QObject> mainDataModule = parts.createMainDataModule();
    std::unique_ptr<QWidget> mainWindow = parts.createMainWindow();
    app.SetMainForm(mainWindow.get());
    std::unique_ptr<QWidget> dictionaryWindow =
        parts.createDictionaryWindow ? parts.createDictionaryWindow() : nullptr;
    std::unique_ptr<QWidget> titleWindow = parts.createTitleWindow ? parts.createTitleWindow() : nullptr;
    std::unique_ptr<QObject> dataModule = parts.createDataModule ? parts.createDataModule() : nullptr;

    const int code = app.Run();

    app.SetMainForm(nullptr);
    dataModule.reset();
    titleWindow.reset();
    dictionaryWindow.reset();
    mainWindow.reset();
    mainDataModule.reset();
    return code;
}

}  // namespace zel
