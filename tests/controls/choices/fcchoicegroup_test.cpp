// The radio and check groups through real widgets: layout of the items with
// fixed text metrics, ItemIndex kept in range, the veto (also with nothing
// selected), the items' font following the group's, their enabled state, the
// group's accelerator, stored check states, the items inside the group's
// frame in every frame style, and what screen readers see.

#include "controls/panels/pixelart.h"

#include "controls/choices/fcchoicegroup.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/foundation/fcthemesrv.h"

#include <QAccessible>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <memory>

namespace tw::controls {
namespace {

const QStringList kStatuses = {QStringLiteral("Awarded"), QStringLiteral("Closed"), QStringLiteral("In progress"),
                               QStringLiteral("None"), QStringLiteral("Not awarded")};

struct Groups : testing::FormFixture {
    Groups() { SetTextMeasure(&measure); }
    ~Groups() override { SetTextMeasure(nullptr); }
    template <typename T>
    T* Add()
    {
        T* w = FormFixture::Add<T>();
        w->setMinimumSize(220, 110);
        return w;
    }
    static QPoint Centre(QWidget* w) { return QPoint(5, w->height() / 2); }

    TFcFixedMeasure measure{6, 13, 10};
};

TEST_F(Groups, FiveItemsInTwoColumnsFillThreeRows)
{
    auto* group = Add<TFcRadioGroup>();
    group->resize(220, 110);
    group->SetCaption(QStringLiteral("Status"));
    group->SetItems(kStatuses);
    group->SetColumns(2);
    // Top: frame edge 1 + font height (13 + 2) + 2; column 0 fitted to
    // "In progress" (11 * 6 + 13 + 12 = 91).
    EXPECT_EQ(group->Item(0)->geometry(), QRect(8, 18, 87, 17));
    EXPECT_EQ(group->Item(2)->geometry(), QRect(8, 58, 87, 17));
    EXPECT_EQ(group->Item(3)->geometry().topLeft(), QPoint(99, 18));
    EXPECT_EQ(group->Item(4)->geometry().topLeft(), QPoint(99, 38));
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(40);
    EXPECT_EQ(group->Columns(), 16);
    // Items take the group's colours: the window mask of a group's item is teal.
    EXPECT_EQ(group->Item(0)->WinMaskColor(), 0x808000u);
    EXPECT_EQ(TFcRadioButton().WinMaskColor(), 0x00FF00u);
}

// The group's frame alone (no items) against where the items sit: the frame's
// top edge lies above every item and no frame line crosses an item's rows.
// Real fonts, as the windows draw them; themed cases go through Fusion, whose
// group frame keeps a title band of its own above the line.
struct FrameCase {
    const char* name;
    TFcGroupBoxStyle style;
    bool themed;
};

void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

class ItemsInsideTheFrame : public testing::WidgetFixture, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(ItemsInsideTheFrame, FrameTopLiesAboveTheItemsAndNoLineCrossesThem)
{
    const FrameCase& c = GetParam();
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    if (c.themed) {
        ThemeServices()->SetStyle(fusion.get());
        SetVisualStylesEnabled(true);
    }
    TFcRadioGroup group;
    group.resize(320, 90);
    group.SetCaption(QStringLiteral("Sort by"));
    group.SetItems({QStringLiteral("Description"), QStringLiteral("Length")});
    group.SetColumns(2);
    group.SetGroupBoxStyle(c.style);
    group.SetThemeAware(c.themed);
    group.SetItemIndex(0);

