#include "controls/edits/fcmemo.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tw::controls {
namespace {

// A visual line: its zero-based number, its first character and its length
// (without the paragraph end).
struct VisualLine {
    int number = 0;
    int start = 0;
    int length = 0;
    QTextBlock block;
    int indexInBlock = 0;
};

int LinesOf(const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
}

// The plain-text layout keeps the line count of every paragraph in the
// document's block index, so a line is found by a tree look-up; the rich-text
// layout does not, and its lines are counted paragraph by paragraph.
bool LinesIndexed(const QTextDocument* document)
{
    return qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout()) != nullptr;
}

int FirstLineOf(const QTextBlock& block, bool indexed)
{
    if (indexed)
        return block.firstLineNumber();
    int lines = 0;
    for (QTextBlock b = block.document()->firstBlock(); b.isValid() && b != block; b = b.next())
        lines += LinesOf(b);
    return lines;
}

// The line holding a character position.
VisualLine LineAt(const QTextDocument* document, int position)
{
    VisualLine line;
    const QTextBlock block = document->findBlock(position);
    if (!block.isValid())
        return line;
    line.block = block;
    line.number = FirstLineOf(block, LinesIndexed(document));
    line.start = block.position();
    line.length = block.length() - 1;
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 1) {
        QTextLine textLine = layout->lineForTextPosition(position - block.position());
        if (!textLine.isValid())
            textLine = layout->lineAt(layout->lineCount() - 1);
        line.indexInBlock = textLine.lineNumber();
        line.number += line.indexInBlock;
        line.start = block.position() + textLine.textStart();
        // A wrapped line's length counts its trailing blank, the last one
        // stops before the paragraph end.
        line.length = std::min(textLine.textLength(), block.position() + block.length() - 1 - line.start);
    }
    return line;
}

// The first character of a zero-based visual line; -1 beyond the last.
int LineStart(const QTextDocument* document, int number)
{
    if (number < 0)
        return -1;
    QTextBlock block;
    int first = 0;
    if (LinesIndexed(document)) {
        block = document->findBlockByLineNumber(number);
        if (block.isValid())
            first = block.firstLineNumber();
    } else {
        for (block = document->firstBlock(); block.isValid(); block = block.next()) {
            if (number < first + LinesOf(block))
                break;
            first += LinesOf(block);
        }
    }
    if (!block.isValid())
        return -1;
    const int index = number - first;
    const QTextLayout* layout = block.layout();
    if (index > 0 && layout && index < layout->lineCount())
        return block.position() + layout->lineAt(index).textStart();
    return block.position();
}

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The caret logic both multi-line edits share, over their text cursor.
template <typename Edit>
int CaretLine(const Edit* edit)
{
    return LineAt(edit->document(), edit->textCursor().selectionStart()).number + 1;
}

template <typename Edit>
int CaretColumn(const Edit* edit)
{
    const int start = edit->textCursor().selectionStart();
    return start - LineAt(edit->document(), start).start + 1;
}

template <typename Edit>
void PutCaret(Edit* edit, int position)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(std::clamp(position, 0, edit->document()->characterCount() - 1));
    edit->setTextCursor(cursor);
}

// True when the column was set.
template <typename Edit>
bool PutColumn(Edit* edit, int column)
{
    const VisualLine line = LineAt(edit->document(), edit->textCursor().selectionStart());
    if (column < 1 || column > line.length + 1)
        return false;
    PutCaret(edit, line.start + column - 1);
    return true;
}

// Puts the caret at the start of the line (at the end of the text when there
// is no such line); true when the caret is then on that line.
template <typename Edit>
bool PutLine(Edit* edit, int line)
{
    const int start = LineStart(edit->document(), line - 1);
    PutCaret(edit, start < 0 ? edit->document()->characterCount() - 1 : start);
    return CaretLine(edit) == line;
}

int WheelLines(const QWheelEvent* event)
{
    return event->modifiers() & Qt::ControlModifier ? QApplication::wheelScrollLines() : 1;
}

