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
#include <type_traits>

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

// --- TFcMultiLineEdit ------------------------------------------------------

template <typename QtEdit>
TFcMultiLineEdit<QtEdit>::TFcMultiLineEdit(QWidget* parent) : QtEdit(parent), TFcFramed(this)
{
    const int nativeShape = this->frameShape();
    Framing().SetAskWindowForFocus(true);
    Framing().ApplyFrameMode = [this, nativeShape](bool custom) {
        this->setFrameShape(custom ? QFrame::NoFrame : static_cast<QFrame::Shape>(nativeShape));
        const int inset = custom ? 2 : 0;
        this->setContentsMargins(inset, inset, inset, inset);
    };
    Framing().ApplyFraming();
    QObject::connect(this, &QtEdit::textChanged, this, [this] { LineColChange(); });
}

template <typename QtEdit>
TFcMultiLineEdit<QtEdit>::~TFcMultiLineEdit() = default;

template <typename QtEdit>
int TFcMultiLineEdit<QtEdit>::GetLine() const
{
    return CaretLine(this);
}

template <typename QtEdit>
int TFcMultiLineEdit<QtEdit>::GetColumn() const
{
    return CaretColumn(this);
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::SetColumn(int value)
{
    if (PutColumn(this, value))
        LineColChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::SetLine(int value)
{
    if (!PutLine(this, value))
        return;
    ScrollCaretLineToTop(value);
    LineColChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::ScrollCaretLineToTop(int line)
{
    QScrollBar* bar = this->verticalScrollBar();
    if constexpr (std::is_same_v<QtEdit, QPlainTextEdit>) {
        // The scroll bar counts visual lines.
        bar->setValue(line - 1);
    } else {
        // The scroll bar counts pixels: the line's top comes to the top.
        const VisualLine caretLine = LineAt(this->document(), this->textCursor().selectionStart());
        qreal top = this->document()->documentLayout()->blockBoundingRect(caretLine.block).top();
        if (const QTextLayout* layout = caretLine.block.layout();
            layout && caretLine.indexInBlock < layout->lineCount())
            top += layout->lineAt(caretLine.indexInBlock).y();
        bar->setValue(static_cast<int>(top));
    }
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::JumpTo(int line, int column)
{
    SetLine(line);
    if (GetLine() == line)
        SetColumn(column);
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::LineColChange()
{
    Fire(OnLineColChange, this, GetLine(), GetColumn());
    ClipboardChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::ClipboardChange()
{
    FireClipboard(OnClipboardChange, this, this->textCursor().hasSelection());
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::ScrollLines(int lines)
{
    QScrollBar* bar = this->verticalScrollBar();
    if constexpr (std::is_same_v<QtEdit, QPlainTextEdit>)
        bar->setValue(bar->value() + lines);
    else
        bar->setValue(bar->value() + lines * this->fontMetrics().lineSpacing());
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::DoMouseWheelDown(int lines)
{
    if (OnMouseWheelDown)
        OnMouseWheelDown(this);
    ScrollLines(lines);
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::DoMouseWheelUp(int lines)
{
    if (OnMouseWheelUp)
        OnMouseWheelUp(this);
    ScrollLines(-lines);
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::keyPressEvent(QKeyEvent* event)
{
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        // Past the text edit's own Tab handling, which would type a tab.
        this->QWidget::focusNextPrevChild(true);
        return;
    }
    QtEdit::keyPressEvent(event);
    LineColChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::keyReleaseEvent(QKeyEvent* event)
{
    QtEdit::keyReleaseEvent(event);
    LineColChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::mouseReleaseEvent(QMouseEvent* event)
{
    QtEdit::mouseReleaseEvent(event);
    LineColChange();
    ClipboardChange();
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::wheelEvent(QWheelEvent* event)
{
    if (!TurnWheel(
            event, [this](int lines) { DoMouseWheelDown(lines); }, [this](int lines) { DoMouseWheelUp(lines); }))
        QtEdit::wheelEvent(event);
}

template <typename QtEdit>
void TFcMultiLineEdit<QtEdit>::showEvent(QShowEvent* event)
{
    QtEdit::showEvent(event);
    if (!shown_) {
        shown_ = true;
        LineColChange();
        ClipboardChange();
    }
}

template class TFcMultiLineEdit<QPlainTextEdit>;
template class TFcMultiLineEdit<QTextEdit>;

// --- TFcMemo ---------------------------------------------------------------

TFcMemo::TFcMemo(QWidget* parent) : TFcMultiLineEdit(parent) {}

TFcMemo::~TFcMemo() = default;

// --- TFcRichEdit -----------------------------------------------------------

TFcRichEdit::TFcRichEdit(QWidget* parent) : TFcMultiLineEdit(parent)
{
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChange(); });
}

TFcRichEdit::~TFcRichEdit() = default;

void TFcRichEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
    LineColChange();
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
