// The wires of the five-stage drawing: the line array Line3 (0..146) and the single lines Line1 to
// Line117. Wires are routed as polylines in groups (always drawn, forwarding paths, branch decided
// in ID, branch decided in MEM, the fetch marks by the PC); each group's segments and arrowheads
// are then spread over the line numbers that the window's handlers switch together.

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "layouts/five_stage_labels.h"
#include "layouts/five_stage_parts.h"

namespace corvexa::five_stage {

namespace {

struct Pt {
    int x, y;
};

struct Segment {
    Pt a, b;
    int32_t colour;
    int width;
};

enum class Group { Always, Forwarding, EarlyBranch, LateBranch, FetchMark };

// Wire colours: values on &HFF0000 width 3, addresses, instruction fields and register numbers on
// &HC00000 width 2, control signals red width 1, forwarding paths light green width 4.
constexpr int32_t kValue = 0xFF0000;
constexpr int32_t kField = 0xC00000;
constexpr int kValueWidth = 3;
constexpr int kFieldWidth = 2;
constexpr int kControlWidth = 1;
constexpr int kForwardWidth = 4;

struct Plan {
    std::vector<Segment> wires[5];
    std::vector<Segment> arrows[5];

    void Path(Group g, int32_t colour, int width, std::initializer_list<Pt> points) {
        const Pt *prev = nullptr;
        for (const Pt &p : points) {
            if (prev != nullptr) {
                wires[static_cast<int>(g)].push_back({*prev, p, colour, width});
            }
            prev = &p;
        }
    }

    enum Dir { Right, Down, Up };

