#pragma once

#include <QWidget>

namespace zel {

/// One of the two pictures behind the sign-in window, drawn in code: a calm
/// gradient with the captions beside the boxes and over the action areas.
class SignInPicture : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Upper, Lower };
    explicit SignInPicture(Kind kind, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintUpper(class QPainter& painter);
    void paintLower(class QPainter& painter);

    Kind m_kind;
};

}  // namespace zel