    QImage frame(group.size(), QImage::Format_RGB32);
    group.render(&frame, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    if (c.themed) {
        SetVisualStylesEnabled(false);
        ThemeServices()->SetStyle(nullptr);
    }

    // The top edge: first change down a column right of the items and the caption.
    const int probe = group.width() - 20;
    int top = 0;
    while (top < frame.height() && frame.pixel(probe, top) == frame.pixel(probe, 0))
        ++top;
    ASSERT_LT(top, frame.height()) << "no frame drawn";
    int itemsBottom = 0;
    for (int i = 0; i < 2; ++i) {
        const QRect item = group.Item(i)->geometry();
        EXPECT_GT(item.top(), top) << "item " << i << " starts on or above the frame's top edge";
        itemsBottom = std::max(itemsBottom, item.bottom());
    }
    // Inside the frame below the items: what every item row must show.
    const int inside = itemsBottom + 3;
    ASSERT_LT(inside, group.height() - 6);
    for (int i = 0; i < 2; ++i) {
        const QRect item = group.Item(i)->geometry();
        int crossing = 0;
        for (int y = item.top(); y <= item.bottom(); ++y) {
            for (int x = item.left(); x <= item.right(); ++x)
                crossing += frame.pixel(x, y) != frame.pixel(x, inside) ? 1 : 0;
        }
        EXPECT_EQ(crossing, 0) << "frame pixels under item " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(GroupStyles, ItemsInsideTheFrame,
                         ::testing::Values(FrameCase{"FlatThemed", gsFlat, true},
                                           FrameCase{"StandardThemed", gsStandard, true},
                                           FrameCase{"TopLineThemed", gsTopLine, true},
                                           FrameCase{"Flat", gsFlat, false},
                                           FrameCase{"Standard", gsStandard, false},
                                           FrameCase{"TopLine", gsTopLine, false}),
                         [](const ::testing::TestParamInfo<FrameCase>& info) { return info.param.name; });

// The items stand on the group's own surface, whether the group fills its
// colour or a style's group frame fills a lighter shade of its own: no box
// of another shade around an item.
TEST_P(ItemsInsideTheFrame, ItemsShowTheGroupsSurface)
{
    const FrameCase& c = GetParam();
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    if (c.themed) {
        ThemeServices()->SetStyle(fusion.get());
        SetVisualStylesEnabled(true);
    }
    QWidget parent;
    parent.resize(340, 110);
    TFcRadioGroup group(&parent);
    group.setGeometry(10, 10, 320, 90);
    group.SetCaption(QStringLiteral("Sort by"));
    group.SetItems({QStringLiteral("Description"), QStringLiteral("Length")});
    group.SetColumns(2);
    group.SetGroupBoxStyle(c.style);
    group.SetThemeAware(c.themed);
    group.SetItemIndex(0);
    const QImage image = group.grab().toImage();
    if (c.themed) {
        SetVisualStylesEnabled(false);
        ThemeServices()->SetStyle(nullptr);
    }
    int itemsBottom = 0;
    for (int i = 0; i < 2; ++i)
        itemsBottom = std::max(itemsBottom, group.Item(i)->geometry().bottom());
    const int inside = itemsBottom + 3;
    for (int i = 0; i < 2; ++i) {
        // The item's far end holds no glyph and no caption: only its background.
        const QRect item = group.Item(i)->geometry();
        for (int y = item.top(); y <= item.bottom(); ++y)
            EXPECT_EQ(image.pixel(item.right(), y), image.pixel(item.right(), inside))
                << "item " << i << " row " << y - item.top();
    }
}

TEST_F(Groups, SizeHintHoldsEveryItem)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetCaption(QStringLiteral("Status"));
    group->SetItems(kStatuses);
    group->SetColumns(2);
    // Columns 91 and 91 wide from x 8; three rows from 18, 17 high, 3 apart.
    EXPECT_EQ(group->sizeHint(), QSize(8 + 91 + 87 + 8, 58 + 17 + 3 + 2));
    group->SetColumns(1);
    EXPECT_EQ(group->sizeHint().height(), 18 + 4 * 20 + 17 + 3 + 2);
}

TEST_F(Groups, RightToLeftItemsMirrorAndStaySo)
{
    auto* group = Add<TFcCheckGroup>();
    group->resize(220, 110);
    group->setLayoutDirection(Qt::RightToLeft);
    group->SetItems(kStatuses.mid(0, 2));
    // "Awarded": 7 * 6 + 13 + 12 = 67 wide, placed from the right.
    EXPECT_EQ(group->Item(0)->geometry(), QRect(220 - 67 + 4 - 8, 3, 63, 17));  // no caption: row at 3
    for (int pass = 0; pass < 2; ++pass) {
        group->Arrange();
        EXPECT_EQ(group->Item(0)->Alignment(), taLeftJustify) << pass;
        EXPECT_EQ(group->Item(0)->GlyphRect().Left, 63 - 13) << pass;
    }
}

TEST_F(Groups, UiFilesSetTheChoicesThroughProperties)
{
    auto* group = Add<TFcRadioGroup>();
    group->setProperty("groupStyle", static_cast<int>(gsStandard));
    group->setProperty("items", kStatuses);
    group->setProperty("columns", 2);
    group->setProperty("itemIndex", 4);
    EXPECT_EQ(group->GroupStyle(), gsStandard);
    EXPECT_EQ(group->Count(), 5);
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_TRUE(group->Button(4)->Checked());
    auto* box = Add<TFcCheckBox>();
    box->setProperty("allowGrayed", true);
    box->setProperty("checked", true);
    EXPECT_TRUE(box->AllowGrayed());
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(Groups, ItemIndexStaysInRangeAndFollowsShorterItems)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses.mid(0, 4));
    struct Case {
        int set;
        int kept;
    };
    for (const Case& c : {Case{7, 3}, Case{-5, -1}, Case{1, 1}}) {
        group->SetItemIndex(c.set);
        EXPECT_EQ(group->ItemIndex(), c.kept) << c.set;
        for (int i = 0; i < group->Count(); ++i)
            EXPECT_EQ(group->Button(i)->Checked(), i == c.kept) << c.set << " item " << i;
    }
    group->SetItemIndex(3);
    group->SetItems(kStatuses.mid(0, 2));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Button(1)->Checked());
    group->SetItems({});
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(group->Count(), 0);
}

TEST_F(Groups, ChoosingFromCodeRaisesTheGroupsClick)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses);
    int clicks = 0;
    group->OnClick = [&](TFcControl*) { ++clicks; };
    group->SetItemIndex(2);
    EXPECT_EQ(clicks, 1);
    group->SetItemIndex(2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Groups, UserClickSelectsTheItemAndRaisesChangingThenClick)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses);
    Show();
    std::vector<std::string> events;
    group->OnChanging = [&](TFcControl*, int index, bool&) { events.push_back("changing " + std::to_string(index)); };
    group->OnClick = [&](TFcControl*) { events.push_back("click " + std::to_string(group->ItemIndex())); };
    QTest::mouseClick(group->Item(3), Qt::LeftButton, Qt::NoModifier, Centre(group->Item(3)));
    EXPECT_EQ(events, (std::vector<std::string>{"changing 3", "click 3"}));
    EXPECT_EQ(group->ItemIndex(), 3);
}

