#pragma once
// The framed multi-line edits and the framed hot-key edit: TFcMemo (plain
// text), TFcRichEdit (rich text) and TFcHotKeyEdit (a key-combination field,
// 21 pixels high when made). They carry the same framing as the single-line
// edit (fcframing.h) and no drop-down button.
//
// The memo and the rich edit report the caret as a 1-based line and column
// and the clipboard state, and position the caret by line and column:
//
//   memo->OnLineColChange = [&](QWidget*, int line, int column) { status(line, column); };
//   memo->JumpTo(120, 4);    // line 120 at the top, caret in column 4
//
// Lines are visual lines, as a multi-line edit control counts them: with
// wrapping on, a long paragraph is several lines. Line and column come from
// the document's line index, so they cost the same in a long document.
// The wheel scrolls exactly one line per notch, the system's wheel lines with
// Ctrl held (Qt's zoom on Ctrl+wheel is off).

#include "controls/edits/fcframing.h"

#include <QKeySequenceEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <functional>

namespace tw::controls {

using TLineColChangeEvent = std::function<void(QWidget* sender, int line, int column)>;
using TClipboardChangeEvent = std::function<void(QWidget* sender, bool hasSelection, bool hasText)>;

// What the memo and the rich edit share, over Qt's plain-text or rich-text
// edit: the framing, Enter as Tab, the caret's line and column with their
// notices, and the wheel. Only the scroll units differ: the plain-text edit's
// scroll bar counts lines, the rich-text edit's counts pixels. No Q_OBJECT
// here (moc reads no templates); each control declares its own properties.
// Defined for QPlainTextEdit and QTextEdit only.
template <typename QtEdit>
class TFcMultiLineEdit : public QtEdit, public TFcFramed {
public:
    explicit TFcMultiLineEdit(QWidget* parent);
    ~TFcMultiLineEdit() override;

    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    int GetLine() const;
    void SetLine(int value);
    int GetColumn() const;
    void SetColumn(int value);
    void JumpTo(int line, int column);
    void Loaded() { Framing().Loaded(); }

    TLineColChangeEvent OnLineColChange;
    TClipboardChangeEvent OnClipboardChange;
    std::function<void(QWidget*)> OnMouseWheelUp;
    std::function<void(QWidget*)> OnMouseWheelDown;

protected:
    virtual void LineColChange();
    virtual void ClipboardChange();
    virtual void DoMouseWheelDown(int lines);
    virtual void DoMouseWheelUp(int lines);

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Scrolls by whole lines (negative: up).
    void ScrollLines(int lines);
    // Brings the caret's line to the top.
    void ScrollCaretLineToTop(int line);

    bool tabOnEnter_ = false;
    bool shown_ = false;
};

extern template class TFcMultiLineEdit<QPlainTextEdit>;
extern template class TFcMultiLineEdit<QTextEdit>;

class TFcMemo : public TFcMultiLineEdit<QPlainTextEdit> {
    Q_OBJECT
    Q_PROPERTY(uint Color READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(uint DisabledColor READ DisabledColorValue WRITE SetDisabledColorValue)
    Q_PROPERTY(uint FocusColor READ FocusColorValue WRITE SetFocusColorValue)
    Q_PROPERTY(uint FrameColor READ FrameColorValue WRITE SetFrameColorValue)
    Q_PROPERTY(uint FrameHotColor READ FrameHotColorValue WRITE SetFrameHotColorValue)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(int FrameHotStyle READ FrameHotStyleValue WRITE SetFrameHotStyleValue)
    Q_PROPERTY(tw::controls::framing::Sides FrameSides READ FrameSidesValue WRITE SetFrameSidesValue)
    Q_PROPERTY(int FrameStyle READ FrameStyleValue WRITE SetFrameStyleValue)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(int FramingPreference READ FramingPreferenceValue WRITE SetFramingPreferenceValue)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
public:
    explicit TFcMemo(QWidget* parent = nullptr);
    ~TFcMemo() override;
};

class TFcRichEdit : public TFcMultiLineEdit<QTextEdit> {
    Q_OBJECT
    Q_PROPERTY(uint Color READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(uint DisabledColor READ DisabledColorValue WRITE SetDisabledColorValue)
    Q_PROPERTY(uint FocusColor READ FocusColorValue WRITE SetFocusColorValue)
    Q_PROPERTY(uint FrameColor READ FrameColorValue WRITE SetFrameColorValue)
    Q_PROPERTY(uint FrameHotColor READ FrameHotColorValue WRITE SetFrameHotColorValue)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(int FrameHotStyle READ FrameHotStyleValue WRITE SetFrameHotStyleValue)
    Q_PROPERTY(tw::controls::framing::Sides FrameSides READ FrameSidesValue WRITE SetFrameSidesValue)
    Q_PROPERTY(int FrameStyle READ FrameStyleValue WRITE SetFrameStyleValue)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(int FramingPreference READ FramingPreferenceValue WRITE SetFramingPreferenceValue)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
public:
    explicit TFcRichEdit(QWidget* parent = nullptr);
    ~TFcRichEdit() override;

    std::function<void(QWidget*)> OnSelectionChange;

protected:
    virtual void SelectionChange();
};

class TFcHotKeyEdit : public QKeySequenceEdit, public TFcFramed {
    Q_OBJECT
    Q_PROPERTY(uint Color READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(uint DisabledColor READ DisabledColorValue WRITE SetDisabledColorValue)
    Q_PROPERTY(uint FocusColor READ FocusColorValue WRITE SetFocusColorValue)
    Q_PROPERTY(uint FrameColor READ FrameColorValue WRITE SetFrameColorValue)
    Q_PROPERTY(uint FrameHotColor READ FrameHotColorValue WRITE SetFrameHotColorValue)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(int FrameHotStyle READ FrameHotStyleValue WRITE SetFrameHotStyleValue)
    Q_PROPERTY(tw::controls::framing::Sides FrameSides READ FrameSidesValue WRITE SetFrameSidesValue)
    Q_PROPERTY(int FrameStyle READ FrameStyleValue WRITE SetFrameStyleValue)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(int FramingPreference READ FramingPreferenceValue WRITE SetFramingPreferenceValue)
public:
    explicit TFcHotKeyEdit(QWidget* parent = nullptr);
    ~TFcHotKeyEdit() override;
    void Loaded() { Framing().Loaded(); }
};

}  // namespace tw::controls
