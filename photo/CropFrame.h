#pragma once

#include <QWidget>

namespace zel {

/// The crop frame drawn over the picture: a see-through silver rectangle with a
/// dotted outline. Its geometry is set by the photo window, which also handles its mouse.
class CropFrame : public QWidget {
    Q_OBJECT
public:
    explicit CropFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zel
