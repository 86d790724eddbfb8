#pragma once
// Typing into a date or time picker as into a text field. Qt's pickers take
// typed text a section at a time and refuse anything that is not already a
// whole value, so "7:00 AM" typed over a selected "10:00 AM" would be lost
// key by key. The watcher takes the keys while the user types, shows the
// text as typed and reads it, as the program reads dates and times, when
// Enter is pressed or the picker loses the focus; text that is no date or
// time gives the picker its value back. Steps by the arrows and the keys Up
// and Down, and values set from code, are reported at once.
//
//   controls::TypedPicker::Watch(ui->TaskStartTime, [this] { Run(&TaskEditor::TaskStartTimeChange); });

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class QDateTimeEdit;
class QLineEdit;

namespace tw::controls {

class TypedPicker : public QObject {
    Q_OBJECT
public:
    // changed runs for every change of the picker's value once it is whole;
    // the watcher lives as the picker's child.
    static TypedPicker* Watch(QDateTimeEdit* picker, std::function<void()> changed);

    bool Typing() const { return typing_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TypedPicker(QDateTimeEdit* picker, std::function<void()> changed);
    void Type(const QString& text, int key);
    void Finish();
    void Show(const QDateTime& value);

    QDateTimeEdit* picker_;
    QLineEdit* line_;
    std::function<void()> changed_;
    bool typing_ = false;
    QDateTime untyped_;  // the value when the typing began
    QDateTime last_;     // the value last announced by the picker
};

}  // namespace tw::controls
