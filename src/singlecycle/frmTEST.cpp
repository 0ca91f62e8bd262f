#include "singlecycle/frmTEST.h"

#include <charconv>
#include <cmath>

#include "layouts/test_layout.h"

namespace corvexa {

namespace {

constexpr int64_t kFixedOne = 10000;    // the running sum keeps four decimal places
constexpr double kLargestNumber = 1e12; // 540 of it still fit the running sum

// A number as the running sum adds it (four decimal places, halves to even), read the same way
// whatever the locale. Text that is no number, and a number beyond a million million either way
// (540 of it must fit the sum), give nothing.
std::optional<int64_t> TestNumber(const std::optional<std::string> &answer) {
    if (!answer) {
        return std::nullopt;
    }
    const std::string &text = *answer;
    size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    if (text[first] == '+' && first < last && text[first + 1] != '-') {
        ++first;
    }
    double value = 0;
    const char *end = text.data() + last + 1;
    const auto [stop, error] =
        std::from_chars(text.data() + first, end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value) ||
        std::fabs(value) > kLargestNumber) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::nearbyint(value * static_cast<double>(kFixedOne)));
}

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
    left = kTestLeft;
    top = kTestTop;
    On("Press", [this] { Press_Click(); });
}

void frmTEST::Press_Click() {
    const ControlArray box = Array("box");
    int64_t &sum = machine().TestColourAccumulator;
    // Until 0, an answer that is no number, or Cancel.
    while (true) {
        const std::optional<int64_t> n = TestNumber(desk().InputBox("Enter a Number"));
        if (!n || *n == 0) {
            return;
        }
        sum = 0;
        for (int i = 1; i <= kTestBoxesPainted; ++i) {
            sum += *n;
            box[i].backColor = TestSumColour(sum);
            box[i].caption = TestSumText(sum);
            desk().Animate(kTestPaintSeconds / kTestBoxesPainted);
        }
    }
}

} // namespace corvexa
