#pragma once
// The two photos of a customer in photos.dbf (IMAGE1 of the main contact,
// IMAGE2 of the alternate one, each with its display scale) and the
// customer's PHOTO mark, which is true exactly when either picture is stored.
//
// Every operation names the customer by its key: the photo dialog stays open
// while the user moves through the customers, and what it saves or deletes
// belongs to the customer it was opened for.

#include <cstdint>
#include <vector>

#include "platform/db/table.h"

namespace tw::customers {

struct StoredPhotos {
    bool HasRecord = false;
    std::vector<std::uint8_t> Image1, Image2;
    int Scale1 = 0, Scale2 = 0;

    const std::vector<std::uint8_t>& Image(bool photo2) const { return photo2 ? Image2 : Image1; }
    int Scale(bool photo2) const { return photo2 ? Scale2 : Scale1; }
};

// The cursors the photos are kept and marked through.
struct PhotoTables {
    db::Table& CustomersTable;   // the customer view, refreshed after a change of mark
    db::Table& CustomersTable2;  // where PHOTO is set
    db::Table& PhotosTable;
};

class CustomerPhotos {
public:
    explicit CustomerPhotos(const PhotoTables& tables) : data_(tables) {}

    StoredPhotos Load(std::int32_t cid);
    // Stores the picture with its scale; refused (false) without bytes or
    // without such a customer. Sets PHOTO.
    bool Save(std::int32_t cid, bool photo2, const std::vector<std::uint8_t>& bytes, int scale);
    // Empties one picture, keeping its scale; PHOTO stays true while the
    // other picture remains.
    void Delete(std::int32_t cid, bool photo2);

private:
    bool LocatePhotos(std::int32_t cid);
    void SetPhotoMark(std::int32_t cid, bool hasPhoto);

    PhotoTables data_;
};

}  // namespace tw::customers
