#pragma once
// The used-memory map: every data address a program's loads and stores touch, with its value,
// sorted by address. MemAdjust is the only operation that reads or changes its entries.

#include <cstdint>
#include <string>

#include "machine/machine.h"
#include "ui/desk.h"

namespace corvexa {

// MemAdjust's result for a call that neither loads nor stores.
inline constexpr int32_t kNoMemoryData = 999;
// Index of the last entry the map can hold.
inline constexpr int kMemMapLastMax = kMemMapSize - 1;

// Where an address stands in the map: the entry holding it, or the entry it would go to.
struct MapPlace {
    bool known = false;
    int index = 0;
};

MapPlace LocateAddress(const Machine &m, int32_t a);
// Puts (a, value) at index, moving the entries from there up by one. False, and nothing
// changed, when the map is full.
bool InsertMapEntry(Machine &m, int index, int32_t a, int32_t value);

// A load (IsLoad(op)) returns the value of address a, asking the starting value of an address the
// map does not hold; a store (memwrite 1) records datain and returns it; anything else returns
// kNoMemoryData. A new address when the map is full is reported and not recorded: a load of it
// gives 0.
int32_t MemAdjust(Desk &desk, int32_t a, int32_t datain, const std::string &op, int memwrite);

} // namespace corvexa
