#pragma once
// The shared machine state by name, as text: "RegisterFile" with index 5 gives "500",
// "RegistersInitialised" gives "True". Numbers are decimal, booleans True / False, strings as
// they stand. Used by checks that name the state the way the system does.

#include <optional>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace corvexa {

struct StateLookup {
    std::optional<std::string> value; // the value as text, when there is one
    std::string error;                // otherwise why not
};

// index < 0 means no index was given: tables need one, single values refuse one.
StateLookup SharedStateValue(const Machine &m, const std::string &name, int index);

// Every name SharedStateValue knows, sorted.
std::vector<std::string> SharedStateNames();

// A fixed-point amount held scaled by 10000, as decimal text without trailing zeros ("12.5").
std::string FixedPointText(int64_t scaled);

} // namespace corvexa
