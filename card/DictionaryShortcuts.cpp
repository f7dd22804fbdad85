#include "card/DictionaryShortcuts.h"

#include "card/DictionaryAuditSession.h"
#include "card/TForm1.h"
#include "data/DbError.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"
#include "dictionaries/SharedDictionaryPages.h"
#include "dictionaries/TForm13.h"
#include "dictionaries/TForm14.h"
#include "dictionaries/TForm16.h"
#include "dictionaries/TForm17.h"
#include "dictionaries/TForm18.h"
#include "dictionaries/TForm5.h"
#include "ui/GuardedAction.h"
#include "ui/PageControl.h"

#include <QAbstractButton>

#include <vector>

namespace zel {

namespace {

const char* const kConnectedMark = "zelDictionaryShortcut";

template <class Window>
DictionaryShortcuts::WindowFactory mainModuleWindow()
{
    return [](DictionaryShortcuts& self, QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<Window>(self.DataModule(), parent);
    };
}

// The post-graduate lists live in the second data module, created after the sign-in.
template <class Window>
DictionaryShortcuts::WindowFactory secondModuleWindow()
{
    return [](DictionaryShortcuts& self, QWidget* parent) -> std::unique_ptr<QDialog> {
        if (!self.SecondDataModule())
            throw Error(QStringLiteral("Справочник недоступен: данные об образовании ещё не открыты."));
        return std::make_unique<Window>(*self.SecondDataModule(), parent);
    };
}

std::vector<DictionaryShortcuts::Shortcut> buildShortcuts()
{
    std::vector<DictionaryShortcuts::Shortcut> rows;
    for (const SharedDictionaryPage& page : sharedDictionaryPages())
        rows.push_back({page.button, &page, {}});
    rows.push_back({"Button10", nullptr, mainModuleWindow<TForm13>()});
    rows.push_back({"Button11", nullptr, mainModuleWindow<TForm14>()});
    rows.push_back({"RzBitBtn5", nullptr, mainModuleWindow<TForm18>()});
    rows.push_back({"RzBitBtn2", nullptr, secondModuleWindow<TForm16>()});
    rows.push_back({"RzBitBtn3", nullptr, secondModuleWindow<TForm17>()});
    return rows;
}

}  // namespace

DictionaryShortcuts::DictionaryShortcuts(TForm1& card, TDM_PUM& dm)
    : QObject(&card), m_card(card), m_dm(dm), m_runModal([](QDialog& window) { return window.exec(); })
{
    setObjectName(QStringLiteral("DictionaryShortcuts"));
}

DictionaryShortcuts::~DictionaryShortcuts() = default;

std::span<const DictionaryShortcuts::Shortcut> DictionaryShortcuts::Shortcuts()
{
    static const std::vector<Shortcut> rows = buildShortcuts();
    return rows;
}

QAbstractButton* DictionaryShortcuts::FindButton(const QString& objectName) const
{
    return m_card.PageControl1 ? m_card.PageControl1->findChild<QAbstractButton*>(objectName) : nullptr;
}

int DictionaryShortcuts::Connect()
{
    int found = 0;
    for (const Shortcut& shortcut : Shortcuts()) {
        const QString name = QString::fromLatin1(shortcut.button);
        QAbstractButton* button = FindButton(name);
        if (!button)
            continue;
        ++found;
        if (button->property(kConnectedMark).toBool())
            continue;
        button->setProperty(kConnectedMark, true);
        connect(button, &QAbstractButton::clicked, this, ui::guarded(&m_card, [this, name] { Open(name); }));
    }
    return found;
}

void DictionaryShortcuts::SetSecondDataModule(TDM* dm)
{
    m_secondModule = dm;
}

TDM* DictionaryShortcuts::SecondDataModule() const
{
    return m_secondModule.data();
}

void DictionaryShortcuts::SetSharedWindow(TForm5* window)
{
    m_sharedWindow = window;
}

TForm5& DictionaryShortcuts::SharedWindow()
{
    if (!m_sharedWindow) {
        m_ownSharedWindow = std::make_unique<TForm5>(m_dm);
        m_sharedWindow = m_ownSharedWindow.get();
    }
    return *m_sharedWindow;
}

void DictionaryShortcuts::SetModalRunner(ModalRunner runner)
{
    m_runModal = runner ? std::move(runner) : ModalRunner([](QDialog& window) { return window.exec(); });
}

int DictionaryShortcuts::RunModal(QDialog& window)
{
    return m_runModal(window);
}

void DictionaryShortcuts::Open(const QString& button)
{
    for (const Shortcut& shortcut : Shortcuts()) {
        if (button != QLatin1String(shortcut.button))
            continue;
        if (shortcut.page) {
            OpenPage(*shortcut.page);
            return;
        }
        const std::unique_ptr<QDialog> window = shortcut.createWindow(*this, &m_card);
        RunModal(*window);
        return;
    }
}

void DictionaryShortcuts::OpenPage(const SharedDictionaryPage& page)
{
    TForm5& window = SharedWindow();
    window.setWindowTitle(page.Caption());
    window.SetActivePage(page.page);
    TADOUpdateHistoryExec* history = m_card.ChangeHistory();
    AuditLog* log = m_card.AuditTrail();
    if (!history || !log) {
        RunModal(window);
        return;
    }
    const DictionaryAuditSession session(*history, *log, m_dm.*page.dataSource, m_dm.*page.dataSet,
                                         page.TableLabel(), page.KeyField());
    RunModal(window);
}

}  // namespace zel