    // An arrowhead whose tip touches the element the wire feeds.
    void Arrow(Group g, int32_t colour, Pt tip, Dir d = Right) {
        constexpr int kBack = 90;
        constexpr int kSide = 60;
        Pt p1{}, p2{};
        switch (d) {
        case Right:
            p1 = {tip.x - kBack, tip.y - kSide};
            p2 = {tip.x - kBack, tip.y + kSide};
            break;
        case Down:
            p1 = {tip.x - kSide, tip.y - kBack};
            p2 = {tip.x + kSide, tip.y - kBack};
            break;
        case Up:
            p1 = {tip.x - kSide, tip.y + kBack};
            p2 = {tip.x + kSide, tip.y + kBack};
            break;
        }
        const int width = colour == kForwardGreen ? 2 : kFieldWidth;
        arrows[static_cast<int>(g)].push_back({p1, tip, colour, width});
        arrows[static_cast<int>(g)].push_back({p2, tip, colour, width});
    }
};

int Length(const Segment &s) {
    return std::abs(s.b.x - s.a.x) + std::abs(s.b.y - s.a.y);
}

// Splits the longest wires into collinear halves until the group fills its line numbers.
void FillTo(std::vector<Segment> &wires, size_t count) {
    if (wires.size() > count) {
        throw std::logic_error("five-stage layout: more wire segments than line numbers: " +
                               std::to_string(wires.size()) + " > " + std::to_string(count));
    }
    while (wires.size() < count) {
        auto longest =
            std::max_element(wires.begin(), wires.end(),
                             [](const auto &l, const auto &r) { return Length(l) < Length(r); });
        const Segment s = *longest;
        // On the twip grid of the drawing, and exactly on the wire.
        auto half = [](int p, int q) { return p == q ? p : (p + q) / 30 * 15; };
        const Pt mid{half(s.a.x, s.b.x), half(s.a.y, s.b.y)};
        *longest = {s.a, mid, s.colour, s.width};
        wires.insert(longest + 1, {mid, s.b, s.colour, s.width});
    }
}

void RoutePlan(Plan &w) {
    using G = Group;
    const G A = G::Always;
    const G F = G::Forwarding;
    const G E = G::EarlyBranch;
    const G L = G::LateBranch;

    // ---- IF ----
    // Next-PC multiplexer into the PC.
    w.Path(A, kField, kFieldWidth,
           {{960, 2617}, {1140, 2617}, {1140, 3960}, {825, 3960}, {825, 4260}});
    w.Arrow(G::FetchMark, kField, {825, 4260}, Plan::Down);
    // PC to the instruction memory and to the PC + 4 adder.
    w.Path(A, kField, kFieldWidth, {{1020, 4620}, {1740, 4620}});
    w.Arrow(G::FetchMark, kField, {1740, 4620});
    w.Path(A, kField, kFieldWidth, {{1380, 4620}, {1380, 2700}, {1740, 2700}});
    w.Arrow(A, kField, {1740, 2700});
    // The constant 4.
    w.Path(A, kField, kFieldWidth, {{1470, 2400}, {1470, 2460}, {1740, 2460}});
    w.Arrow(A, kField, {1740, 2460});
    // PC + 4 into IF/ID and back to the next-PC multiplexer.
    w.Path(A, kField, kFieldWidth, {{2160, 2580}, {2460, 2580}});
    w.Path(A, kField, kFieldWidth,
           {{2310, 2580}, {2310, 1980}, {480, 1980}, {480, 2505}, {660, 2505}});
    w.Arrow(A, kField, {660, 2505});
    // Branch target along the top into the next-PC multiplexer.
    w.Path(A, kField, kFieldWidth, {{4500, 1140}, {390, 1140}, {390, 2730}, {660, 2730}});
    w.Arrow(A, kField, {660, 2730});
    // Branch decision into the multiplexer's select.
    w.Path(A, kRed, kControlWidth, {{5175, 1005}, {810, 1005}, {810, 2280}});
    w.Arrow(A, kRed, {810, 2280}, Plan::Down);
    // Fetched instruction into IF/ID.
    w.Path(A, kField, kFieldWidth, {{2145, 5070}, {2460, 5070}});

    // ---- ID ----
    // Instruction fields fanned out from IF/ID.
    w.Path(A, kField, kFieldWidth, {{2835, 5070}, {2910, 5070}});
    w.Path(A, kField, kFieldWidth, {{2910, 3180}, {2910, 8010}});
    w.Path(A, kField, kFieldWidth, {{2910, 3180}, {3420, 3180}});
    w.Arrow(A, kField, {3420, 3180});
    w.Path(A, kField, kFieldWidth, {{2910, 4320}, {3540, 4320}});
    w.Arrow(A, kField, {3540, 4320});
    w.Path(A, kField, kFieldWidth, {{2910, 4860}, {3540, 4860}});
    w.Arrow(A, kField, {3540, 4860});
    w.Path(A, kField, kFieldWidth, {{2910, 6600}, {3540, 6600}});
    w.Arrow(A, kField, {3540, 6600});
    w.Path(A, kField, kFieldWidth, {{2910, 7785}, {5220, 7785}});
    w.Path(A, kField, kFieldWidth, {{2910, 8010}, {5220, 8010}});
    // NPC on to ID/EXE (needed only by the branch target adder in EXE).
    w.Path(A, kField, kFieldWidth, {{2835, 2580}, {3060, 2580}});
    w.Path(L, kField, kFieldWidth, {{3060, 2580}, {5220, 2580}});
    // Register values and the sign-extended immediate into ID/EXE.
    w.Path(A, kValue, kValueWidth, {{4260, 4320}, {5220, 4320}});
    w.Path(A, kValue, kValueWidth, {{4260, 4860}, {5220, 4860}});
    w.Path(A, kField, kFieldWidth, {{4260, 6600}, {5220, 6600}});
    // Control unit into the control-signal box (Line3 145 and 146 are placed by the caller).
    w.Path(A, kRed, kControlWidth, {{4140, 3180}, {4320, 3180}});

    // ---- early branch decision in ID ----
    w.Path(E, kField, kFieldWidth, {{3060, 2580}, {3060, 1635}, {3900, 1635}});
    w.Arrow(E, kField, {3900, 1635});
    w.Path(E, kField, kFieldWidth, {{2910, 3180}, {2910, 2460}, {3510, 2460}, {3510, 2400}});
    w.Arrow(E, kField, {3510, 2400}, Plan::Up);
    w.Path(E, kField, kFieldWidth, {{3780, 2025}, {3900, 2025}});
    w.Path(E, kField, kFieldWidth, {{4350, 1830}, {4500, 1830}, {4500, 1140}});
    w.Path(E, kRed, kControlWidth, {{4560, 2880}, {4560, 2032}, {4800, 2032}});
    w.Arrow(E, kRed, {4800, 2032});
    w.Path(E, kValue, kControlWidth + 1,
           {{4230, 4080}, {4230, 2460}, {4680, 2460}, {4680, 2257}, {4800, 2257}});
    w.Arrow(E, kField, {4800, 2257});
    w.Path(E, kRed, kControlWidth, {{5130, 2145}, {5175, 2145}, {5175, 1005}});

    // ---- EXE ----
    // Control signals on from the control-signal box: write-back and memory controls up to
    // EXE/MEM, the ALU operation to its label.
    w.Path(A, kRed, kControlWidth, {{5835, 2925}, {5985, 2925}, {5985, 1590}, {8400, 1590}});
    w.Path(A, kRed, kControlWidth, {{5835, 3030}, {6075, 3030}, {6075, 1770}, {8400, 1770}});
    w.Path(A, kRed, kControlWidth, {{5835, 3277}, {6840, 3277}});
    w.Arrow(A, kRed, {6840, 3277});
    // A: ID/EXE to the A-input multiplexer (Line3 40, 41 and 117 are placed by the caller).
    // With forwarding A goes on into the multiplexer's first input: an ordinary value, drawn as
    // one, though it appears with the forwarding drawing.
    w.Path(A, kValue, kValueWidth, {{6540, 4320}, {6540, 4110}});
    w.Path(F, kValue, kValueWidth, {{6540, 4110}, {6540, 3825}, {6840, 3825}});
    w.Arrow(F, kValue, {6840, 3825});
    // B and the immediate into the B-input multiplexer, then into the ALU.
    w.Path(A, kValue, kValueWidth, {{5625, 4860}, {6840, 4860}});
    w.Arrow(A, kValue, {6840, 4860});
    w.Path(A, kField, kFieldWidth, {{5625, 6600}, {6570, 6600}, {6570, 5070}, {6840, 5070}});
    w.Arrow(A, kField, {6840, 5070});
    w.Path(A, kValue, kValueWidth, {{7140, 4957}, {7290, 4957}, {7290, 4650}, {7380, 4650}});
    w.Path(F, kValue, kValueWidth, {{7260, 5167}, {7290, 5167}, {7290, 4957}});
    // Store data on to EXE/MEM.
    w.Path(A, kValue, kValueWidth, {{5775, 4860}, {5775, 7050}, {8400, 7050}});
    // Destination register: Rt or Rd.
    w.Path(A, kField, kFieldWidth, {{5625, 7785}, {6060, 7785}});
    w.Arrow(A, kField, {6060, 7785});
    w.Path(A, kField, kFieldWidth, {{5625, 8010}, {6060, 8010}});
    w.Arrow(A, kField, {6060, 8010});
    w.Path(A, kField, kFieldWidth, {{6360, 7897}, {8400, 7897}});
    // Branch target in EXE: NPC + immediate x 4.
    w.Path(L, kField, kFieldWidth, {{5625, 2580}, {6210, 2580}, {6210, 2130}, {7260, 2130}});
    w.Arrow(L, kField, {7260, 2130});
    w.Path(L, kField, kFieldWidth, {{5685, 6600}, {5685, 2700}, {6360, 2700}});
    w.Path(L, kField, kFieldWidth, {{6900, 2430}, {7260, 2430}});
    w.Arrow(L, kField, {7260, 2430});
    w.Path(L, kField, kFieldWidth, {{7650, 2280}, {8400, 2280}});
    // ALU zero flag on to the branch gate in MEM.
    w.Path(L, kRed, kControlWidth + 1, {{7770, 4110}, {8400, 4110}});
    // Forwarding paths back into the ALU multiplexers: from MEM and from WB. The MEM trunk
    // rises far enough left of the multiplexers' arrowheads that a gap shows between them even
    // on the smallest screen, so each input still shows which wire enters; the immediate and A
    // rise between the trunks.
    w.Path(F, kForwardGreen, kForwardWidth,
           {{8940, 5640}, {8940, 6300}, {6645, 6300}, {6645, 4110}, {6840, 4110}});
    w.Arrow(F, kForwardGreen, {6840, 4110});
    w.Path(F, kForwardGreen, kForwardWidth, {{6645, 5265}, {6840, 5265}});
    w.Arrow(F, kForwardGreen, {6840, 5265});
    w.Path(F, kForwardGreen, kForwardWidth, {{6495, 8707}, {6495, 4395}, {6840, 4395}});
    w.Arrow(F, kForwardGreen, {6840, 4395});
    w.Path(F, kForwardGreen, kForwardWidth, {{6495, 5460}, {6840, 5460}});
    w.Arrow(F, kForwardGreen, {6840, 5460});

    // ---- MEM ----
    // Branch target back to the fetch, branch decision, its inputs.
    w.Path(L, kField, kFieldWidth, {{8835, 2280}, {9060, 2280}, {9060, 1140}, {4500, 1140}});
    w.Path(L, kRed, kControlWidth + 1, {{8835, 4110}, {9240, 4110}, {9240, 2617}, {9600, 2617}});
    w.Arrow(L, kRed, {9600, 2617});
    w.Path(L, kRed, kControlWidth, {{9510, 2392}, {9600, 2392}});
    w.Arrow(L, kRed, {9600, 2392});
    w.Path(L, kRed, kControlWidth, {{9930, 2505}, {10080, 2505}, {10080, 1005}, {5175, 1005}});
    // Controls: write-back on to MEM/WB, memory write into the data memory.
    w.Path(A, kRed, kControlWidth, {{8835, 1590}, {10860, 1590}});
    w.Path(A, kRed, kControlWidth,
           {{8835, 1770}, {9510, 1770}, {9510, 3180}, {9922, 3180}, {9922, 3360}});
    w.Arrow(A, kRed, {9922, 3360}, Plan::Down);
    // ALU result past the memory (Line3 94, the address, and 31 are placed by the caller).
    w.Path(A, kValue, kValueWidth, {{8940, 4380}, {8940, 5640}, {10860, 5640}});
    // Store data, through the store-data multiplexer when forwarding (118 is placed by the caller).
    w.Path(A, kValue, kValueWidth, {{8835, 7050}, {8985, 7050}, {8985, 6157}});
    w.Path(F, kForwardGreen, kForwardWidth, {{8985, 6157}, {8985, 6045}, {9300, 6045}});
    w.Arrow(F, kForwardGreen, {9300, 6045});
    w.Path(F, kForwardGreen, kForwardWidth, {{9127, 8707}, {9127, 6270}, {9300, 6270}});
    w.Arrow(F, kForwardGreen, {9300, 6270});
    w.Path(A, kValue, kValueWidth, {{9600, 6157}, {9922, 6157}, {9922, 5460}});
    w.Arrow(A, kValue, {9922, 5460}, Plan::Up);
    // Loaded value and destination register into MEM/WB.
    w.Path(A, kValue, kValueWidth, {{10125, 4320}, {10860, 4320}});
    w.Path(A, kField, kFieldWidth, {{8835, 7897}, {10860, 7897}});

    // ---- WB ----
    w.Path(A, kValue, kValueWidth, {{11295, 4320}, {11490, 4320}, {11490, 5025}, {11640, 5025}});
    w.Arrow(A, kValue, {11640, 5025});
    w.Path(A, kValue, kValueWidth, {{11295, 5640}, {11550, 5640}, {11550, 5250}, {11640, 5250}});
    w.Arrow(A, kValue, {11640, 5250});
    w.Path(A, kRed, kControlWidth, {{11295, 1590}, {11445, 1590}, {11445, 2580}});
    w.Arrow(A, kRed, {11445, 2580}, Plan::Down);
    // Write-back value and destination register back along the bottom to the register file.
    w.Path(A, kValue, kValueWidth,
           {{11940, 5137}, {12585, 5137}, {12585, 8707}, {3480, 8707}, {3480, 5580}, {3540, 5580}});
    w.Arrow(A, kValue, {3540, 5580});
    w.Path(A, kField, kFieldWidth,
           {{11295, 7897}, {11430, 7897}, {11430, 8460}, {3420, 8460}, {3420, 5280}, {3540, 5280}});
    w.Arrow(A, kField, {3540, 5280});
}

std::vector<int> Numbers(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<int> out;
    for (const auto &[lo, hi] : ranges) {
        for (int i = lo; i <= hi; ++i) {
            out.push_back(i);
        }
    }
    return out;
}

struct Pools {
    std::vector<int> array;  // Line3 indices
    std::vector<int> single; // N of LineN
};

void Place(FormLayout &f, const std::string &name, int index, const Segment &s, bool visible) {
    Control c = MakeLine(name, index, s.a.x, s.a.y, s.b.x, s.b.y, s.colour, s.width);
    c.visible = visible;
    f.controls.push_back(c);
}

// Arrowheads take single lines first, wire segments whatever numbers are left.
void Assign(FormLayout &f, std::vector<Segment> wires, const std::vector<Segment> &arrows,
            const Pools &pools, bool visible) {
    if (arrows.size() > pools.single.size() + pools.array.size()) {
        throw std::logic_error("five-stage layout: more arrowheads than line numbers");
    }
    std::vector<Segment> order = arrows;
    const size_t total = pools.single.size() + pools.array.size();
    FillTo(wires, total - arrows.size());
    order.insert(order.end(), wires.begin(), wires.end());
    size_t k = 0;
    for (int n : pools.single) {
        Place(f, "Line" + std::to_string(n), -1, order[k++], visible);
    }
    for (int i : pools.array) {
        Place(f, "Line3", i, order[k++], visible);
    }
}

} // namespace

void AddWires(FormLayout &f) {
    Plan plan;
    RoutePlan(plan);

    const std::vector<int> forwardArray = {20, 37, 44, 46, 68, 69, 71, 72,
                                           82, 83, 89, 91, 92, 93, 95, 111};
    const std::vector<int> forwardSingle = Numbers({{14, 17}, {31, 41}, {48, 49}});
    const std::vector<int> earlyArray = Numbers({{62, 62}, {64, 64}, {119, 137}, {139, 142}});
    const std::vector<int> lateArray = {4,  17, 24,  25,  30,  32,  73,  78,  79, 96,
                                        97, 98, 100, 101, 103, 104, 105, 106, 112};
    const std::vector<int> lateSingle = {42, 43, 46, 47, 54, 55, 58, 59};
    const std::vector<int> fetchSingle = {62, 63, 64, 66};
    // Placed one by one below.
    const std::vector<int> namedArray = {31, 40, 41, 63, 94, 117, 118, 145, 146};

    std::vector<int> alwaysArray;
    for (int i = 0; i <= 146; ++i) {
        auto taken = [i](const std::vector<int> &v) {
            return std::find(v.begin(), v.end(), i) != v.end();
        };
        if (!taken(forwardArray) && !taken(earlyArray) && !taken(lateArray) && !taken(namedArray)) {
            alwaysArray.push_back(i);
        }
    }
    // Single lines: 3 is the name of the line array itself, and no line carries number 44.
    std::vector<int> alwaysSingle;
    for (int n = 1; n <= 117; ++n) {
        auto taken = [n](const std::vector<int> &v) {
            return std::find(v.begin(), v.end(), n) != v.end();
        };
        if (n != 3 && n != 44 && !taken(forwardSingle) && !taken(lateSingle) &&
            !taken(fetchSingle)) {
            alwaysSingle.push_back(n);
        }
    }

    auto idx = [](Group g) { return static_cast<int>(g); };
    Assign(f, plan.wires[idx(Group::Always)], plan.arrows[idx(Group::Always)],
           {alwaysArray, alwaysSingle}, true);
    Assign(f, plan.wires[idx(Group::Forwarding)], plan.arrows[idx(Group::Forwarding)],
           {forwardArray, forwardSingle}, false);
    Assign(f, plan.wires[idx(Group::EarlyBranch)], plan.arrows[idx(Group::EarlyBranch)],
           {earlyArray, {}}, false);
    Assign(f, plan.wires[idx(Group::LateBranch)], plan.arrows[idx(Group::LateBranch)],
           {lateArray, lateSingle}, true);
    // The fetch marks appear with the first fetch.
    Assign(f, {}, plan.arrows[idx(Group::FetchMark)], {{}, fetchSingle}, false);

    // Wires the clock shows stage by stage: A into the ALU, its result out, the memory address.
    Place(f, "Line3", ValueWire::LatchA, {{5625, 4320}, {6540, 4320}, kValue, kValueWidth}, false);
    Place(f, "Line3", ValueWire::AluInputA, {{7140, 4110}, {7380, 4110}, kValue, kValueWidth},
          false);
    Place(f, "Line3", ValueWire::AluResult, {{7770, 4380}, {8400, 4380}, kValue, kValueWidth},
          false);
    Place(f, "Line3", ValueWire::MemoryAddress, {{8835, 4380}, {9720, 4380}, kValue, kValueWidth},
          false);
    // Without forwarding: straight through the places of the A-input and store-data multiplexers.
    Place(f, "Line3", 117, {{6540, 4110}, {7140, 4110}, kValue, kValueWidth}, true);
    Place(f, "Line3", 118, {{8985, 6157}, {9600, 6157}, kValue, kValueWidth}, true);
    // Switched both with the forwarding paths and with the branch hardware in MEM: it lies on the
    // ALU result's way past the memory, so showing or hiding it never changes the drawing.
    Place(f, "Line3", 31, {{8940, 4380}, {8940, 5640}, kValue, kValueWidth}, false);
    // The control unit's signals into the control-signal box.
    Place(f, "Line3", 145, {{4110, 3045}, {4320, 3045}, kRed, kControlWidth}, true);
    Place(f, "Line3", 146, {{4110, 3315}, {4320, 3315}, kRed, kControlWidth}, true);
}

} // namespace corvexa::five_stage
