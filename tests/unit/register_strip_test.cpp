// The register strip along the top of a pipeline window: clear of the listing, inside the
// window, no label over another, whatever the registers hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "layouts/register_strip.h"

namespace corvexa {
namespace {

void ExpectClear(const std::vector<StripPlace> &places, int right) {
    for (size_t i = 0; i < places.size(); ++i) {
        const StripPlace &p = places[i];
        EXPECT_GE(p.left, 0) << i;
        EXPECT_LE(p.left + p.width, right) << i;
        for (size_t j = 0; j < i; ++j) {
            const StripPlace &q = places[j];
            const bool apart =
                p.top != q.top || p.left >= q.left + q.width || q.left >= p.left + p.width;
            EXPECT_TRUE(apart) << i << " over " << j;
        }
    }
}

TEST(RegisterStripPlacement, FewLabelsStandInOneRowFromTheLeftEdge) {
    const auto places = RegisterStripPlacement({700, 800, 900}, 10, 420, 12615, 15270);
    ASSERT_EQ(places.size(), 3U);
    EXPECT_EQ(places[0].left, 10);
    EXPECT_EQ(places[0].top, 420);
    for (const StripPlace &p : places) {
        EXPECT_EQ(p.top, 420);
    }
    EXPECT_EQ(places[2].width, 900);
    ExpectClear(places, 12615);
}

TEST(RegisterStripPlacement, AFullRowContinuesBelowAndTheWidestValuesStayReadable) {
    // Seventeen registers holding "R31=-2147483648"-wide values need more than two rows at
    // full width: the labels are narrowed, never pushed under the listing or over each other.
    for (const int width : {1100, 1530}) {
        const std::vector<int> widths(17, width);
        const auto places = RegisterStripPlacement(widths, 10, 420, 12615, 15270);
        ASSERT_EQ(places.size(), 17U);
        ExpectClear(places, 12615);
        int rows = 0;
        for (const StripPlace &p : places) {
            rows = std::max(rows, (p.top - 420) / 240 + 1);
            EXPECT_GE(p.width, width / 2);
        }
        EXPECT_EQ(rows, 2);
    }
    // A window narrower than the listing's edge bounds the strip instead.
    ExpectClear(RegisterStripPlacement(std::vector<int>(12, 900), 2285, 300, 12615, 6000), 6000);
}

} // namespace
} // namespace corvexa
