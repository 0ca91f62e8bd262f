#include "pipeline/memory_map.h"

#include <algorithm>

#include "machine/mnemonics.h"
#include "machine/numstr.h"
#include "ui/form.h"
#include "ui/number_prompt.h"

namespace corvexa {

namespace {

int LastInUse(const Machine &m) {
    return std::clamp<int>(m.MemMapLast, 0, kMemMapLastMax);
}

// The register and memory windows stay hidden while a starting value is asked for.
void HideStateWindows(Desk &desk) {
    for (const char *name : {"MenuMemory", "MenuRegisters"}) {
        if (desk.Known(name)) {
            desk.Hide(name);
        }
    }
}

int32_t AskStartingValue(Desk &desk, int32_t a) {
    NumberPrompt p{"Please enter Initial Value of Memory Location " + Num(a),
                   "First Load/Store Reference", ""};
    p.wrong = {"Enter a Proper Integer Value in decimal", "Wrong Entry"};
    p.beforeAsk = [&desk] { HideStateWindows(desk); };
    return *AskWholeNumber(desk, p);
}

} // namespace

MapPlace LocateAddress(const Machine &m, int32_t a) {
    const int last = LastInUse(m);
    if (a > m.MemMapAddress[last]) {
        return {false, last + 1};
    }
    for (int i = 0; i <= last; ++i) {
        if (m.MemMapAddress[i] == a) {
            return {true, i};
        }
    }
    for (int j = 0; j <= last; ++j) {
        if (m.MemMapAddress[j] > a) {
            return {false, j};
        }
    }
    return {false, last + 1}; // entries out of order: keep the new one last
}

bool InsertMapEntry(Machine &m, int index, int32_t a, int32_t value) {
    const int last = LastInUse(m);
    if (last >= kMemMapLastMax || index < 0 || index > last + 1) {
        return false;
    }
    for (int i = last; i >= index; --i) {
        m.MemMapAddress[i + 1] = m.MemMapAddress[i];
        m.MemMapValue[i + 1] = m.MemMapValue[i];
    }
    m.MemMapAddress[index] = a;
    m.MemMapValue[index] = value;
    m.MemMapLast = static_cast<int16_t>(last + 1);
    return true;
}

int32_t MemAdjust(Desk &desk, int32_t a, int32_t datain, const std::string &op, int memwrite) {
    Machine &m = desk.machine();
    const bool load = IsLoad(op);
    const bool store = !load && memwrite == 1;
    if (!load && !store) {
        return kNoMemoryData;
    }
    const MapPlace place = LocateAddress(m, a);
    if (place.known) {
        if (store) {
            m.MemMapValue[place.index] = datain;
            return datain;
        }
        return m.MemMapValue[place.index];
    }
    if (LastInUse(m) >= kMemMapLastMax) {
        desk.MessageBox("The used-memory map is full (101 locations): location " + Num(a) +
                            " cannot be recorded. A load from it reads 0 and a store to it is "
                            "not kept.",
                        "", MsgIcon::Exclamation);
        return load ? 0 : datain;
    }
    const int32_t value = load ? AskStartingValue(desk, a) : datain;
    InsertMapEntry(m, place.index, a, value);
    return value;
}

} // namespace corvexa
