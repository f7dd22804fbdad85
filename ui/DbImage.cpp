#include "ui/DbImage.h"

#include "ui/MessageBoxes.h"
#include "ui/PictureBytes.h"

#include "data/dataset/TField.h"

#include <QPainter>

namespace zel::ui {

DbImage::DbImage(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_link.load = [this] {
        TField* field = m_link.field();
        m_picture = field && !field->IsNull() ? PictureBytes::decode(field->AsBytes()) : QImage();
        update();
    };
    m_link.write = [this] {
        if (m_pending.isNull())
            m_link.field()->Clear();
        else
            m_link.field()->SetAsBytes(PictureBytes::toBmp(m_pending));
    };
}

void DbImage::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

bool DbImage::setPicture(const QImage& picture)
{
    if (!m_link.beginChange())
        return false;
    m_pending = picture;
    m_link.markModified();
    try {
        m_link.commit();
    } catch (const std::exception& failure) {
        MessageBoxes::showException(this, failure);
        m_link.reset();
        return false;
    }
    m_pending = QImage();
    emit changed();
    return true;
}

void DbImage::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsRect(), m_picture);
}

}  // namespace zel::ui