// Runs down or up once per notch of the wheel; false for a wheel that only
// turns sideways.
template <typename Down, typename Up>
bool TurnWheel(QWheelEvent* event, Down down, Up up)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return false;
    const int lines = WheelLines(event);
    const int notches = std::max(1, std::abs(delta) / QWheelEvent::DefaultDeltasPerStep);
    for (int i = 0; i < notches; ++i) {
        if (delta < 0)
            down(lines);
        else
            up(lines);
    }
    event->accept();
    return true;
}

void Fire(const TLineColChangeEvent& handler, QWidget* sender, int line, int column)
{
    if (handler)
        handler(sender, line, column);
}

void FireClipboard(const TClipboardChangeEvent& handler, QWidget* sender, bool hasSelection)
{
    if (handler)
        handler(sender, hasSelection, ClipboardHasText());
}

}  // namespace

// --- TFcMemo ---------------------------------------------------------------

TFcMemo::TFcMemo(QWidget* parent) : QPlainTextEdit(parent), TFcFramed(this)
{
    const int nativeShape = frameShape();
    Framing().SetAskWindowForFocus(true);
    Framing().ApplyFrameMode = [this, nativeShape](bool custom) {
        setFrameShape(custom ? QFrame::NoFrame : static_cast<QFrame::Shape>(nativeShape));
        const int inset = custom ? 2 : 0;
        setContentsMargins(inset, inset, inset, inset);
    };
    Framing().ApplyFraming();
    connect(this, &QPlainTextEdit::textChanged, this, [this] { LineColChange(); });
}

TFcMemo::~TFcMemo() = default;

int TFcMemo::GetLine() const
{
    return CaretLine(this);
}

int TFcMemo::GetColumn() const
{
    return CaretColumn(this);
}

void TFcMemo::SetColumn(int value)
{
    if (PutColumn(this, value))
        LineColChange();
}

void TFcMemo::SetLine(int value)
{
    if (!PutLine(this, value))
        return;
    // The scroll bar counts visual lines: the line comes to the top.
    verticalScrollBar()->setValue(value - 1);
    LineColChange();
}

void TFcMemo::JumpTo(int line, int column)
{
    SetLine(line);
    if (GetLine() == line)
        SetColumn(column);
}

void TFcMemo::LineColChange()
{
    Fire(OnLineColChange, this, GetLine(), GetColumn());
    ClipboardChange();
}

void TFcMemo::ClipboardChange()
{
    FireClipboard(OnClipboardChange, this, textCursor().hasSelection());
}

void TFcMemo::DoMouseWheelDown(int lines)
{
    if (OnMouseWheelDown)
        OnMouseWheelDown(this);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
}

void TFcMemo::DoMouseWheelUp(int lines)
{
    if (OnMouseWheelUp)
        OnMouseWheelUp(this);
    verticalScrollBar()->setValue(verticalScrollBar()->value() - lines);
}

void TFcMemo::keyPressEvent(QKeyEvent* event)
{
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        // Past the text edit's own Tab handling, which would type a tab.
        QWidget::focusNextPrevChild(true);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    LineColChange();
}

void TFcMemo::keyReleaseEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    LineColChange();
}

void TFcMemo::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    LineColChange();
    ClipboardChange();
}

void TFcMemo::wheelEvent(QWheelEvent* event)
{
    if (!TurnWheel(
            event, [this](int lines) { DoMouseWheelDown(lines); }, [this](int lines) { DoMouseWheelUp(lines); }))
        QPlainTextEdit::wheelEvent(event);
}

void TFcMemo::showEvent(QShowEvent* event)
{
    QPlainTextEdit::showEvent(event);
    if (!shown_) {
        shown_ = true;
        LineColChange();
        ClipboardChange();
    }
}

// --- TFcRichEdit -----------------------------------------------------------

