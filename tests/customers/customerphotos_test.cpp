// Decoding photos at their scales, and storing and deleting them.
#include "customersfixture.h"
#include "photofixture.h"

#include "customers/customerphotos.h"

namespace tw::customers {
namespace {

using testing::QuadrantJpeg;

TEST(DecodeJpeg, EachScaleDividesTheSize)
{
    const auto bytes = QuadrantJpeg(160, 120);
    const int expected[][2] = {{160, 120}, {80, 60}, {40, 30}, {20, 15}};
    for (int scale = 0; scale <= 3; ++scale) {
        auto picture = DecodeJpeg(bytes, scale);
        ASSERT_TRUE(picture) << scale;
        EXPECT_EQ(picture->Width, expected[scale][0]);
        EXPECT_EQ(picture->Height, expected[scale][1]);
        // The top right quadrant stays green at every scale.
        const std::uint8_t* px = picture->Rgb.data() + (picture->Width * 3 / 4) * 3
            + static_cast<std::size_t>(picture->Height / 4) * picture->Width * 3;
        EXPECT_GT(px[1], 180) << scale;
        EXPECT_LT(px[0], 70) << scale;
    }
}

TEST(DecodeJpeg, RefusesWhatIsNoJpegWithLibjpegsReason)
{
    std::string error;
    EXPECT_FALSE(DecodeJpeg({}, 0, &error));
    EXPECT_FALSE(DecodeJpeg({'G', 'I', 'F', '8', '9', 'a'}, 0, &error));
    EXPECT_EQ(error, "Not a JPEG picture");
    auto truncated = QuadrantJpeg();
    truncated.resize(40);
    error.clear();
    // libjpeg reports a premature end as a warning and pads; a header cut
    // short is an error.
    auto picture = DecodeJpeg(truncated, 0, &error);
    EXPECT_FALSE(picture);
    EXPECT_FALSE(error.empty());
}

class CustomerPhotosTest : public testing::CustomersTest {
protected:
    CustomerPhotos photos{{D().CustomersTable, D().CustomersTable2, D().PhotosTable}};
};

TEST_F(CustomerPhotosTest, SaveAppendsTheRecordAndMarksTheCustomer)
{
    const std::int32_t cid = AddCustomer("Adams");
    EXPECT_FALSE(photos.Load(cid).HasRecord);
    const auto jpeg = QuadrantJpeg();
    ASSERT_TRUE(photos.Save(cid, false, jpeg, 2));
    const StoredPhotos stored = photos.Load(cid);
    EXPECT_TRUE(stored.HasRecord);
    EXPECT_EQ(stored.Image1, jpeg);
    EXPECT_TRUE(stored.Image2.empty());
    EXPECT_EQ(stored.Scale1, 2);
    EXPECT_TRUE(BoolOf(D().CustomersTable2, "CID", cid, "PHOTO"));

    // The same picture again with another scale.
    ASSERT_TRUE(photos.Save(cid, false, jpeg, 0));
    EXPECT_EQ(photos.Load(cid).Scale1, 0);
    EXPECT_EQ(D().PhotosTable.recordCount(), 1);
}

TEST_F(CustomerPhotosTest, SaveWithoutAPictureOrCustomerIsRefused)
{
    const std::int32_t cid = AddCustomer("Adams");
    EXPECT_FALSE(photos.Save(cid, false, {}, 3));
    EXPECT_FALSE(photos.Save(cid + 999, false, QuadrantJpeg(), 3));
    EXPECT_EQ(D().PhotosTable.recordCount(), 0);
    EXPECT_FALSE(BoolOf(D().CustomersTable2, "CID", cid, "PHOTO"));
}

TEST_F(CustomerPhotosTest, PhotoMarkStaysWhileEitherPictureRemains)
{
    const std::int32_t cid = AddCustomer("Adams");
    const auto one = QuadrantJpeg(64, 48), two = QuadrantJpeg(48, 64);
    photos.Save(cid, false, one, 1);
    photos.Save(cid, true, two, 3);

    photos.Delete(cid, true);
    EXPECT_TRUE(BoolOf(D().CustomersTable2, "CID", cid, "PHOTO"));
    StoredPhotos stored = photos.Load(cid);
    EXPECT_EQ(stored.Image1, one);
    EXPECT_TRUE(stored.Image2.empty());
    EXPECT_EQ(stored.Scale2, 3);  // the scale is left

    photos.Delete(cid, false);
    EXPECT_FALSE(BoolOf(D().CustomersTable2, "CID", cid, "PHOTO"));
}

}  // namespace
}  // namespace tw::customers
