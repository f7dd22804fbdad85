#include "ui/ToolBar.h"

namespace zel::ui {

ToolBar::ToolBar(int height, QWidget* parent)
    : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setFixedHeight(height);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

}  // namespace zel::ui
