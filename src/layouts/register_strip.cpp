#include "layouts/register_strip.h"

#include <algorithm>

namespace corvexa {

namespace {

constexpr int kRowPitch = 240; // the labels are 225 high
constexpr int kGap = 80;
constexpr int kListingClearance = 60;
// A second row still lies above the wires along the top of the drawing; a third would not.
constexpr int kRows = 2;
constexpr int kNarrowestPercent = 50; // below half size a caption is unreadable

struct Area {
    int left, top, right;
};

// Flows the labels at the given percentage of their widths; false when they need more rows.
bool Flow(const std::vector<int> &widths, int percent, const Area &a,
          std::vector<StripPlace> &out) {
    out.clear();
    int x = a.left;
    int row = 0;
    for (const int natural : widths) {
        const int w = std::max(1, natural * percent / 100);
        if (x > a.left && x + w > a.right) {
            ++row;
            x = a.left;
        }
        out.push_back({x, a.top + row * kRowPitch, std::min(w, a.right - x)});
        x += w + kGap;
    }
    return row < kRows;
}

} // namespace

std::vector<StripPlace> RegisterStripPlacement(const std::vector<int> &widths, int left, int top,
                                               int listingLeft, int windowWidth) {
    const Area area{
        left, top,
        std::max(left + 1, std::min(listingLeft - kListingClearance, windowWidth - kGap))};
    std::vector<StripPlace> places;
    for (int percent = 100; percent > kNarrowestPercent; percent -= 5) {
        if (Flow(widths, percent, area, places)) {
            return places;
        }
    }
    Flow(widths, kNarrowestPercent, area, places);
    return places;
}

} // namespace corvexa