TFcRichEdit::TFcRichEdit(QWidget* parent) : QTextEdit(parent), TFcFramed(this)
{
    const int nativeShape = frameShape();
    Framing().SetAskWindowForFocus(true);
    Framing().ApplyFrameMode = [this, nativeShape](bool custom) {
        setFrameShape(custom ? QFrame::NoFrame : static_cast<QFrame::Shape>(nativeShape));
        const int inset = custom ? 2 : 0;
        setContentsMargins(inset, inset, inset, inset);
    };
    Framing().ApplyFraming();
    connect(this, &QTextEdit::textChanged, this, [this] { LineColChange(); });
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChange(); });
}

TFcRichEdit::~TFcRichEdit() = default;

int TFcRichEdit::GetLine() const
{
    return CaretLine(this);
}

int TFcRichEdit::GetColumn() const
{
    return CaretColumn(this);
}

void TFcRichEdit::SetColumn(int value)
{
    if (PutColumn(this, value))
        LineColChange();
}

void TFcRichEdit::SetLine(int value)
{
    if (!PutLine(this, value))
        return;
    // The scroll bar counts pixels: the line's top comes to the top.
    const VisualLine line = LineAt(document(), textCursor().selectionStart());
    qreal top = document()->documentLayout()->blockBoundingRect(line.block).top();
    if (const QTextLayout* layout = line.block.layout(); layout && line.indexInBlock < layout->lineCount())
        top += layout->lineAt(line.indexInBlock).y();
    verticalScrollBar()->setValue(static_cast<int>(top));
    LineColChange();
}

void TFcRichEdit::JumpTo(int line, int column)
{
    SetLine(line);
    if (GetLine() == line)
        SetColumn(column);
}

void TFcRichEdit::LineColChange()
{
    Fire(OnLineColChange, this, GetLine(), GetColumn());
    ClipboardChange();
}

void TFcRichEdit::ClipboardChange()
{
    FireClipboard(OnClipboardChange, this, textCursor().hasSelection());
}

void TFcRichEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
    LineColChange();
}

void TFcRichEdit::DoMouseWheelDown(int lines)
{
    if (OnMouseWheelDown)
        OnMouseWheelDown(this);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + lines * fontMetrics().lineSpacing());
}

void TFcRichEdit::DoMouseWheelUp(int lines)
{
    if (OnMouseWheelUp)
        OnMouseWheelUp(this);
    verticalScrollBar()->setValue(verticalScrollBar()->value() - lines * fontMetrics().lineSpacing());
}

void TFcRichEdit::keyPressEvent(QKeyEvent* event)
{
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        QWidget::focusNextPrevChild(true);
        return;
    }
    QTextEdit::keyPressEvent(event);
    LineColChange();
}

void TFcRichEdit::keyReleaseEvent(QKeyEvent* event)
{
    QTextEdit::keyReleaseEvent(event);
    LineColChange();
}

void TFcRichEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QTextEdit::mouseReleaseEvent(event);
    LineColChange();
    ClipboardChange();
}

void TFcRichEdit::wheelEvent(QWheelEvent* event)
{
    if (!TurnWheel(
            event, [this](int lines) { DoMouseWheelDown(lines); }, [this](int lines) { DoMouseWheelUp(lines); }))
        QTextEdit::wheelEvent(event);
}

void TFcRichEdit::showEvent(QShowEvent* event)
{
    QTextEdit::showEvent(event);
    if (!shown_) {
        shown_ = true;
        LineColChange();
        ClipboardChange();
    }
}

// --- TFcHotKeyEdit ---------------------------------------------------------

TFcHotKeyEdit::TFcHotKeyEdit(QWidget* parent) : QKeySequenceEdit(parent), TFcFramed(this)
{
    Framing().SetAskWindowForFocus(true);
    Framing().ApplyFrameMode = [this](bool custom) {
        if (auto* field = findChild<QLineEdit*>())
            field->setFrame(!custom);
        if (layout()) {
            const int inset = custom ? 2 : 0;
            layout()->setContentsMargins(inset, inset, inset, inset);
        }
    };
    Framing().ApplyFraming();
    resize(width(), 21);
}

TFcHotKeyEdit::~TFcHotKeyEdit() = default;

}  // namespace tw::controls
