#pragma once
// A signed-in card with the start-up's dictionary window and second data module,
// whose modal windows run a script instead of waiting for a person.

#include "tests/card/CardSession.h"

#include "card/DictionaryShortcuts.h"
#include "data/modules/TDM.h"
#include "dictionaries/TForm5.h"

#include <QDialog>

#include <deque>
#include <functional>

namespace dicttest {

struct DictionarySession : cardtest::CardSession {
    zel::TDM second{dm};
    std::unique_ptr<zel::TForm5> form5 = std::make_unique<zel::TForm5>(dm);
    /// Each modal showing takes the next script; it acts on the shown window.
    std::deque<std::function<void(QDialog&)>> scripts;
    /// The windows shown modally so far, by object name, and their captions.
    QStringList shownNames;
    QStringList shownCaptions;
    int unscripted = 0;

    explicit DictionarySession(const QString& login = QStringLiteral("ivanova")) : CardSession(login)
    {
        window->Dictionaries().SetSharedWindow(form5.get());
        window->Dictionaries().SetSecondDataModule(&second);
        window->Dictionaries().SetModalRunner([this](QDialog& dialog) {
            shownNames << dialog.objectName();
            shownCaptions << dialog.windowTitle();
            dialog.setResult(QDialog::Rejected);
            dialog.show();
            if (scripts.empty()) {
                ++unscripted;
                dialog.close();
            } else {
                auto script = std::move(scripts.front());
                scripts.pop_front();
                script(dialog);
            }
            const int result = dialog.result();
            dialog.hide();
            return result;
        });
    }

    ~DictionarySession() { window->Dictionaries().SetModalRunner({}); }

    void then(std::function<void(QDialog&)> script) { scripts.push_back(std::move(script)); }

    int lastLogId() { return scalar(QStringLiteral("select isnull(max(id_log), 0) from ZEL_LOG")); }

    QList<QStringList> logSince(int id)
    {
        return rows(QStringLiteral("select [table], row_id, descr, ZEL_User from ZEL_LOG where id_log > %1 order by id_log")
                        .arg(id));
    }
};

}  // namespace dicttest
