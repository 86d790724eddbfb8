// The shape button as a widget: its size, its two pictures on screen, presses
// inside and beside the shape (which reach the widget behind), the hint only
// over the shape, and the bevel width's range.

#include "buttonfixture.h"

#include "controls/buttons/fcshapebutton.h"

#include <QHelpEvent>
#include <QMouseEvent>

namespace tw::controls {
namespace {

using namespace testing;

constexpr QRgb kOutside = qRgb(128, 128, 0);
constexpr QRgb kFace = qRgb(0, 0, 255);

// A 20 by 20 disc of radius 8 round (10, 10) on olive.
QImage Disc()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kOutside);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if ((x - 10) * (x - 10) + (y - 10) * (y - 10) <= 64)
                image.setPixel(x, y, kFace);
    return image;
}

// Records the presses that reach it.
class Behind : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

struct ShapeButton : ButtonFixture {
    Behind* behind = new Behind(&host);
    TFcShapeButton* button = new TFcShapeButton(&host);
    int clicks = 0;

    ShapeButton()
    {
        behind->setGeometry(0, 0, 100, 100);
        button->move(10, 10);
        button->SetBitmap(Disc());
        button->OnClick = [this](TFcControl*) { ++clicks; };
        button->raise();
        ShowHost();
    }
};

TEST_F(ShapeButton, SizesItselfToTheBitmap)
{
    EXPECT_EQ(button->size(), QSize(24, 24));
    button->SetAutoSize(false);
    button->resize(50, 50);
    button->SetBitmap(Disc());
    EXPECT_EQ(button->size(), QSize(50, 50));
}

TEST_F(ShapeButton, APressBesideTheShapeReachesTheWidgetBehind)
{
    // Through the window, as the platform delivers it: (1, 1) of the button is
    // the disc's transparent corner.
    QWindow* window = host.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(11, 11));
    EXPECT_EQ(behind->presses, 1);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(behind->presses, 1);
    EXPECT_EQ(clicks, 1);
    // Without PreciseClick the whole rectangle is the button's.
    button->SetPreciseClick(false);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(11, 11));
    EXPECT_EQ(behind->presses, 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ShapeButton, DraggingOffTheShapeLiftsItAndReleasingThereDoesNotClick)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button->State(), bsDown);
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), button->mapToGlobal(QPointF(1, 1)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_EQ(button->State(), bsUp);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks, 0);
}

TEST_F(ShapeButton, ShowsTheUpPictureAndTheDownOneAPixelLowerRight)
{
    button->SetBevelWidth(0);
    button->SetBorderSingle(false);
    // No rings: both pictures are the bitmap itself.
    EXPECT_EQ(button->BitmapUp(), button->BitmapDown());
    const QRect up = Extent(button->RenderImage(), FromRgb32(kFace));
    EXPECT_EQ(up, QRect(2, 2, 17, 17));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Extent(button->RenderImage(), FromRgb32(kFace)), up.translated(1, 1));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShapeButton, EachBevelWidthDrawsItsRings)
{
    for (int width = 0; width <= 2; ++width) {
        for (bool border : {false, true}) {
            SCOPED_TRACE(width * 10 + border);
            button->SetBevelWidth(width);
            button->SetBorderSingle(border);
            const QImage image = button->RenderImage();
            const QRect drawn = Extent(image, FromRgb32(kFace))
                                    .united(Extent(image, clBtnHighlight))
                                    .united(Extent(image, clBtnShadow))
                                    .united(Extent(image, cl3DDkShadow));
            // Rings grow outward ring by ring; the pictures keep the bitmap's
            // size, so what falls beyond it is cut off.
            const int rings = width + border;
            const QRect grown = QRect(2, 2, 17, 17).adjusted(-rings, -rings, rings, rings);
            EXPECT_EQ(drawn, grown.intersected({0, 0, 20, 20}));
            EXPECT_EQ(Count(image, cl3DDkShadow) > 0, border);
        }
    }
    button->SetBevelWidth(5);
    EXPECT_EQ(button->BevelWidth(), 2);
}

TEST_F(ShapeButton, TheHintShowsOnlyOverTheShape)
{
    button->SetHint("Go");
    QHelpEvent outside(QEvent::ToolTip, QPoint(1, 1), button->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(button, &outside);
    EXPECT_FALSE(outside.isAccepted());
    EXPECT_TRUE(button->PtInMask(10, 10));
    EXPECT_FALSE(button->PtInMask(1, 1));
}

TEST_F(ShapeButton, AnAcceleratorClicks)
{
    TFcFormKeys::Install(&host);
    button->SetCaption("&Go");
    auto* other = new TFcBitBtn(&host);
    other->move(100, 100);
    other->show();
    FocusOn(other);
    QTest::keyClick(other, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShapeButton, ACaptionCentredOrAtItsOffset)
{
    button->SetFontColor(RGB(255, 0, 0));
    button->SetBevelWidth(0);
    button->SetBorderSingle(false);
    button->SetAutoSize(false);
    button->resize(60, 40);
    button->SetCaption("II");
    const QRect centred = Extent(button->RenderImage(), RGB(255, 0, 0));
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), 30, 2);
    button->SetCaptionPosition(cpXY);
    const QRect origin = Extent(button->RenderImage(), RGB(255, 0, 0));
    button->SetCaptionXY(7, 5);
    EXPECT_EQ(Extent(button->RenderImage(), RGB(255, 0, 0)), origin.translated(7, 5));
    EXPECT_LT(origin.left(), 5);
}

}  // namespace
}  // namespace tw::controls
