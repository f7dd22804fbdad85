// The photo window's layout, life cycle, crop, compression and confirmation.
#include "photo/TPhotoForm.h"

#include "data/DbError.h"
#include "photo/CropFrame.h"
#include "photo/JpegCodec.h"
#include "photo/PictureView.h"
#include "ui/GuardedAction.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace zel {

namespace {

constexpr int kLeftPanelWidth = 155;
constexpr int kBottomBarHeight = 41;
constexpr int kSliderStart = 50;
/// Larger frames would make a picture nobody stores on a card.
constexpr int kMaxCropSide = 4096;

QFont bold(QFont font)
{
    font.setBold(true);
    return font;
}

}  // namespace

TPhotoForm::TPhotoForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PhotoForm"));
    setWindowTitle(QStringLiteral("Фото"));
    QFont base = font();
    base.setFamily(QStringLiteral("Sans Serif"));
    base.setPointSize(8);
    setFont(base);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    buildMenu();
    outer->setMenuBar(MainMenu1);

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    outer->addWidget(ClientArea);
    auto* grid = new QGridLayout(ClientArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    buildLeftPanel();
    grid->addWidget(Panel1, 0, 0);
    Image1 = new PictureView(ClientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFocusPolicy(Qt::ClickFocus);
    grid->addWidget(Image1, 0, 1);
    buildBottomBar();
    grid->addWidget(Panel2, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    // Outside the layout: it floats over the image area.
    Shape1 = new CropFrame(ClientArea);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->raise();

    Image1->installEventFilter(this);
    Shape1->installEventFilter(this);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);

    connect(N2, &QAction::triggered, this, ui::guarded(this, [this] { N2Click(); }));
    connect(N3, &QAction::triggered, this, [this] { N3Click(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded(this, [this] { Edit1Change(); }));
    connect(SpeedButton1, &QPushButton::clicked, this, ui::guarded(this, [this] { SpeedButton1Click(); }));
    connect(TrackBar1, &QSlider::valueChanged, this, ui::guarded(this, [this] { TrackBar1Change(); }));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    resize(984, 557);
    FormCreate();
}

TPhotoForm::~TPhotoForm()
{
    FormDestroy();
}

void TPhotoForm::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* picture = MainMenu1->addMenu(QStringLiteral("Изображение"));
    N2 = picture->addAction(QStringLiteral("Вырзать"));
    N2->setObjectName(QStringLiteral("N2"));
    N2->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    N3 = picture->addAction(QStringLiteral("выход"));
    N3->setObjectName(QStringLiteral("N3"));
    N3->setShortcut(QKeySequence(Qt::Key_Escape));
    // Window-wide: the keys act whichever control has the focus.
    for (QAction* action : {N2, N3}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void TPhotoForm::buildLeftPanel()
{
    Panel1 = new QWidget(ClientArea);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(kLeftPanelWidth);

    CheckBox1 = new QCheckBox(QStringLiteral("Нормальный вид"), Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setFont(bold(font()));
    CheckBox1->setGeometry(8, 8, 140, 19);

    auto* xLabel = new QLabel(QStringLiteral("X:"), Panel1);
    xLabel->setGeometry(8, 38, 16, 17);
    Edit1 = new QLineEdit(QStringLiteral("0"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(28, 35, 70, 21);

    auto* yLabel = new QLabel(QStringLiteral("Y:"), Panel1);
    yLabel->setGeometry(8, 65, 16, 17);
    Edit2 = new QLineEdit(QStringLiteral("0"), Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(28, 62, 70, 21);
    Edit2->setReadOnly(true);
    QPalette grey = Edit2->palette();
    grey.setColor(QPalette::Base, QColor(212, 208, 200));
    Edit2->setPalette(grey);

    SpeedButton1 = new QPushButton(QStringLiteral("Установить размер"), Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(8, 90, 139, 25);
    SpeedButton1->setAutoDefault(false);

    TrackBar1 = new QSlider(Qt::Horizontal, Panel1);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 100);
    TrackBar1->setSingleStep(1);
    TrackBar1->setTickPosition(QSlider::TicksAbove);
    TrackBar1->setValue(kSliderStart);
    TrackBar1->setGeometry(4, 124, 147, 32);

    Image2 = new PictureView(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image2->setLineWidth(1);
    Image2->setGeometry(21, 164, 113, 151);

    Label3 = new QLabel(QStringLiteral("0 KB"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(bold(font()));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setAutoFillBackground(true);
    QPalette light = Label3->palette();
    light.setColor(QPalette::Window, QColor(224, 224, 224));
    Label3->setPalette(light);
    Label3->setGeometry(21, 319, 113, 17);

    // None of them is reached with Tab; a click still gives the focus.
    for (QWidget* control : std::initializer_list<QWidget*>{CheckBox1, Edit1, Edit2, SpeedButton1, TrackBar1})
        control->setFocusPolicy(Qt::ClickFocus);
}

void TPhotoForm::buildBottomBar()
{
    Panel2 = new QWidget(ClientArea);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(kBottomBarHeight);
    auto* row = new QHBoxLayout(Panel2);
    row->setContentsMargins(8, 7, 8, 7);
    row->addStretch(1);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Применить"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(bold(font()));
    BitBtn1->setFixedSize(110, 27);
    // Enter belongs to the crop command, not to a default button.
    BitBtn1->setAutoDefault(false);
    BitBtn1->setDefault(false);
    row->addWidget(BitBtn1);
}

void TPhotoForm::FormCreate()
{
    // Qt paints every window through a back buffer: dragging the frame does not flicker.
    ResultBitmap = QImage();
    setFrame(m_frameLeft, m_frameTop, 0, 0);
}

void TPhotoForm::FormDestroy()
{
    ResultBitmap = QImage();
    if (m_temporaryFolder) {
        QFile::remove(m_temporaryFolder->filePath(QStringLiteral("1.jpg")));
        m_temporaryFolder.reset();
    }
}

void TPhotoForm::SetPicture(const QImage& picture)
{
    Image1->setPicture(picture);
}

QString TPhotoForm::TemporaryFileName() const
{
    return m_temporaryFolder ? m_temporaryFolder->filePath(QStringLiteral("1.jpg")) : QString();
}

QString TPhotoForm::temporaryFile()
{
    if (!m_temporaryFolder) {
        // A folder of its own under the user's temporary folder, readable by the
        // user only: the program's folder may be read-only, a fixed name may be taken.
        auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zel4-photo-XXXXXX"));
        if (!folder->isValid())
            throw IoError(QStringLiteral("Не удаётся создать временную папку для снимка в \"%1\".\n(%2)")
                              .arg(QDir::tempPath(), folder->errorString()));
        m_temporaryFolder = std::move(folder);
    }
    return m_temporaryFolder->filePath(QStringLiteral("1.jpg"));
}

QString TPhotoForm::SizeText(qint64 bytes)
{
    QString number = QString::asprintf("%10.2f", double(bytes) / 1024.0);
    number.remove(u' ');
    number.replace(u'.', QLocale().decimalPoint());
    return number + QStringLiteral(" KB");
}

void TPhotoForm::CheckBox1Click()
{
    Image1->setNaturalSize(CheckBox1->isChecked());
}

void TPhotoForm::N2Click()
{
    if (m_frameWidth <= 0 || m_frameHeight <= 0)
        throw Error(QStringLiteral("Нечего вырезать: рамка не выделена (ширина %1, высота %2).\n"
                                   "Обведите рамкой часть снимка, протянув мышь вправо, и повторите.")
                        .arg(m_frameWidth)
                        .arg(m_frameHeight));
    if (m_frameWidth > kMaxCropSide || m_frameHeight > kMaxCropSide)
        throw Error(QStringLiteral("Рамка слишком велика: %1 × %2 точек. "
                                   "Ширина и высота рамки не должны превышать %3 точек.")
                        .arg(m_frameWidth)
                        .arg(m_frameHeight)
                        .arg(kMaxCropSide));

    Shape1->hide();
    QImage shot = ClientArea->grab().toImage();
    if (shot.size() != ClientArea->size())
        shot = shot.scaled(ClientArea->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    // Pixels beyond the window's client area come out white.
    const QRect frame(m_frameLeft, m_frameTop, m_frameWidth, m_frameHeight);
    QImage cut(frame.size(), QImage::Format_RGB32);
    cut.fill(Qt::white);
    const QRect inside = frame & shot.rect();
    if (!inside.isEmpty()) {
        QPainter painter(&cut);
        painter.drawImage(inside.topLeft() - frame.topLeft(), shot, inside);
    }
    ResultBitmap = cut;

    Image1->setPicture(ResultBitmap);
    Image2->setPicture(ResultBitmap);
    {
        const QSignalBlocker quiet(TrackBar1);
        TrackBar1->setValue(kSliderStart);
    }
    compress();
}

void TPhotoForm::N3Click()
{
    reject();
}

void TPhotoForm::TrackBar1Change()
{
    compress();
}

void TPhotoForm::compress()
{
    // Before the first crop there is nothing to compress.
    if (ResultBitmap.isNull())
        return;
    const int quality = qMax(1, 100 - TrackBar1->value());
    const QByteArray bytes = JpegCodec::encode(ResultBitmap, quality);
    const QString path = temporaryFile();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw IoError(QStringLiteral("Не удаётся записать временный файл \"%1\".\n(%2)").arg(path, file.errorString()));
    file.close();
    const QImage compressed = JpegCodec::readFile(path);
    m_lastQuality = quality;
    Image1->setPicture(compressed);
    Image2->setPicture(compressed);
    Label3->setText(SizeText(QFileInfo(path).size()));
}

void TPhotoForm::BitBtn1Click()
{
    const QImage& preview = Image2->picture();
    ResultBitmap = preview.isNull() ? QImage() : preview.convertToFormat(QImage::Format_RGB32);
    accept();
}

}  // namespace zel
