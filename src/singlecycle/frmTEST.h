#pragma once
// The test window: for each number entered, boxes 1 to 540 show the number's multiples as text
// and as background colour.

#include <cstdint>
#include <optional>
#include <string>

#include "ui/form.h"

namespace corvexa {

inline constexpr int kTestBoxesPainted = 540;
inline constexpr double kTestPaintSeconds = 1.0; // how long painting the boxes takes on screen

class frmTEST : public Form {
public:
    explicit frmTEST(Desk &desk);

    void Press_Click();
};

// The running sum's look, from its fixed-point value (four decimal places): the text with a
// leading blank unless negative and a fraction only when there is one; the colour as the nearest
// whole number (halves to even), wrapped into 24 bits.
std::string TestSumText(int64_t sum);
int32_t TestSumColour(int64_t sum);

} // namespace corvexa
