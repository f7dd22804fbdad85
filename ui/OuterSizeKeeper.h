#pragma once

#include <QObject>
#include <QSize>

class QWidget;

namespace zel::ui {

/// Keeps a top-level window's outer size (its frame included) fixed: the client
/// area is whatever remains inside the frame the window system draws. The frame is
/// known only once the window is shown and may change when the window manager
/// takes the window over, so the client size is fitted again at every show and move.
class OuterSizeKeeper : public QObject {
public:
    /// Installs itself on window (which becomes its parent) and fixes the size at once
    /// as if the frame were empty.
    OuterSizeKeeper(QWidget* window, const QSize& outer);

    QSize outerSize() const { return m_outer; }
    /// Fits the client size to the frame the window has now.
    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QSize m_outer;
};

}  // namespace zel::ui
