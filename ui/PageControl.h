#pragma once

#include <QTabWidget>

#include <functional>

namespace zel::ui {

/// Tab control whose tabs look like buttons with bold captions. A change made by
/// the user (click on a tab, keyboard) is announced twice: changing() before it,
/// with a veto, and changed() after it. A switch made by the program through
/// showPage() runs neither.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    /// Asked before a user change; returns false to refuse it. The current page is
    /// still the one being left. May throw: the change is then refused and the
    /// error goes on.
    using ChangingGuard = std::function<bool(int leaving, int entering)>;

    explicit PageControl(QWidget* parent = nullptr);

    void setChangingGuard(ChangingGuard guard) { m_guard = std::move(guard); }

    /// Shows the page without asking the guard and without changed().
    void showPage(int index);

    /// Makes a user change to index, as a click on its tab does: guard first,
    /// then the switch and changed(). Returns whether the page changed.
    bool userSelect(int index);

signals:
    /// A user change has been made; currentIndex() is the new page.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChangingGuard m_guard;
};

}  // namespace zel::ui
