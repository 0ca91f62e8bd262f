#include "singlecycle/frmTEST.h"

#include "layouts/test_layout.h"
#include "machine/whole_number.h"

namespace corvexa {

namespace {

constexpr int kPlaces = 4;           // the running sum keeps four decimal places
constexpr int64_t kFixedOne = 10000; // 10^kPlaces
// The largest step whose 540 multiples still fit the running sum.
constexpr int64_t kLargestStep = INT64_MAX / kTestBoxesPainted;

} // namespace

std::string TestSumText(int64_t sum) {
    const uint64_t magnitude =
        sum < 0 ? 0 - static_cast<uint64_t>(sum) : static_cast<uint64_t>(sum);
    std::string text = (sum < 0 ? "-" : " ") + std::to_string(magnitude / kFixedOne);
    const uint64_t fraction = magnitude % kFixedOne;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + kFixedOne).substr(1); // four digits
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text;
}

int32_t TestSumColour(int64_t sum) {
    int64_t whole = sum / kFixedOne;
    const int64_t rest = sum % kFixedOne; // same sign as sum
    const int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > kFixedOne || (twice == kFixedOne && whole % 2 != 0)) {
        whole += sum < 0 ? -1 : 1;
    }
    // Sums that are no 24-bit colour (negative, or beyond white) wrap around, so the pattern
    // goes on rather than ending in a block of one colour.
    return static_cast<int32_t>(static_cast<uint64_t>(whole) & 0xFFFFFFU);
}

frmTEST::frmTEST(Desk &desk) : Form(desk, "frmTEST", TestLayout()) {
    left = kTestWindowLeft;
    top = kTestWindowTop;
    On("Press", [this] { Press_Click(); });
}

void frmTEST::Press_Click() {
    const ControlArray box = Array("box");
    int64_t &sum = machine().TestColourAccumulator;
    // Until 0, an answer that is no number, Cancel, or a number too large for the sum.
    while (true) {
        const std::optional<ScaledNumber> n =
            ParseScaledNumber(desk().InputBox("Enter a Number"), kPlaces);
        // A number too small for the sum's four places still paints: every box shows 0.
        if (!n || n->zero || n->units > kLargestStep || n->units < -kLargestStep) {
            return;
        }
        sum = 0;
        for (int i = 1; i <= kTestBoxesPainted; ++i) {
            sum += n->units;
            box[i].backColor = TestSumColour(sum);
            box[i].caption = TestSumText(sum);
            desk().Animate(kTestPaintSeconds / kTestBoxesPainted);
        }
    }
}

} // namespace corvexa
