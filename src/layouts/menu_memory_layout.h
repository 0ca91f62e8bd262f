#pragma once
// Design state of the used-memory window.

#include "ui/layout.h"

namespace corvexa {

inline constexpr int kMenuMemoryLeft = 3975;
inline constexpr int kMenuMemoryTop = 1980;
inline constexpr int kMemRows = 25;   // rows of one column
inline constexpr int kMemColumns = 4; // columns of 25 rows: entries 0..99
inline constexpr int kMemLabelRows = 100;

// The map's last entry (index 100) has no row of its own among the 100 rows: it is shown by the
// extra pair lblMemExtraAddress / lblMemExtraValue under the fourth column.
const FormLayout &MenuMemoryLayout();

} // namespace corvexa
