#pragma once

#include <QToolButton>

namespace zel::ui {

/// A flat picture button: no frame until the mouse is over it, a picture and
/// optionally a caption, and a hint shown as its tooltip (unless hidden).
class FlatButton : public QToolButton {
    Q_OBJECT
public:
    explicit FlatButton(QWidget* parent = nullptr);
    FlatButton(const QIcon& picture, const QString& hint, QWidget* parent = nullptr);

    /// The hint text; shown as tooltip while hint showing is on (the default).
    QString hint() const { return m_hint; }
    void setHint(const QString& hint);
    void setShowHint(bool show);
    bool showsHint() const { return m_showHint; }

private:
    void updateToolTip();

    QString m_hint;
    bool m_showHint = true;
};

}  // namespace zel::ui
