#include "controls/typedpicker.h"

#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"

#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>

namespace tw::controls {

namespace {

bool TimeOnly(const QDateTimeEdit* picker)
{
    return !(picker->displayedSections() & QDateTimeEdit::DateSections_Mask);
}

bool DateOnly(const QDateTimeEdit* picker)
{
    return !(picker->displayedSections() & QDateTimeEdit::TimeSections_Mask);
}

QDateTime ToQDateTime(TDateTime value)
{
    const DateFields d = DecodeDate(value);
    const int seconds = static_cast<int>(std::lround((value - std::floor(value)) * 86400.0)) % 86400;
    return QDateTime(QDate(d.year, d.month, d.day), QTime(0, 0).addSecs(seconds));
}

}  // namespace

TypedPicker* TypedPicker::Watch(QDateTimeEdit* picker, std::function<void()> changed)
{
    return new TypedPicker(picker, std::move(changed));
}

TypedPicker::TypedPicker(QDateTimeEdit* picker, std::function<void()> changed)
    : QObject(picker),
      picker_(picker),
      line_(picker->findChild<QLineEdit*>()),
      changed_(std::move(changed))
{
    picker->installEventFilter(this);
    last_ = picker->dateTime();
    // Enter makes the picker announce its value again; a value once reported
    // is not reported twice.
    connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        const bool same = value == last_;
        last_ = value;
        if (!typing_ && !same && changed_)
            changed_();
    });
}

void TypedPicker::Type(const QString& text, int key)
{
    QString shown = line_->text();
    int cursor = line_->cursorPosition();
    if (line_->hasSelectedText()) {
        cursor = line_->selectionStart();
        shown.remove(cursor, line_->selectedText().size());
    } else if (key == Qt::Key_Backspace && cursor > 0) {
        shown.remove(--cursor, 1);
    } else if (key == Qt::Key_Delete && cursor < shown.size()) {
        shown.remove(cursor, 1);
    }
    shown.insert(cursor, text);
    if (!typing_)
        untyped_ = picker_->dateTime();
    typing_ = true;
    line_->setText(shown);
    line_->setCursorPosition(cursor + static_cast<int>(text.size()));
}

// The typed text read as the program reads dates and times; the picker's own
// value when it is none.
void TypedPicker::Finish()
{
    if (!typing_)
        return;
    const std::string text = line_->text().trimmed().toStdString();
    TDateTime value = 0;
    bool read = false;
    if (TimeOnly(picker_))
        read = locale::TryStrToTime(text, value);
    else if (DateOnly(picker_))
        read = locale::TryStrToDate(text, value);
    else
        read = locale::TryStrToDateTime(text, value);
    QDateTime typed = untyped_;
    if (read) {
        const QDateTime parsed = ToQDateTime(value);
        if (TimeOnly(picker_))
            typed.setTime(parsed.time());
        else if (DateOnly(picker_))
            typed.setDate(parsed.date());
        else
            typed = parsed;
    }
    Show(typed);
    typing_ = false;
    if (picker_->dateTime() != untyped_ && changed_)
        changed_();
}

// The picker writes its text afresh only when its value changes: it is moved
// off the value and back while the typing still keeps the changes unreported.
void TypedPicker::Show(const QDateTime& value)
{
    picker_->setDateTime(value.addSecs(value.time().second() > 0 ? -1 : 1));
    picker_->setDateTime(value);
}

bool TypedPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != picker_ || !line_ || picker_->isReadOnly())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        Finish();
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The spin box's own select-all leaves the text in a state where
        // the text typed next is put back at once.
        if (key->matches(QKeySequence::SelectAll)) {
            line_->selectAll();
            return true;
        }
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            Finish();
            break;
        case Qt::Key_Escape:
            if (typing_) {
                Show(untyped_);
                typing_ = false;
                return true;
            }
            break;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            Type(QString(), key->key());
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            // While typing the cursor moves in the text, not between sections.
            if (typing_) {
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(line_, &copy);
                return true;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            Finish();
            break;
        default:
            if (!key->text().isEmpty() && key->text().at(0).isPrint()
                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                Type(key->text(), key->key());
                return true;
            }
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tw::controls
