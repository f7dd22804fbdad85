#pragma once

#include "ui/DialogService.h"

#include <QList>
#include <QString>

namespace zel::ui {

/// A dialog service for tests: records every message box and answers from a
/// queue. With the queue empty it answers Ok for an OK box and No otherwise.
/// Installs itself on construction and restores the default when destroyed.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    ScriptedDialogService() { DialogService::setCurrent(this); }
    ~ScriptedDialogService() override { DialogService::setCurrent(nullptr); }
    ScriptedDialogService(const ScriptedDialogService&) = delete;
    ScriptedDialogService& operator=(const ScriptedDialogService&) = delete;

    void queueAnswer(Answer answer) { m_answers.append(answer); }
    const QList<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); m_answers.clear(); }

    Answer message(QWidget*, const QString& caption, const QString& text, Icon icon,
                   Buttons buttons) override
    {
        m_shown.append({caption, text, icon, buttons});
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }

private:
    QList<Answer> m_answers;
    QList<Shown> m_shown;
};

}  // namespace zel::ui
