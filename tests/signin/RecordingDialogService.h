#pragma once

#include "ui/DialogService.h"

#include <QStringList>

namespace zel::testing {

/// Answers every message box with OK (or the given answer) and keeps what it was asked.
class RecordingDialogService : public ui::DialogService {
public:
    QStringList captions, texts;
    Answer answer = Answer::Ok;

    Answer message(QWidget*, const QString& caption, const QString& text, Icon, Buttons) override
    {
        captions << caption;
        texts << text;
        return answer;
    }
};

}  // namespace zel::testing
