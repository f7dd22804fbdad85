#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <span>

class QAbstractButton;
class QDialog;

namespace zel {

class TDM;
class TDM_PUM;
class TForm1;
class TForm5;
struct SharedDictionaryPage;

/// The card's dictionary buttons: the "+" beside a selector (or a button of an
/// education tab) opens the dictionary behind it for editing. No value is handed
/// back; the window edits the very dataset the selector lists.
///
/// Nine dictionaries open on their page of the shared window TForm5 with the
/// change history attached; the others open a window of their own, created for
/// one showing and destroyed afterwards. Buttons are found by object name under
/// the card's pages, so a tab connects its buttons simply by existing.
class DictionaryShortcuts : public QObject {
    Q_OBJECT
public:
    /// Shows a window modally and returns its result; tests replace it.
    using ModalRunner = std::function<int(QDialog& window)>;

    /// Creates a window of its own under the card.
    using WindowFactory = std::function<std::unique_ptr<QDialog>(DictionaryShortcuts& self, QWidget* parent)>;

    /// One button and what it opens.
    struct Shortcut {
        const char* button;
        /// The shared window's page; null for a window of its own.
        const SharedDictionaryPage* page;
        /// The own window; empty for a page.
        WindowFactory createWindow;
    };

    /// card and dm are not owned and outlive this object, which the card owns.
    DictionaryShortcuts(TForm1& card, TDM_PUM& dm);
    ~DictionaryShortcuts() override;

    /// Every shortcut: the nine pages, then the own windows.
    static std::span<const Shortcut> Shortcuts();

    /// Connects every button of the table that exists under the card's pages;
    /// returns how many were found. A button is connected once only.
    int Connect();
    /// The button of a shortcut on the card; null while its tab does not exist.
    QAbstractButton* FindButton(const QString& objectName) const;

    /// The window created at start-up; without one, the first use creates it.
    void SetSharedWindow(TForm5* window);
    TForm5& SharedWindow();
    TDM_PUM& DataModule() const { return m_dm; }
    /// The second data module (post-graduate structures and degrees).
    void SetSecondDataModule(TDM* dm);
    /// Null until the start-up has created it, and again once it is gone.
    TDM* SecondDataModule() const;

    void SetModalRunner(ModalRunner runner);
    int RunModal(QDialog& window);

    /// What a click on the named button does.
    void Open(const QString& button);
    /// Opens the shared window on a page with the change history attached.
    void OpenPage(const SharedDictionaryPage& page);

private:
    TForm1& m_card;
    TDM_PUM& m_dm;
    QPointer<TDM> m_secondModule;
    QPointer<TForm5> m_sharedWindow;
    std::unique_ptr<TForm5> m_ownSharedWindow;
    ModalRunner m_runModal;
};

}  // namespace zel
