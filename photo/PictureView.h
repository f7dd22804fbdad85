#pragma once

#include <QFrame>
#include <QImage>
#include <QPixmap>

namespace zel {

/// A picture shown either fitted into the control, keeping its proportions and
/// centred, or at its natural size from the top-left corner. The fitted picture is
/// scaled once per picture and size, not on every paint, so that a frame dragged
/// over a large photo does not make it re-scale.
class PictureView : public QFrame {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    /// A null image empties the control.
    void setPicture(const QImage& picture);

    bool naturalSize() const { return m_natural; }
    void setNaturalSize(bool natural);

    /// Where the picture is drawn, in the control's coordinates; empty without a picture.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    QImage m_picture;
    QPixmap m_shown;
    bool m_natural = false;
};

}  // namespace zel
