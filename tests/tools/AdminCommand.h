#pragma once
// zel4-admin run as a separate process, the way the administrator runs it. The
// build names the executable in the environment variable ZEL_ADMIN.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace admintest {

/// What a finished command left: its exit code and both output streams.
struct CommandResult {
    int exitCode = -1;
    QString out;
    QString err;
};

/// Runs zel4-admin with these arguments; input, when given, arrives on its
/// standard input as a pipe (no terminal), which is then closed.
inline CommandResult admin(const QStringList& arguments, const QByteArray* input = nullptr)
{
    QProcess process;
    process.start(qEnvironmentVariable("ZEL_ADMIN"), arguments);
    if (input) {
        process.write(*input);
        process.closeWriteChannel();
    }
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline CommandResult adminWithInput(const QStringList& arguments, const QByteArray& input)
{
    return admin(arguments, &input);
}

}  // namespace admintest
