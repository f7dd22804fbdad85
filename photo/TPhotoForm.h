#pragma once

#include <QDialog>
#include <QImage>

#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSlider;
class QTemporaryDir;

namespace zel {

class CropFrame;
class PictureView;

/// The photo crop window "Фото": the clerk draws a frame of 3 : 4 proportions over
/// the picture, moves it, cuts the picture to it ("Вырзать", Enter) and chooses the
/// compression on the slider while the preview and the file size follow.
///
/// Coordinates are those of the client area below the menu bar (ClientArea): the
/// image area Image1 starts at x = 155, y = 0, and the frame Shape1 lives in the
/// same coordinates. The frame's numbers may be zero or negative (a drag to the
/// left); the widget then shows nothing, and a crop of it is refused.
///
/// The compressed picture is written to "1.jpg" in a folder of its own that only
/// the user can enter, created at the first compression and removed, file and
/// folder, when the window is destroyed.
class TPhotoForm : public QDialog {
    Q_OBJECT
public:
    explicit TPhotoForm(QWidget* parent = nullptr);
    ~TPhotoForm() override;

    /// The caller's picture, shown in the image area before the window opens.
    void SetPicture(const QImage& picture);

    /// The cut-out picture; null until the first crop. After "Применить" it is the
    /// preview decoded again (null when nothing was cut out).
    QImage ResultBitmap;

    /// The frame in client coordinates; width and height as computed (may be <= 0).
    QRect FrameRect() const { return QRect(m_frameLeft, m_frameTop, m_frameWidth, m_frameHeight); }
    /// The compressed picture's file; empty before the first compression.
    QString TemporaryFileName() const;
    /// The JPEG quality of the last compression; 0 before the first.
    int LastQuality() const { return m_lastQuality; }
    /// The size label's text for a file of that many bytes: the kilobytes with two
    /// decimals and the locale's decimal separator, then " KB".
    static QString SizeText(qint64 bytes);

    // -- handlers; positions are in the coordinates of the control named --
    void Image1MouseDown(Qt::MouseButton button, const QPoint& at);
    void Image1MouseMove(Qt::MouseButtons held, const QPoint& at);
    void Image1MouseUp(Qt::MouseButton button);
    void Shape1MouseDown(const QPoint& at);
    void Shape1MouseMove(const QPoint& at);
    void Shape1MouseUp();
    void Edit1Change();
    void SpeedButton1Click();
    void N2Click();
    void N3Click();
    void TrackBar1Change();
    void CheckBox1Click();
    void BitBtn1Click();

    // -- controls --
    QMenuBar* MainMenu1;
    QAction* N2;  ///< "Вырзать"
    QAction* N3;  ///< "выход"
    QWidget* ClientArea;
    QWidget* Panel1;  ///< left panel
    QWidget* Panel2;  ///< bottom bar
    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* SpeedButton1;
    QSlider* TrackBar1;
    PictureView* Image2;
    QLabel* Label3;
    PictureView* Image1;
    CropFrame* Shape1;
    QPushButton* BitBtn1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildLeftPanel();
    void buildBottomBar();
    void FormCreate();
    void FormDestroy();
    bool filterKey(QEvent* event) const;
    bool routeMouse(QWidget* target, QEvent* event);
    void setFrame(int left, int top, int width, int height);
    void showFrameSize();
    void compress();
    QString temporaryFile();

    bool m_drawing = false;
    int m_pressX = 0;
    bool m_moving = false;
    QPoint m_grab;
    int m_frameLeft = 247;
    int m_frameTop = 139;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_lastQuality = 0;
    std::unique_ptr<QTemporaryDir> m_temporaryFolder;
};

}  // namespace zel