TEST_F(Groups, VetoedClickLeavesTheOldItemCheckedAndFocused)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses);
    group->SetItemIndex(0);
    Show();
    int clicks = 0;
    group->OnClick = [&](TFcControl*) { ++clicks; };
    group->OnChanging = [](TFcControl*, int, bool& allow) { allow = false; };
    QTest::mouseClick(group->Item(2), Qt::LeftButton, Qt::NoModifier, Centre(group->Item(2)));
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_TRUE(group->Button(0)->Checked());
    EXPECT_FALSE(group->Button(2)->Checked());
    EXPECT_TRUE(group->Item(0)->hasFocus());
    EXPECT_EQ(clicks, 0);
}

TEST_F(Groups, VetoedClickWithNothingSelectedLeavesNothingChecked)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses);
    Show();
    int clicks = 0;
    group->OnClick = [&](TFcControl*) { ++clicks; };
    group->OnChanging = [](TFcControl*, int, bool& allow) { allow = false; };
    QTest::mouseClick(group->Item(1), Qt::LeftButton, Qt::NoModifier, Centre(group->Item(1)));
    EXPECT_EQ(group->ItemIndex(), -1);
    for (int i = 0; i < group->Count(); ++i)
        EXPECT_FALSE(group->Button(i)->Checked()) << i;
    EXPECT_EQ(clicks, 0);
}

TEST_F(Groups, ItemFontFollowsTheGroupsFontUntilSetOnItsOwn)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetItems(kStatuses.mid(0, 2));
    QFont big = group->font();
    big.setPixelSize(20);
    group->setFont(big);
    EXPECT_EQ(group->Item(0)->font().pixelSize(), 20);
    QFont own = big;
    own.setPixelSize(9);
    group->SetItemFont(own);
    EXPECT_TRUE(group->ItemFontSetOnItsOwn());
    QFont bigger = big;
    bigger.setPixelSize(24);
    group->setFont(bigger);
    EXPECT_EQ(group->Item(1)->font().pixelSize(), 9);
}

