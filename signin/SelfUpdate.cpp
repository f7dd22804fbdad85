#include "SelfUpdate.h"

#include "BuildInfo.h"
#include "UpdateDownload.h"
#include "ZelApplication.h"

#include "data/DbError.h"
#include "ui/DialogService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

namespace zel {

namespace {

// A value in single quotes for sh; a quote inside becomes '\''.
QString shellQuoted(const QString& text)
{
    QString out = text;
    out.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + out + u'\'';
}

}  // namespace

QString SelfUpdate::sourcePath()
{
    return QStringLiteral("/zelprogs/") + program::name() + QStringLiteral(".exe");
}

QString SelfUpdate::temporaryFolder(const QString& programFile)
{
    return QFileInfo(programFile).absolutePath() + QStringLiteral("/tempZEL");
}

QString SelfUpdate::scriptPath(const QString& programFile)
{
    return QFileInfo(programFile).absolutePath() + u'/' + program::name() + QStringLiteral(".sh");
}

QString SelfUpdate::scriptText(const QString& programFile, qint64 waitForPid)
{
    const QFileInfo program(programFile);
    // The program's own folder, not the current directory: started from
    // elsewhere, the update must still find its files.
    QStringList lines = {
        QStringLiteral("#!/bin/sh"),
        QStringLiteral("ZEL_PID=%1").arg(waitForPid),
        QStringLiteral("ZEL_HOME=") + shellQuoted(program.absolutePath()),
        QStringLiteral("ZEL_PROG=") + shellQuoted(program.fileName()),
        QStringLiteral("ZEL_TEMP=\"$ZEL_HOME/tempZEL\""),
        QStringLiteral("ZEL_NEW=\"$ZEL_TEMP/") + program::name() + QStringLiteral(".exe\""),
        QStringLiteral("while kill -0 \"$ZEL_PID\" 2>/dev/null; do sleep 0.1; done"),
        QStringLiteral("[ -s \"$ZEL_NEW\" ] || exit 1"),
        QStringLiteral("cp \"$ZEL_NEW\" \"$ZEL_HOME/$ZEL_PROG.new\" || exit 1"),
        QStringLiteral("chmod 755 \"$ZEL_HOME/$ZEL_PROG.new\""),
        QStringLiteral("mv -f \"$ZEL_HOME/$ZEL_PROG.new\" \"$ZEL_HOME/$ZEL_PROG\" || exit 1"),
        QStringLiteral("rm -rf \"$ZEL_TEMP\""),
        QStringLiteral("cd \"$ZEL_HOME\" && exec \"$ZEL_HOME/$ZEL_PROG\""),
    };
    return lines.join(u'\n') + u'\n';
}

SelfUpdate::SelfUpdate(std::function<void(const QString&)> showNotice, QObject* parent)
    : QObject(parent), m_showNotice(std::move(showNotice))
{
    m_timer.setInterval(2000);
    connect(&m_timer, &QTimer::timeout, this, &SelfUpdate::onTimer);
}

bool SelfUpdate::Run(const Settings& given)
{
    Settings settings = given;
    if (settings.programFile.isEmpty())
        settings.programFile = QCoreApplication::applicationFilePath();
    if (settings.waitForPid == 0)
        settings.waitForPid = QCoreApplication::applicationPid();

    if (m_showNotice)
        m_showNotice(QStringLiteral("Идёт обновление программы, ПОДОЖДИТЕ..."));

    // An installed program lives in a system folder the clerk cannot write: the
    // package manager replaces it, not the program itself.
    const QString programFolder = QFileInfo(settings.programFile).absolutePath();
    if (!QFileInfo(programFolder).isWritable())
        throw IoError(QStringLiteral("Папка программы \"%1\" закрыта для записи: установленную программу "
                                     "обновляет администратор через менеджер пакетов.")
                          .arg(QDir::toNativeSeparators(programFolder)));

    const QString folder = temporaryFolder(settings.programFile);
    QDir().mkpath(folder);
    const QString downloaded = folder + u'/' + program::name() + QStringLiteral(".exe");

    QUrl source = settings.updateServer;
    source.setPath(sourcePath());
    QFileInfo probe(folder);
    if (!probe.isDir() || !probe.isWritable())
        throw IoError(QStringLiteral("Не удалось создать папку \"%1\".").arg(folder));

    const UpdateDownload::Result result = settings.updateServer.isValid() && !settings.updateServer.host().isEmpty()
        ? UpdateDownload::fetch(source, downloaded, QFileInfo(settings.programFile).fileName())
        : UpdateDownload::Result{};
    if (result.fileFailed)
        throw IoError(QStringLiteral("Не удалось записать файл \"%1\": %2.").arg(downloaded, result.error));
    if (!result.ok) {
        QDir(folder).removeRecursively();
        ui::DialogService::current().message(nullptr, QStringLiteral("Уведомление"),
                                             QStringLiteral("Сервер обновлений не доступен.\rОбратитесь к администратору."),
                                             ui::DialogService::Icon::Information, ui::DialogService::Buttons::Ok);
        if (auto* app = ZelApplication::instance())
            app->Terminate();
        return false;
    }

    const QString script = scriptPath(settings.programFile);
    QSaveFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("Не удалось записать сценарий обновления \"%1\": %2.").arg(script, file.errorString()));
    file.write(scriptText(settings.programFile, settings.waitForPid).toUtf8());
    if (!file.commit())
        throw IoError(QStringLiteral("Не удалось записать сценарий обновления \"%1\": %2.").arg(script, file.errorString()));
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    if (!QProcess::startDetached(QStringLiteral("/bin/sh"), {script}))
        emit scriptStartFailed(script);
    m_timer.setInterval(2000);
    m_timer.start();
    return true;
}

void SelfUpdate::onTimer()
{
    if (m_timer.interval() == 2000)
        m_timer.setInterval(100);
    if (auto* app = ZelApplication::instance())
        app->Terminate();
}

}  // namespace zel
