#include "support/toolbar_images.h"

#include <gtest/gtest.h>

#include "support/resource_module.h"

namespace clipwright {
namespace {

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

TEST(ToolbarImagesTest, BothBitmapsHoldEightSquareImagesThatDrawSomething) {
    for (const int bitmap : {kToolbarBitmapNormal, kToolbarBitmapDisabled}) {
        const std::vector<QImage> images = ResourceModule::BuiltIn()->Bitmap(bitmap);
        ASSERT_EQ(images.size(), 8u) << bitmap;
        for (size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i].size(), QSize(48, 48)) << bitmap << "/" << i;
            const int opaque = OpaquePixels(images[i]);
            // Drawn, with a transparent surround.
            EXPECT_GT(opaque, 200) << bitmap << "/" << i;
            EXPECT_LT(opaque, 48 * 48) << bitmap << "/" << i;
            for (size_t j = 0; j < i; ++j) {
                EXPECT_NE(images[i], images[j]) << bitmap << ": " << i << " and " << j;
            }
        }
    }
    EXPECT_TRUE(ResourceModule::BuiltIn()->Bitmap(128).empty());
}

TEST(ToolbarImagesTest, DisabledImagesAreGreyAndFadedCopiesOfTheNormalOnes) {
    const std::vector<QImage> normal = DrawToolbarImages(ToolbarImageState::kNormal);
    const std::vector<QImage> disabled = DrawToolbarImages(ToolbarImageState::kDisabled);
    ASSERT_EQ(normal.size(), disabled.size());
    for (size_t i = 0; i < normal.size(); ++i) {
        bool colourful = false;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const QColor d = disabled[i].pixelColor(x, y);
                const QColor n = normal[i].pixelColor(x, y);
                EXPECT_EQ(d.alpha() > 0, n.alpha() > 1) << i << " at " << x << "," << y;
                if (d.alpha() > 8) {
                    EXPECT_LE(std::abs(d.red() - d.blue()), 2) << i << " at " << x << "," << y;
                    EXPECT_LE(d.alpha(), n.alpha()) << i;
                }
                colourful = colourful || (n.alpha() == 255 && n.red() != n.blue());
            }
        }
        EXPECT_TRUE(colourful) << i;
    }
}

}  // namespace
}  // namespace clipwright
