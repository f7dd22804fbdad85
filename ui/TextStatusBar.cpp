#include "ui/TextStatusBar.h"

#include <QLabel>

namespace zel::ui {

TextStatusBar::TextStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , m_label(new QLabel(this))
{
    m_label->setTextFormat(Qt::PlainText);
    addPermanentWidget(m_label, 1);  // permanent: tips never hide it
    setSizeGripEnabled(false);
}

QString TextStatusBar::text() const
{
    return m_label->text();
}

void TextStatusBar::setText(const QString& text)
{
    m_label->setText(text);
}

}  // namespace zel::ui
