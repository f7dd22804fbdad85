// The photo crop window: layout, drawing and moving the frame, the size edits,
// cropping what the window shows, compression into the temporary file, confirming.
#include "data/DbError.h"
#include "photo/CropFrame.h"
#include "photo/JpegCodec.h"
#include "photo/PictureView.h"
#include "photo/TPhotoForm.h"
#include "ui/ScriptedDialogService.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include <memory>

using namespace zel;

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);

int distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

/// 1000 x 1000 blue with a red 100 x 100 block in the top-left corner.
QImage blockPicture()
{
    QImage picture(1000, 1000, QImage::Format_RGB32);
    picture.fill(kBlue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            picture.setPixel(x, y, kRed);
    return picture;
}

/// Fine detail everywhere, so that the compression quality shows in the file size.
QImage detailedPicture()
{
    QImage picture(600, 600, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const quint32 h = quint32(x) * 2654435761u ^ quint32(y) * 40503u;
            picture.setPixel(x, y, qRgb(int(h & 0xff), int((h >> 8) & 0xff), (x + y) & 0xff));
        }
    return picture;
}

void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

/// Left-button drag on the image area, in its coordinates.
void drawFrame(TPhotoForm& form, QPoint from, QPoint to)
{
    mouse(form.Image1, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(form.Image1, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(form.Image1, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), {});
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), {});
    }
}

struct Shown {
    std::unique_ptr<TPhotoForm> form = std::make_unique<TPhotoForm>();

    explicit Shown(const QImage& picture = blockPicture())
    {
        form->SetPicture(picture);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    TPhotoForm* operator->() const { return form.get(); }
    TPhotoForm& operator*() const { return *form; }
};

}  // namespace

class PhotoFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void layoutAndStartingState()
    {
        Shown f;
        QCOMPARE(f->windowTitle(), QStringLiteral("Фото"));
        QCOMPARE(f->size(), QSize(984, 557));
        QCOMPARE(f->MainMenu1->actions().value(0)->text(), QStringLiteral("Изображение"));
        QCOMPARE(f->N2->text(), QStringLiteral("Вырзать"));
        QVERIFY(f->N2->shortcuts().contains(QKeySequence(Qt::Key_Return)));
        QCOMPARE(f->N3->text(), QStringLiteral("выход"));
        QCOMPARE(f->N3->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(f->CheckBox1->text(), QStringLiteral("Нормальный вид"));
        QVERIFY(f->CheckBox1->font().bold());
        QVERIFY(!f->CheckBox1->isChecked());
        QCOMPARE(f->Edit1->text(), QStringLiteral("0"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        QVERIFY(f->Edit2->isReadOnly());
        QVERIFY(!f->Edit1->isReadOnly());
        QCOMPARE(f->SpeedButton1->text(), QStringLiteral("Установить размер"));
        QCOMPARE(f->TrackBar1->minimum(), 0);
        QCOMPARE(f->TrackBar1->maximum(), 100);
        QCOMPARE(f->TrackBar1->value(), 50);
        QCOMPARE(f->TrackBar1->tickPosition(), QSlider::TicksAbove);
        QCOMPARE(f->Image2->size(), QSize(113, 151));
        QVERIFY(f->Image2->picture().isNull());
        QCOMPARE(f->Label3->text(), QStringLiteral("0 KB"));
        QVERIFY(f->Label3->font().bold());
        QCOMPARE(f->BitBtn1->text(), QStringLiteral("Применить"));
        QVERIFY(f->BitBtn1->font().bold());
        QCOMPARE(f->Panel1->width(), 155);
        QCOMPARE(f->Panel2->height(), 41);
        QCOMPARE(f->Image1->geometry().topLeft(), QPoint(155, 0));
        QCOMPARE(f->Image1->width(), f->ClientArea->width() - 155);
        QCOMPARE(f->Image1->height(), f->ClientArea->height() - 41);
        QCOMPARE(f->FrameRect(), QRect(247, 139, 0, 0));
        QVERIFY(f->ResultBitmap.isNull());
        QVERIFY(f->TemporaryFileName().isEmpty());
        for (QWidget* control : std::initializer_list<QWidget*>{f->CheckBox1, f->Edit1, f->Edit2, f->SpeedButton1,
                                                               f->TrackBar1})
            QVERIFY2(!(control->focusPolicy() & Qt::TabFocus), qPrintable(control->objectName()));
        // The picture is fitted and centred: 1000 x 1000 into the area's height.
        const QRect shown = f->Image1->pictureRect();
        QCOMPARE(shown.height(), f->Image1->height());
        QCOMPARE(shown.width(), shown.height());
        QVERIFY(std::abs(shown.center().x() - f->Image1->width() / 2) <= 1);
        f->CheckBox1->click();
        QCOMPARE(f->Image1->pictureRect(), QRect(0, 0, 1000, 1000));
        f->CheckBox1->click();
        QCOMPARE(f->Image1->pictureRect(), shown);
    }

    void drawingAFrameKeepsThreeToFour()
    {
        Shown f;
        mouse(f->Image1, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(165, 10, 0, 0));
        QCOMPARE(f->Edit1->text(), QStringLiteral("0"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        QVERIFY(f->Shape1->isVisible());
        mouse(f->Image1, QEvent::MouseMove, {100, 10}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(165, 10, 90, 120));
        QCOMPARE(f->Shape1->geometry(), QRect(165, 10, 90, 120));
        QCOMPARE(f->Edit1->text(), QStringLiteral("90"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("120"));
        // Only the horizontal movement counts.
        mouse(f->Image1, QEvent::MouseMove, {110, 300}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(165, 10, 100, 133));
        mouse(f->Image1, QEvent::MouseMove, {13, 10}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(165, 10, 3, 4));
        QCOMPARE(f->Edit1->text(), QStringLiteral("3"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("4"));
        // To the left of the press: negative numbers, truncated toward zero.
        mouse(f->Image1, QEvent::MouseMove, {0, 10}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(165, 10, -10, -13));
        QCOMPARE(f->Edit1->text(), QStringLiteral("-10"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("-13"));
        QCOMPARE(f->Shape1->size(), QSize(0, 0));
    }

    void drawingStopsAtTheBottomOfTheImageArea()
    {
        Shown f;
        const int areaHeight = f->Image1->height();
        drawFrame(*f, {10, areaHeight - 100}, {310, areaHeight - 100});
        QCOMPARE(f->FrameRect(), QRect(165, areaHeight - 100, 75, 100));
        QCOMPARE(f->FrameRect().bottom() + 1, areaHeight);
        QCOMPARE(f->Edit1->text(), QStringLiteral("75"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("100"));
        // Nothing limits the right edge.
        drawFrame(*f, {f->Image1->width() - 20, 0}, {f->Image1->width() + 40, 0});
        QCOMPARE(f->FrameRect(), QRect(155 + f->Image1->width() - 20, 0, 60, 80));
    }

    void onlyTheLeftButtonDrawsAndReleaseEndsTheDrag()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        const QRect drawn(165, 10, 90, 120);
        QCOMPARE(f->FrameRect(), drawn);
        mouse(f->Image1, QEvent::MouseMove, {300, 10}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(f->FrameRect(), drawn);
        mouse(f->Image1, QEvent::MouseMove, {300, 10}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), drawn);
        mouse(f->Image1, QEvent::MouseButtonPress, {400, 300}, Qt::RightButton, Qt::RightButton);
        mouse(f->Image1, QEvent::MouseMove, {500, 300}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(f->FrameRect(), drawn);
        QCOMPARE(f->Edit1->text(), QStringLiteral("90"));
        // The press gave the window's focus to the image area.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f->Image1));
    }

    void movingStopsFlushWithEachEdge()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        const QRect area = f->Image1->geometry();
        mouse(f->Shape1, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
        // A plain move first: the grab point stays under the mouse.
        mouse(f->Shape1, QEvent::MouseMove, {25, 45}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(185, 50, 90, 120));
        mouse(f->Shape1, QEvent::MouseMove, {-1000, 5}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(155, 50, 90, 120));
        mouse(f->Shape1, QEvent::MouseMove, {5, -1000}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(155, 0, 90, 120));
        mouse(f->Shape1, QEvent::MouseMove, {5000, 5}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(area.right() + 1 - 90, 0, 90, 120));
        mouse(f->Shape1, QEvent::MouseMove, {5, 5000}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), QRect(area.right() + 1 - 90, area.bottom() + 1 - 120, 90, 120));
        mouse(f->Shape1, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
        const QRect resting = f->FrameRect();
        mouse(f->Shape1, QEvent::MouseMove, {-50, -50}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f->FrameRect(), resting);
        // Any button moves it.
        mouse(f->Shape1, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
        mouse(f->Shape1, QEvent::MouseMove, {-5, -5}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(f->FrameRect(), resting.translated(-10, -10));
    }

    void aFrameLargerThanTheAreaSitsOnTheBottomAndRightEdges()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        f->Edit1->setText(QStringLiteral("2000"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("2666"));
        f->SpeedButton1->click();
        QCOMPARE(f->FrameRect(), QRect(165, 10, 2000, 2666));
        mouse(f->Shape1, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
        mouse(f->Shape1, QEvent::MouseMove, {6, 6}, Qt::NoButton, Qt::LeftButton);
        const QRect area = f->Image1->geometry();
        QCOMPARE(f->FrameRect(), QRect(area.right() + 1 - 2000, area.bottom() + 1 - 2666, 2000, 2666));
    }

    void typingTheWidthComputesTheHeight()
    {
        Shown f;
        f->Edit1->setFocus();
        f->Edit1->selectAll();
        typeText(f->Edit1, QStringLiteral("60"));
        QCOMPARE(f->Edit1->text(), QStringLiteral("60"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("80"));
        f->Edit1->selectAll();
        typeText(f->Edit1, QStringLiteral("0"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        typeText(f->Edit1, QStringLiteral("a0 -"));
        QCOMPARE(f->Edit1->text(), QStringLiteral("00"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        typeText(f->Edit1, QStringLiteral("9"));
        QCOMPARE(f->Edit1->text(), QStringLiteral("009"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("12"));
        QTest::keyClick(f->Edit1, Qt::Key_Backspace);
        QCOMPARE(f->Edit1->text(), QStringLiteral("00"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        f->Edit1->clear();
        QCOMPARE(f->Edit2->text(), QStringLiteral("0"));
        // Typing does not move or resize the frame; the button does, in place.
        QCOMPARE(f->FrameRect(), QRect(247, 139, 0, 0));
        typeText(f->Edit1, QStringLiteral("60"));
        f->SpeedButton1->click();
        QCOMPARE(f->FrameRect(), QRect(247, 139, 60, 80));
    }

    void setSizeKeepsAHiddenFrameHidden()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        f->N2->trigger();
        QVERIFY(f->Shape1->isHidden());
        f->Edit1->setText(QStringLiteral("30"));
        f->SpeedButton1->click();
        QCOMPARE(f->FrameRect(), QRect(165, 10, 30, 40));
        QVERIFY(f->Shape1->isHidden());
    }

    void aSizeThatIsNoWholeNumberIsRefusedAndChangesNothing()
    {
        ui::ScriptedDialogService dialogs;
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        // Pasted text bypasses the key filter.
        f->Edit1->setText(QStringLiteral("12a"));
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown()[0].text.contains(QStringLiteral("\"12a\" — не целое число")));
        QCOMPARE(f->Edit2->text(), QStringLiteral("120"));
        f->SpeedButton1->click();
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(f->FrameRect(), QRect(165, 10, 90, 120));
        f->Edit1->setText(QStringLiteral("99999999999"));
        QCOMPARE(dialogs.shown().size(), 3);
        QCOMPARE(f->Edit2->text(), QStringLiteral("120"));
        // Within the range, but its height would not be.
        f->Edit1->setText(QStringLiteral("2000000000"));
        QCOMPARE(dialogs.shown().size(), 4);
        QCOMPARE(f->Edit2->text(), QStringLiteral("120"));
        QCOMPARE(f->FrameRect(), QRect(165, 10, 90, 120));
    }

    void cropTakesWhatTheWindowShows()
    {
        Shown f;
        // Fitted: the picture sits centred, so the area's left edge shows no picture.
        drawFrame(*f, {10, 10}, {70, 10});
        f->N2->trigger();
        QCOMPARE(f->ResultBitmap.size(), QSize(60, 80));
        QVERIFY(distance(f->ResultBitmap.pixel(30, 40), kRed) > 200);
        QVERIFY(distance(f->ResultBitmap.pixel(30, 40), kBlue) > 200);

        // At natural size the red block is at the area's corner; the frame itself is not in the crop.
        Shown g;
        g->CheckBox1->click();
        drawFrame(*g, {10, 10}, {70, 10});
        g->N2->trigger();
        QCOMPARE(g->ResultBitmap.size(), QSize(60, 80));
        for (const QPoint at : {QPoint(0, 0), QPoint(30, 40), QPoint(59, 79)})
            QVERIFY2(distance(g->ResultBitmap.pixel(at), kRed) < 10, qPrintable(QString::number(g->ResultBitmap.pixel(at), 16)));
        QVERIFY(g->Shape1->isHidden());
        // Both pictures now show the compressed crop.
        QCOMPARE(g->Image1->picture().size(), QSize(60, 80));
        QCOMPARE(g->Image2->picture().size(), QSize(60, 80));
        QVERIFY(distance(g->Image2->picture().pixel(30, 40), kRed) < 30);

        // A second crop works on what the area now shows: the crop, enlarged to fit.
        g->CheckBox1->click();
        drawFrame(*g, {g->Image1->width() / 2 - 20, 100}, {g->Image1->width() / 2 + 10, 100});
        g->N2->trigger();
        QCOMPARE(g->ResultBitmap.size(), QSize(30, 40));
        QVERIFY(distance(g->ResultBitmap.pixel(15, 20), kRed) < 40);
    }

    void enterCropsAndEscLeavesFromAnyControl()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {70, 10});
        for (QWidget* control : std::initializer_list<QWidget*>{f->Edit1, f->TrackBar1, f->BitBtn1}) {
            f->ResultBitmap = QImage();
            f->Shape1->show();
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QVERIFY2(!f->ResultBitmap.isNull(), qPrintable(control->objectName()));
            QVERIFY(f->isVisible());
        }
        f->TrackBar1->setFocus();
        QTest::keyClick(f->TrackBar1, Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QCOMPARE(f->result(), int(QDialog::Rejected));
    }

    void sliderChoosesTheQualityAndTheLabelShowsTheSize()
    {
        Shown f(detailedPicture());
        f->CheckBox1->click();
        drawFrame(*f, {0, 0}, {300, 0});
        f->N2->trigger();
        QCOMPARE(f->TrackBar1->value(), 50);
        QCOMPARE(f->LastQuality(), 50);
        const QString path = f->TemporaryFileName();
        QVERIFY(QFileInfo::exists(path));

        f->TrackBar1->setValue(0);
        QCOMPARE(f->LastQuality(), 100);
        const qint64 best = QFileInfo(path).size();
        QCOMPARE(f->Label3->text(), QLocale().toString(double(best) / 1024.0, 'f', 2) + QStringLiteral(" KB"));
        QVERIFY(f->Label3->text().contains(u','));
        QCOMPARE(JpegCodec::readFile(path).size(), QSize(300, 400));

        f->TrackBar1->setValue(100);
        QCOMPARE(f->LastQuality(), 1);
        const qint64 worst = QFileInfo(path).size();
        QVERIFY(worst * 3 < best);
        QCOMPARE(f->Label3->text(), QLocale().toString(double(worst) / 1024.0, 'f', 2) + QStringLiteral(" KB"));
        // The crop itself is kept: each step compresses the same pixels afresh.
        QCOMPARE(f->ResultBitmap.size(), QSize(300, 400));
        f->TrackBar1->setValue(0);
        QCOMPARE(QFileInfo(path).size(), best);
    }

    void sizeTextUsesTheLocalesSeparatorWithoutBlanks()
    {
        QCOMPARE(TPhotoForm::SizeText(1536), QStringLiteral("1,50 KB"));
        QCOMPARE(TPhotoForm::SizeText(0), QStringLiteral("0,00 KB"));
        QCOMPARE(TPhotoForm::SizeText(2 * 1024 * 1024 + 10), QStringLiteral("2048,01 KB"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TPhotoForm::SizeText(1536), QStringLiteral("1.50 KB"));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void cropResetsTheSliderToFifty()
    {
        Shown f(detailedPicture());
        drawFrame(*f, {300, 10}, {390, 10});
        f->N2->trigger();
        f->TrackBar1->setValue(85);
        QCOMPARE(f->LastQuality(), 15);
        f->Shape1->show();
        f->N2->trigger();
        QCOMPARE(f->TrackBar1->value(), 50);
        QCOMPARE(f->LastQuality(), 50);
    }

    void applyWithoutCropGivesAnEmptyResultAndOk()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        f->BitBtn1->click();
        QCOMPARE(f->result(), int(QDialog::Accepted));
        QVERIFY(f->ResultBitmap.isNull());
    }

    void applyAfterCropGivesTheDecodedPreview()
    {
        Shown f(detailedPicture());
        drawFrame(*f, {300, 10}, {390, 10});
        f->N2->trigger();
        f->TrackBar1->setValue(90);
        const QImage compressed = JpegCodec::readFile(f->TemporaryFileName());
        f->BitBtn1->click();
        QCOMPARE(f->result(), int(QDialog::Accepted));
        QCOMPARE(f->ResultBitmap.size(), QSize(90, 120));
        QCOMPARE(f->ResultBitmap, compressed.convertToFormat(QImage::Format_RGB32));
    }

    void aFrameWithoutSizeIsRefused()
    {
        ui::ScriptedDialogService dialogs;
        Shown f;
        // A drag to the left of the press.
        drawFrame(*f, {200, 10}, {110, 10});
        QCOMPARE(f->Edit1->text(), QStringLiteral("-90"));
        QCOMPARE(f->Edit2->text(), QStringLiteral("-120"));
        f->N2->trigger();
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown()[0].text.startsWith(QStringLiteral("Нечего вырезать: рамка не выделена")));
        QVERIFY(f->ResultBitmap.isNull());
        QVERIFY(f->TemporaryFileName().isEmpty());
        QVERIFY(!f->Shape1->isHidden());
        // A bare click gives a frame of 0 x 0.
        drawFrame(*f, {200, 10}, {200, 10});
        f->N2->trigger();
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY(f->ResultBitmap.isNull());
        // Nor is a frame larger than any photo cut out.
        f->Edit1->setText(QStringLiteral("5000"));
        f->SpeedButton1->click();
        f->N2->trigger();
        QCOMPARE(dialogs.shown().size(), 3);
        QVERIFY(dialogs.shown()[2].text.startsWith(QStringLiteral("Рамка слишком велика: 5000 × 6666 точек.")));
        QVERIFY(f->ResultBitmap.isNull());
    }

    void framePartsBeyondTheWindowComeOutWhite()
    {
        // Wide enough to reach the right edge of the area when fitted.
        QImage wide(3000, 1000, QImage::Format_RGB32);
        wide.fill(kBlue);
        Shown f(wide);
        drawFrame(*f, {f->Image1->width() - 30, f->Image1->height() / 2 - 60},
                  {f->Image1->width() + 60, f->Image1->height() / 2 - 60});
        QCOMPARE(f->FrameRect().width(), 90);
        f->N2->trigger();
        QCOMPARE(f->ResultBitmap.size(), QSize(90, 120));
        QCOMPARE(f->ResultBitmap.pixel(89, 60), qRgb(255, 255, 255));
        QVERIFY(distance(f->ResultBitmap.pixel(5, 60), kBlue) < 10);
    }

    void theSliderBeforeAnyCropDoesNothing()
    {
        ui::ScriptedDialogService dialogs;
        Shown f;
        f->TrackBar1->setValue(10);
        QCOMPARE(f->Label3->text(), QStringLiteral("0 KB"));
        QVERIFY(f->TemporaryFileName().isEmpty());
        QVERIFY(f->Image2->picture().isNull());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void theTemporaryFileIsPrivateAndGoesWithTheWindow()
    {
        Shown f;
        drawFrame(*f, {10, 10}, {100, 10});
        f->N2->trigger();
        const QString path = f->TemporaryFileName();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("1.jpg"));
        QVERIFY(QFileInfo::exists(path));
        const QString folder = QFileInfo(path).absolutePath();
        QVERIFY(!folder.startsWith(QCoreApplication::applicationDirPath()));
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFileInfo(folder).permissions() & others, QFile::Permissions());
        // Each window has a folder of its own.
        Shown g;
        drawFrame(*g, {10, 10}, {100, 10});
        g->N2->trigger();
        QVERIFY(QFileInfo(g->TemporaryFileName()).absolutePath() != folder);

        f->BitBtn1->click();
        QVERIFY(QFileInfo::exists(path));
        f.form.reset();
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(folder));
    }

    void aTemporaryFileThatCannotBeWrittenLeavesPictureAndLabel()
    {
        ui::ScriptedDialogService dialogs;
        Shown f(detailedPicture());
        drawFrame(*f, {300, 10}, {390, 10});
        f->N2->trigger();
        const QString path = f->TemporaryFileName();
        const QString label = f->Label3->text();
        const QImage shown = f->Image1->picture();
        // A folder where the file should be: no account can write it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        f->TrackBar1->setValue(0);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown()[0].text.startsWith(QStringLiteral("Не удаётся записать временный файл \"%1\"").arg(path)));
        QCOMPARE(f->Label3->text(), label);
        QCOMPARE(f->Image1->picture(), shown);
        QCOMPARE(f->LastQuality(), 50);
        // Released, the window still takes its folder away.
        const QString folder = QFileInfo(path).absolutePath();
        f.form.reset();
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_MAIN(PhotoFormTest)

#include "tst_photo_form.moc"
