#include "customers/customerphotos.h"

namespace tw::customers {

namespace {

std::vector<std::uint8_t> ImageBytes(db::Table& t, const char* field)
{
    return t.fieldByName(field).asBytes();
}

}  // namespace

bool CustomerPhotos::LocatePhotos(std::int32_t cid)
{
    db::Table& t = data_.PhotosTable;
    if (!t.active())
        t.open();
    t.refresh();
    return t.locate("CID", db::Value(static_cast<double>(cid)));
}

StoredPhotos CustomerPhotos::Load(std::int32_t cid)
{
    StoredPhotos photos;
    if (!LocatePhotos(cid))
        return photos;
    db::Table& t = data_.PhotosTable;
    photos.HasRecord = true;
    photos.Image1 = ImageBytes(t, "IMAGE1");
    photos.Image2 = ImageBytes(t, "IMAGE2");
    photos.Scale1 = t.fieldByName("SCALE1").asInteger();
    photos.Scale2 = t.fieldByName("SCALE2").asInteger();
    return photos;
}

void CustomerPhotos::SetPhotoMark(std::int32_t cid, bool hasPhoto)
{
    db::Table& c = data_.CustomersTable2;
    if (!c.active())
        c.open();
    if (!c.locate("CID", db::Value(static_cast<double>(cid))))
        return;
    if (c.fieldByName("PHOTO").asBoolean() != hasPhoto) {
        c.edit();
        c.fieldByName("PHOTO").setAsBoolean(hasPhoto);
        c.post();
    }
    if (data_.CustomersTable.active())
        data_.CustomersTable.refresh();
}

bool CustomerPhotos::Save(std::int32_t cid, bool photo2, const std::vector<std::uint8_t>& bytes, int scale)
{
    if (bytes.empty())
        return false;
    db::Table& c = data_.CustomersTable2;
    if (!c.active())
        c.open();
    if (!c.locate("CID", db::Value(static_cast<double>(cid))))
        return false;
    db::Table& t = data_.PhotosTable;
    if (LocatePhotos(cid)) {
        t.edit();
    } else {
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
    }
    t.fieldByName(photo2 ? "IMAGE2" : "IMAGE1").setAsBytes(bytes);
    t.fieldByName(photo2 ? "SCALE2" : "SCALE1").setAsInteger(scale);
    t.post();
    SetPhotoMark(cid, true);
    return true;
}

void CustomerPhotos::Delete(std::int32_t cid, bool photo2)
{
    if (!LocatePhotos(cid))
        return;
    db::Table& t = data_.PhotosTable;
    t.edit();
    t.fieldByName(photo2 ? "IMAGE2" : "IMAGE1").clear();
    t.post();
    const bool other = !ImageBytes(t, photo2 ? "IMAGE1" : "IMAGE2").empty();
    SetPhotoMark(cid, other);
}

}  // namespace tw::customers
