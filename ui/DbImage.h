#pragma once

#include "ui/FieldDataLink.h"

#include <QFrame>
#include <QImage>

namespace zel::ui {

/// Picture of a blob field (JPEG, BMP or any format Qt reads), stretched to the
/// control's frame. setPicture() stores a picture as BMP bytes; clearPicture()
/// stores NULL. Undecodable bytes show an empty frame.
class DbImage : public QFrame {
    Q_OBJECT
public:
    explicit DbImage(QWidget* parent = nullptr);
    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }

    /// The picture shown; null when the field is NULL or not a picture.
    const QImage& picture() const { return m_picture; }
    /// Writes the picture into the field as BMP bytes (the dataset enters edit
    /// first). Returns false when the field cannot take it; the error is shown.
    bool setPicture(const QImage& picture);
    bool clearPicture() { return setPicture(QImage()); }

signals:
    /// The user (through the program) stored a new picture.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QImage m_pending;
    FieldDataLink m_link;
};

}  // namespace zel::ui
