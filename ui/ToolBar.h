#pragma once

#include <QToolBar>

namespace zel::ui {

/// A fixed tool bar at the top of a window: not movable, not floatable, of a
/// given height, holding buttons left to right.
class ToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit ToolBar(int height, QWidget* parent = nullptr);
};

}  // namespace zel::ui