TEST_F(Groups, DisablingTheGroupDisablesItsItems)
{
    auto* group = Add<TFcCheckGroup>();
    group->SetItems(kStatuses.mid(0, 3));
    group->setEnabled(false);
    for (int i = 0; i < group->Count(); ++i)
        EXPECT_FALSE(group->Item(i)->isEnabled());
    group->setEnabled(true);
    for (int i = 0; i < group->Count(); ++i)
        EXPECT_TRUE(group->Item(i)->isEnabled());
    group->SetItemEnabled(1, false);
    EXPECT_FALSE(group->ItemEnabled(1));
    EXPECT_TRUE(group->ItemEnabled(0));
}

TEST_F(Groups, AcceleratorFocusesTheCheckedItem)
{
    auto* edit = Add<QLineEdit>();
    auto* group = Add<TFcRadioGroup>();
    group->SetCaption(QStringLiteral("&Status"));
    group->SetItems(kStatuses);
    group->SetItemIndex(2);
    Show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(group->Item(2)->hasFocus());
    EXPECT_EQ(group->ItemIndex(), 2);
}

TEST_F(Groups, CheckGroupReportsEachItemsChange)
{
    auto* group = Add<TFcCheckGroup>();
    group->SetItems(kStatuses.mid(0, 3));
    group->SetAllowGrayed(true);
    Show();
    std::vector<std::pair<int, TCheckBoxState>> changes;
    group->OnChange = [&](TFcControl*, int index, TCheckBoxState state) { changes.push_back({index, state}); };
    QTest::mouseClick(group->Item(1), Qt::LeftButton, Qt::NoModifier, Centre(group->Item(1)));
    QTest::mouseClick(group->Item(1), Qt::LeftButton, Qt::NoModifier, Centre(group->Item(1)));
    group->SetItemChecked(2, true);
    EXPECT_EQ(changes, (std::vector<std::pair<int, TCheckBoxState>>{{1, cbGrayed}, {1, cbChecked}, {2, cbChecked}}));
    EXPECT_TRUE(group->ItemChecked(1));
    EXPECT_EQ(group->ItemState(0), cbUnchecked);
}

TEST_F(Groups, StoredCheckStatesComeBackAfterLoading)
{
    auto* group = Add<TFcCheckGroup>();
    group->SetItems(kStatuses.mid(0, 3));
    std::vector<int> changed;
    group->OnChange = [&](TFcControl*, int index, TCheckBoxState) { changed.push_back(index); };
    TFcIntegerList stored;
    stored.Add(1);
    stored.Add(0);
    stored.Add(2);
    group->ReadCheckStates(stored);
    EXPECT_TRUE(changed.empty());
    group->Loaded();
    EXPECT_EQ(group->ItemState(0), cbChecked);
    EXPECT_EQ(group->ItemState(1), cbUnchecked);
    EXPECT_EQ(group->ItemState(2), cbGrayed);
    EXPECT_EQ(changed, (std::vector<int>{0, 2}));
    const TFcIntegerList written = group->CheckStates();
    ASSERT_EQ(written.Count(), 3);
    EXPECT_EQ(written.Items(2), 2);
    EXPECT_EQ(TFcCheckGroup().CheckStates().Count(), 0);
}

TEST_F(Groups, RadioGroupReadsAsAGroupingOfRadioButtons)
{
    auto* group = Add<TFcRadioGroup>();
    group->SetCaption(QStringLiteral("&Status"));
    group->SetItems(kStatuses.mid(0, 3));
    group->SetItemIndex(1);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(group);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Grouping);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Status"));
    ASSERT_EQ(a->childCount(), 3);
    QAccessibleInterface* second = a->child(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->role(), QAccessible::RadioButton);
    EXPECT_EQ(second->text(QAccessible::Name), QStringLiteral("Closed"));
    EXPECT_TRUE(second->state().checked);
}

}  // namespace
}  // namespace tw::controls
