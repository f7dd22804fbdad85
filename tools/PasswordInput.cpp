#include "PasswordInput.h"

#include <QFile>

#include <cstdio>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace zel::tools {

namespace {

QString withoutLineEnd(QString line)
{
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

std::optional<QString> firstLine(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    return withoutLineEnd(QString::fromUtf8(line.data(), qsizetype(line.size())));
}

// Echo off while the password is typed; restored however the read ends.
class HiddenInput {
public:
    HiddenInput()
    {
        m_active = tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (m_active) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    ~HiddenInput()
    {
        if (m_active)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
    }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

private:
    termios m_saved{};
    bool m_active = false;
};

std::optional<QString> ask(const char* prompt, QTextStream& err)
{
    err << prompt;
    err.flush();
    std::optional<QString> answer;
    {
        HiddenInput hidden;
        answer = firstLine(std::cin);
    }
    err << "\n";
    return answer;
}

}  // namespace

std::optional<QString> PasswordInput::fromStandardInput(QTextStream& err)
{
    std::optional<QString> password;
    if (isatty(STDIN_FILENO)) {
        password = ask("Новый пароль: ", err);
        const std::optional<QString> again = password ? ask("Повторите пароль: ", err) : std::nullopt;
        if (password && again && *password != *again) {
            err << "Пароли не совпадают; ничего не изменено.\n";
            return std::nullopt;
        }
    } else {
        password = firstLine(std::cin);
    }
    if (!password || password->isEmpty()) {
        err << "Пароль не прочитан: ожидалась непустая строка на стандартном вводе.\n";
        return std::nullopt;
    }
    return password;
}

std::optional<QString> PasswordInput::fromFile(const QString& path, QTextStream& err)
{
    if (path == QLatin1String("-"))
        return fromStandardInput(err);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Не удалось прочитать файл пароля \"" << path << "\": " << file.errorString() << "\n";
        return std::nullopt;
    }
    const QString password = withoutLineEnd(QString::fromUtf8(file.readLine()));
    if (password.isEmpty()) {
        err << "Файл пароля \"" << path << "\" пуст.\n";
        return std::nullopt;
    }
    return password;
}

}  // namespace zel::tools
