#include "ui/CaptionLabel.h"

#include "ui/DialogService.h"

namespace zel::ui {

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCaption(caption);
}

void CaptionLabel::setCaption(const QString& caption)
{
    setText(messageText(caption));
}

void CaptionLabel::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void CaptionLabel::setColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color.isValid() ? color : QPalette().color(QPalette::WindowText));
    setPalette(p);
}

}  // namespace zel::ui
