// The wires of the five-stage drawing: the line array Line3 and the single lines Line1..Line117.

#include <algorithm>
#include <initializer_list>
#include <string>

#include "layouts/five_stage_parts.h"

namespace corvexa::five_stage {

namespace {

bool In(int i, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), i) != set.end();
}

bool InRange(int i, int lo, int hi) {
    return i >= lo && i <= hi;
}

// Forwarding paths: drawn only while forwarding is on.
bool ForwardingWire(int i) {
    return In(i, {20, 31, 37, 41, 44, 46, 68, 69, 71, 72, 82, 83, 89, 91, 92, 93, 95, 111});
}

// Branch decided in ID: drawn only while aggressive branching is on.
bool EarlyBranchWire(int i) {
    return In(i, {62, 64}) || InRange(i, 119, 137) || InRange(i, 139, 142);
}

// Shown by the clock as the instruction reaches EXE and MEM.
bool StageWire(int i) {
    return In(i, {40, 41, 63, 94});
}

bool ForwardingArrow(int n) {
    return InRange(n, 14, 17) || InRange(n, 31, 41) || In(n, {48, 49});
}

// The short lines by the PC, shown by every fetch.
bool FetchLine(int n) {
    return In(n, {62, 63, 64, 66});
}

// Numbers in 1..117 that name no single line: 3 is the name of the line array itself, and 44 was
// never used.
bool MissingLine(int n) {
    return n == 3 || n == 44;
}

} // namespace

void AddWires(FormLayout &f) {
    for (int i = 0; i <= 146; ++i) {
        Control c = MakeLine("Line3", i, 6000, 8000, 6000, 8000, 0xFF0000, 2);
        if (ForwardingWire(i)) {
            c.borderColor = kForwardGreen;
            c.borderWidth = 4;
        }
        c.visible = !ForwardingWire(i) && !EarlyBranchWire(i) && !StageWire(i);
        f.controls.push_back(c);
    }
    for (int n = 1; n <= 117; ++n) {
        if (MissingLine(n)) {
            continue;
        }
        Control c = MakeLine("Line" + std::to_string(n), -1, 6000, 8000, 6000, 8000, 0xFF0000, 2);
        if (ForwardingArrow(n)) {
            c.borderColor = kForwardGreen;
            c.borderWidth = 4;
        }
        c.visible = !ForwardingArrow(n) && !FetchLine(n);
        f.controls.push_back(c);
    }
}

} // namespace corvexa::five_stage
