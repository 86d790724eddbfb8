#pragma once
// TFcShellLocator: the folder value of the shell controls and dialogs. It
// names a folder by an absolute id list or by a special-folder id, gives the
// path on demand, takes a path, and streams as the "Pidl" property.
//
// Stream layout ("Pidl"): byte 0 the kind (0 id list, 1 special folder).
// Kind 1: byte 1 the special-folder id. Kind 0: bytes 1-4 the list's length L
// (little-endian, terminator included), then L bytes of list. A length of 0
// reads back as the Desktop special folder. Nothing is written for the
// Desktop given by id list.
//
// Invariant: a stored list always has items; the Desktop by id list is a
// null list.

#include "controls/shell/fcidlist.h"
#include "controls/shell/fcshelltypes.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace tw::controls::shell {

class TFcShellLocator {
public:
    enum Kind : std::uint8_t { ByIdList = 0, BySpecialFolder = 1 };

    TFcShellLocator() = default;
    virtual ~TFcShellLocator() = default;
    TFcShellLocator(const TFcShellLocator&) = delete;
    TFcShellLocator& operator=(const TFcShellLocator&) = delete;

    // Null for the Desktop or a special folder not on this machine; owned by
    // the locator.
    const IdList* GetIdList();
    QString GetPathName();
    TCSIDL GetCSIDL() const { return kind_ == BySpecialFolder ? csidl_ : csidlNone; }
    Kind GetKind() const { return kind_; }

    void SetIdList(const IdList* list);  // the caller keeps its list
    void SetCSIDL(TCSIDL csidl);
    // A path that does not resolve leaves the Desktop.
    void SetPathName(const QString& path);
    void Clear() { SetIdList(nullptr); }
    bool IsEqual(const TFcShellLocator& other) const;
    // Null clears. An equal source changes nothing.
    void Assign(const TFcShellLocator* source);

    // The "Pidl" property.
    bool ShouldWriteData() const { return list_ || kind_ == BySpecialFolder; }
    QByteArray WriteData() const;
    // Raises no OnChange; throws on data too short or malformed.
    void ReadData(const QByteArray& data);

    std::function<void(TFcShellLocator*)> OnChange;

protected:
    virtual void Changed();

private:
    Kind kind_ = ByIdList;
    IdListPtr list_;
    TCSIDL csidl_ = csidlDesktop;
};

}  // namespace tw::controls::shell
