#include "controls/statuspanes/fckeystate.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibrary>
namespace tw::controls {
namespace {
// The few X library entry points used, declared here so that no X headers
// are needed to build.
using XOpenDisplayFn = void* (*)(const char*);
using XInternAtomFn = unsigned long (*)(void*, const char*, int);
using XkbGetNamedIndicatorFn = int (*)(void*, unsigned int, unsigned long, int*, int*, void*);
constexpr unsigned int kXkbUseCoreKbd = 0x0100;

struct XKeyboard {
    void* display = nullptr;
    XInternAtomFn internAtom = nullptr;
    XkbGetNamedIndicatorFn namedIndicator = nullptr;
    XKeyboard()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        static QLibrary library(QStringLiteral("X11"), 6);
        if (!library.load())
            return;
        auto open = reinterpret_cast<XOpenDisplayFn>(library.resolve("XOpenDisplay"));
        internAtom = reinterpret_cast<XInternAtomFn>(library.resolve("XInternAtom"));
        namedIndicator = reinterpret_cast<XkbGetNamedIndicatorFn>(library.resolve("XkbGetNamedIndicator"));
        if (open && internAtom && namedIndicator)
            display = open(nullptr);
    }
};

class InsertCounter : public QObject {
public:
    int presses = 0;
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Every widget sees a key press on its way up; count it once, at the
        // window it was sent to.
        if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert &&
            !static_cast<QKeyEvent*>(event)->isAutoRepeat() && watched == QGuiApplication::focusObject())
            ++presses;
        return false;
    }
};
}  // namespace

std::optional<bool> ReadLockKeyIndicator(TFcToggleKey key)
{
    static XKeyboard keyboard;
    if (!keyboard.display || key == tkInsert)
        return std::nullopt;
    const char* names[] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    const unsigned long atom = keyboard.internAtom(keyboard.display, names[key], 1);
    if (atom == 0)
        return std::nullopt;
    int state = 0;
    if (!keyboard.namedIndicator(keyboard.display, kXkbUseCoreKbd, atom, nullptr, &state, nullptr))
        return std::nullopt;
    return state != 0;
}

TFcLockKeyReader& LockKeyReader()
{
    static TFcLockKeyReader reader = ReadLockKeyIndicator;
    return reader;
}

int InsertToggleBit()
{
    static InsertCounter* counter = nullptr;
    if (!counter && QCoreApplication::instance()) {
        counter = new InsertCounter;
        QCoreApplication::instance()->installEventFilter(counter);
    }
    return counter ? counter->presses & 1 : 0;
}

TFcInsertState InsertStateFor(int toggleNow, int toggleAtCreation, TFcInsertState loaded)
{
    if (toggleNow == toggleAtCreation)
        return loaded;
    return loaded == isInsert ? isOverwrite : isInsert;
}

QString KeyPaneCaption(TFcToggleKey key, TFcToggleState state, TFcInsertState insertState,
                       const TFcKeyStrings& strings)
{
    switch (key) {
    case tkCapsLock: return state == tsOn ? strings.CapsLock : QString();
    case tkNumLock: return state == tsOn ? strings.NumLock : QString();
    case tkScrollLock: return state == tsOn ? strings.ScrollLock : QString();
    case tkInsert: return insertState == isInsert ? strings.Insert : strings.Overwrite;
    }
    return {};
}
}  // namespace tw::controls
