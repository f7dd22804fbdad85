#include "ui/GroupBox.h"

namespace zel::ui {

GroupBox::GroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
}

void GroupBox::setBoldCaption(bool bold)
{
    // Only the caption turns bold: children get the normal weight back.
    setStyleSheet(bold ? QStringLiteral("QGroupBox { font-weight: bold; }") : QString());
}

}  // namespace zel::ui
