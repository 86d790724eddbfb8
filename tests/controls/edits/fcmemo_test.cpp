// The framed memo and rich edit: line and column of the caret, positioning
// by line and column, the notices, the wheel; the hot-key edit's height.

#include "editfixture.h"

#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include <type_traits>

namespace tw::controls {
namespace {

using namespace testing;

struct Notice {
    int line, column;
    bool operator==(const Notice&) const = default;
};

void PrintTo(const Notice& n, std::ostream* os)
{
    *os << "(" << n.line << ", " << n.column << ")";
}

struct MemoTest : EditFixture {
    void SetUp() override { ShowHost(); }
    template <typename Edit>
    Edit* MakeLogged(int w = 200, int h = 80)
    {
        auto* m = Make<Edit>(w, h);
        m->OnLineColChange = [this](QWidget*, int line, int column) { notices.push_back({line, column}); };
        return m;
    }
    std::vector<Notice> notices;
};

// Types text key by key, a line break as Return.
void Type(QWidget* w, const QString& text)
{
    for (const QChar ch : text) {
        if (ch == '\n')
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::keyClick(w, ch.toLatin1());
    }
}

QString Lines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines.join('\n');
}

TEST_F(MemoTest, TypingReportsLineAndColumnAfterEveryKeyDownAndUp)
{
    struct Case {
        const char* name;
        QString typed;
        Notice last;
    };
    const Case cases[] = {
        {"one character", "a", {1, 2}},
        {"a word", "abc", {1, 4}},
        {"onto a second line", "ab\ncd", {2, 3}},
        {"an empty third line", "ab\n\n", {3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* m = MakeLogged<TFcMemo>();
        FocusOn(m);
        notices.clear();
        Type(m, c.typed);
        ASSERT_FALSE(notices.empty());
        EXPECT_EQ(notices.back(), c.last);
        EXPECT_EQ((Notice{m->GetLine(), m->GetColumn()}), c.last);
        delete m;
    }
    // Each key: the change, the key down and the key up each tell.
    auto* m = MakeLogged<TFcMemo>();
    FocusOn(m);
    notices.clear();
    QTest::keyClick(m, 'x');
    EXPECT_EQ(notices, (std::vector<Notice>{{1, 2}, {1, 2}, {1, 2}}));
    notices.clear();
    QTest::keyClick(m, Qt::Key_Left);
    EXPECT_EQ(notices, (std::vector<Notice>{{1, 1}, {1, 1}})) << "a caret move: key down and key up";
}

TEST_F(MemoTest, FirstShowReportsThePosition)
{
    auto* m = new TFcMemo(&host);
    std::vector<Notice> seen;
    int clipboardNotices = 0;
    m->OnLineColChange = [&](QWidget*, int line, int column) { seen.push_back({line, column}); };
    m->OnClipboardChange = [&](QWidget*, bool, bool) { ++clipboardNotices; };
    m->show();
    EXPECT_EQ(seen, (std::vector<Notice>{{1, 1}}));
    EXPECT_EQ(clipboardNotices, 2) << "after the line/column notice, and once more";
    m->hide();
    m->show();
    EXPECT_EQ(seen.size(), 1u) << "only the first show";
}

template <typename Edit>
void PositioningCases(MemoTest& t)
{
    auto* m = t.MakeLogged<Edit>();
    m->setPlainText("first\nsecond line\nthird");
    t.notices.clear();
    // Past the last line: the caret stays on the last line, the column is not set.
    // (The rich edit also tells every caret move, as a selection change.)
    constexpr bool movesTell = std::is_same_v<Edit, TFcRichEdit>;
    m->JumpTo(5, 1);
    EXPECT_EQ(m->GetLine(), 3);
    EXPECT_EQ(m->GetColumn(), 6);
    if (!movesTell)
        EXPECT_TRUE(t.notices.empty()) << "no notice when the line does not exist";
    // A line and column that exist.
    t.notices.clear();
    m->JumpTo(2, 4);
    EXPECT_EQ((Notice{m->GetLine(), m->GetColumn()}), (Notice{2, 4}));
    if (movesTell)
        EXPECT_EQ(t.notices.back(), (Notice{2, 4}));
    else
        EXPECT_EQ(t.notices, (std::vector<Notice>{{2, 1}, {2, 4}}));
    // The column: up to the line's length plus one.
    t.notices.clear();
    m->SetColumn(13);
    EXPECT_EQ(m->GetColumn(), 4) << "beyond the end plus one is ignored";
    EXPECT_TRUE(t.notices.empty());
    m->SetColumn(12);
    EXPECT_EQ(m->GetColumn(), 12) << "just past the last character";
    ASSERT_FALSE(t.notices.empty());
    EXPECT_EQ(t.notices.back(), (Notice{2, 12}));
    m->SetColumn(0);
    EXPECT_EQ(m->GetColumn(), 12);
}

TEST_F(MemoTest, JumpToAndSetColumnInTheMemo)
{
    PositioningCases<TFcMemo>(*this);
}

TEST_F(MemoTest, JumpToAndSetColumnInTheRichEdit)
{
    PositioningCases<TFcRichEdit>(*this);
}

// A wrapped paragraph is several lines, as the edit control counts them.
template <typename Edit>
void WrappedLineCases(Edit* m)
{
    m->setPlainText("aaaa bbbb cccc dddd eeee ffff gggg hhhh\nlast");
    QApplication::processEvents();
    const QTextBlock first = m->document()->firstBlock();
    ASSERT_GT(first.layout()->lineCount(), 2) << "the test needs a wrapped paragraph";
    const int wrapped = first.layout()->lineCount();
    const int secondStart = first.layout()->lineAt(1).textStart();
    QTextCursor cursor = m->textCursor();
    cursor.setPosition(secondStart + 2);
    m->setTextCursor(cursor);
    EXPECT_EQ(m->GetLine(), 2);
    EXPECT_EQ(m->GetColumn(), 3);
    // The paragraph after it starts after all its lines.
    cursor.setPosition(m->document()->lastBlock().position() + 1);
    m->setTextCursor(cursor);
    EXPECT_EQ(m->GetLine(), wrapped + 1);
    EXPECT_EQ(m->GetColumn(), 2);
    // SetLine goes to a visual line.
    m->SetLine(2);
    EXPECT_EQ(m->textCursor().position(), secondStart);
    m->SetLine(wrapped + 1);
    EXPECT_EQ(m->textCursor().position(), m->document()->lastBlock().position());
}

TEST_F(MemoTest, WrappedLinesCountOnePerScreenLine)
{
    auto* memo = Make<TFcMemo>(90, 120);
    WrappedLineCases(memo);
    auto* rich = Make<TFcRichEdit>(90, 120);
    WrappedLineCases(rich);
}

TEST_F(MemoTest, SetLineBringsTheLineToTheTop)
{
    auto* m = Make<TFcMemo>(200, 80);
    m->setPlainText(Lines(200));
    QApplication::processEvents();
    m->SetLine(120);
    EXPECT_EQ(m->GetLine(), 120);
    EXPECT_EQ(m->cursorForPosition(QPoint(4, 4)).blockNumber(), 119);
    m->SetLine(3);
    EXPECT_EQ(m->cursorForPosition(QPoint(4, 4)).blockNumber(), 2);
}

TEST_F(MemoTest, ClipboardNoticeTellsSelectionAndClipboardText)
{
    auto* m = Make<TFcMemo>();
    m->setPlainText("copy me");
    std::vector<std::pair<bool, bool>> seen;
    m->OnClipboardChange = [&](QWidget*, bool selection, bool text) { seen.emplace_back(selection, text); };
    QApplication::clipboard()->clear();
    m->SetColumn(3);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(false, false));
    QApplication::clipboard()->setText("pasted");
    QTextCursor cursor = m->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    m->setTextCursor(cursor);
    seen.clear();
    QTest::mouseRelease(m->viewport(), Qt::LeftButton, {}, QPoint(200, 70));
    ASSERT_FALSE(seen.empty()) << "a mouse release tells";
    QApplication::clipboard()->clear();
}

// The wheel scrolls one line per notch, the system's wheel lines with Ctrl.
template <typename Edit>
void WheelCases(Edit* m, int lineHeight)
{
    m->setPlainText(Lines(300));
    QApplication::processEvents();
    QScrollBar* bar = m->verticalScrollBar();
    const QFont fontBefore = m->font();
    std::vector<std::string> log;
    m->OnMouseWheelDown = [&](QWidget*) { log.push_back("down at " + std::to_string(bar->value())); };
    m->OnMouseWheelUp = [&](QWidget*) { log.push_back("up at " + std::to_string(bar->value())); };
    const auto turn = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(QPointF(10, 10), m->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m->viewport(), &wheel);
    };
    struct Case {
        const char* name;
        int delta;
        Qt::KeyboardModifiers modifiers;
        int lines;
    };
    const int wheelLines = QApplication::wheelScrollLines();
    const Case cases[] = {
        {"one notch down", -120, Qt::NoModifier, 1},
        {"two notches down", -240, Qt::NoModifier, 2},
        {"one notch up", 120, Qt::NoModifier, -1},
        {"Ctrl: the wheel lines", -120, Qt::ControlModifier, wheelLines},
        {"Ctrl up", 120, Qt::ControlModifier, -wheelLines},
    };
    bar->setValue(50 * lineHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = bar->value();
        log.clear();
        turn(c.delta, c.modifiers);
        EXPECT_EQ(bar->value() - before, c.lines * lineHeight);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), (c.delta < 0 ? "down at " : "up at ") + std::to_string(before))
            << "the event comes before the scrolling";
    }
    EXPECT_EQ(m->font(), fontBefore) << "Ctrl+wheel does not zoom";
}

TEST_F(MemoTest, WheelScrollsWholeLines)
{
    auto* memo = Make<TFcMemo>(200, 80);
    WheelCases(memo, 1);
    auto* rich = Make<TFcRichEdit>(200, 80);
    WheelCases(rich, rich->fontMetrics().lineSpacing());
}

TEST_F(MemoTest, RichEditTellsSelectionChanges)
{
    auto* r = MakeLogged<TFcRichEdit>();
    r->setPlainText("one\ntwo");
    int selections = 0;
    r->OnSelectionChange = [&](QWidget*) { ++selections; };
    notices.clear();
    QTextCursor cursor = r->textCursor();
    cursor.setPosition(5);
    r->setTextCursor(cursor);
    EXPECT_GE(selections, 1);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), (Notice{2, 2}));
}

TEST_F(MemoTest, HotKeyEditIsTwentyOnePixelsHighWhenMade)
{
    TFcHotKeyEdit edit(&host);
    EXPECT_EQ(edit.height(), 21);
    edit.SetFrameVisible(true);
    EXPECT_FALSE(edit.findChild<QLineEdit*>()->hasFrame()) << "the library frame replaces the field's own";
}

}  // namespace
}  // namespace tw::controls
