#pragma once
// The state of the lock keys and the insert mode, which no portable API
// offers. Under X11 the keyboard's named indicators are read through the X
// library, bound at run time; anywhere else (and when it cannot be reached)
// the state is unknown and shown as off. The insert mode follows the Insert
// presses the program itself sees.
#include <QString>
#include <functional>
#include <optional>
namespace tw::controls {
enum TFcToggleKey { tkCapsLock, tkNumLock, tkScrollLock, tkInsert };
enum TFcToggleState { tsOn, tsOff };
enum TFcInsertState { isInsert, isOverwrite };
// Reads a lock key; nothing when unknown. Replaceable for tests.
using TFcLockKeyReader = std::function<std::optional<bool>(TFcToggleKey)>;
std::optional<bool> ReadLockKeyIndicator(TFcToggleKey key);
TFcLockKeyReader& LockKeyReader();
// Counts the Insert presses the application sees (an event filter on the
// application, installed on the first call); the low bit is the toggle bit.
int InsertToggleBit();
// The insert state for the toggle bit seen now, against the one seen when
// the pane was made and the state it was loaded with.
TFcInsertState InsertStateFor(int toggleNow, int toggleAtCreation, TFcInsertState loaded);
struct TFcKeyStrings {
    QString CapsLock = QStringLiteral("CAPS");
    QString NumLock = QStringLiteral("NUM");
    QString ScrollLock = QStringLiteral("SCR");
    QString Insert = QStringLiteral("Insert");
    QString Overwrite = QStringLiteral("Overwrite");
};
// The caption of a key pane.
QString KeyPaneCaption(TFcToggleKey key, TFcToggleState state, TFcInsertState insertState,
                       const TFcKeyStrings& strings);
}  // namespace tw::controls
