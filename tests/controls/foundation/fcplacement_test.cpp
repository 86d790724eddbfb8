// Window placement on the screen's work area, the dialog components' settings
// and glyphs added to image lists.

#include "drawfixture.h"

#include "controls/foundation/fcimagelist.h"
#include "controls/foundation/fcplacement.h"
#include "controls/foundation/fctextmetrics.h"

#include <QScreen>
#include <QWidget>

namespace tw::controls {
namespace {

using testing::DrawFixture;

using Placement = DrawFixture;

TEST_F(Placement, CentredOverAWindowAndKeptOnTheWorkArea)
{
    const TRect work = GetActiveWorkArea(nullptr);
    ASSERT_FALSE(work.IsEmpty());
    QWidget form;
    form.setGeometry(work.Left + 100, work.Top + 100, 400, 300);
    QWidget popup;
    popup.resize(200, 100);
    int left = 0, top = 0;
    CenterToForm(&popup, &form, left, top);
    EXPECT_EQ(left, form.frameGeometry().left() + (form.frameGeometry().width() - 200) / 2);
    EXPECT_EQ(top, form.frameGeometry().top() + (form.frameGeometry().height() - 100) / 2);

    // A window hanging over the right and bottom edges: the popup is pulled in.
    form.setGeometry(work.Right - 50, work.Bottom - 20, 400, 300);
    CenterToForm(&popup, &form, left, top);
    EXPECT_EQ(left, work.Right - 200);
    EXPECT_EQ(top, work.Bottom - 100);
    // ... and over the left and top edges: pulled in to the work area, not to 0.
    form.setGeometry(work.Left - 380, work.Top - 280, 400, 300);
    CenterToForm(&popup, &form, left, top);
    EXPECT_EQ(left, work.Left);
    EXPECT_EQ(top, work.Top);

    QWidget child(&form);
    child.setGeometry(10, 10, 60, 40);
    form.setGeometry(work.Left + 100, work.Top + 100, 400, 300);
    QWidget small;
    small.resize(20, 10);
    CenterToWindow(&small, &child, left, top);
    const QPoint childOnScreen = child.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(left, childOnScreen.x() + 20);
    EXPECT_EQ(top, childOnScreen.y() + 15);
    EXPECT_EQ(GetActiveWorkAreaWidth(&form), work.Width());
    EXPECT_EQ(GetMonitorBoundsRect(QGuiApplication::primaryScreen()).Width(),
              QGuiApplication::primaryScreen()->geometry().width());
}

TEST_F(Placement, DialogComponentPositions)
{
    QWidget owner;
    QFont font = owner.font();
    font.setPointSize(13);
    owner.setFont(font);
    TFcDialogComponent dialog(&owner);
    EXPECT_EQ(dialog.Font.pointSize(), 13);
    EXPECT_EQ(dialog.Position, poScreenCenter);
    dialog.SetCenterToParent(true);
    EXPECT_EQ(dialog.Position, poOwnerFormCenter);
    dialog.SetCenterToParent(false);
    EXPECT_EQ(dialog.Position, poScreenCenter);
    TFcDialogComponent lonely;
    EXPECT_EQ(lonely.Font.family(), MapFontFamily(QStringLiteral("MS Sans Serif")));
    EXPECT_EQ(lonely.Width, 350);
    EXPECT_EQ(lonely.Height, 300);

    QWidget form;
    form.resize(100, 80);
    lonely.Position = poDesigned;
    lonely.CenterForm(&form);
    EXPECT_EQ(form.pos(), QPoint(100, 100));
    lonely.Position = poScreenCenter;
    lonely.CenterForm(&form);
    const TRect work = GetActiveWorkArea(&form);
    EXPECT_EQ(form.x(), work.Left + (work.Width() - 100) / 2);
}

TEST_F(Placement, GlyphsIntoImageLists)
{
    TFcImageList list(16, 16);
    int normal = 0, disabled = 0;
    QImage square = MakeBitmap(16, 16, RGB(255, 0, 255));
    square.setPixel(5, 5, ToRgb32(clBlack));
    AddImageToImageList(&list, square, false, normal, disabled);
    EXPECT_EQ(normal, 0);
    EXPECT_EQ(disabled, -1);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(0, 0)), 0);  // the pixel at (0, 15) gave the transparent colour
    EXPECT_EQ(qAlpha(list.Image(0).pixel(5, 5)), 255);

    const QImage pair = MakeBitmap(32, 16, clWhite);
    AddImageToImageList(&list, pair, true, normal, disabled);
    EXPECT_EQ(normal, 1);
    EXPECT_EQ(disabled, 2);
    AddImageToImageList(&list, MakeBitmap(40, 16, clWhite), false, normal, disabled);
    EXPECT_EQ(normal, 3);
    EXPECT_EQ(disabled, -1);
    EXPECT_EQ(list.Count(), 4);

    AddImageToImageList(nullptr, square, false, normal, disabled);
    EXPECT_EQ(normal, -1);
    AddImageToImageList(&list, QImage(), false, normal, disabled);
    EXPECT_EQ(normal, -1);
    EXPECT_EQ(disabled, -1);
}

}  // namespace
}  // namespace tw::controls
