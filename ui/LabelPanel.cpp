#include "ui/LabelPanel.h"

#include "ui/DialogService.h"

namespace zel::ui {

LabelPanel::LabelPanel(const QString& caption, QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMargin(1);
    setText(messageText(caption));
}

QSize LabelPanel::sizeHint() const
{
    QSize hint = QLabel::sizeHint();
    hint.setHeight(qMax(hint.height(), fontMetrics().height() + 8));
    return hint;
}

}  // namespace zel::ui
