#pragma once
// One clock of a pipeline window: the phases WB, MEM, EXE, ID and IF on the stage records, every
// caption, colour and visibility they change on the datapath drawing, and the explanations of
// forwarding and stalls. Both pipeline windows run this one engine; what differs between them is
// described by a ClockVariant, the window's own procedures come in through a ClockHost.

#include <array>
#include <cstdint>
#include <string>

#include "machine/stage.h"
#include "ui/form.h"

namespace corvexa {

// What sets one pipeline window's clock apart from another's.
struct ClockVariant {
    int colourCount = 15;           // entries of InstructionColours in the fetch colour cycle
    bool writesExplanations = true; // ForwardingText, StallText and StallReasonText are written
    // Forwarding paths beyond the ALU inputs and the store data at the data memory:
    bool storeDataIntoExe = true; // a store's data from WB into the EXE latch
    bool loadUseRescue = true;    // WB's value saved into a record held by a load-use stall
};

inline ClockVariant FiveStageVariant() {
    return ClockVariant{};
}

// The window procedures a clock calls.
class ClockHost {
public:
    virtual ~ClockHost() = default;
    // First clock of a run: StallDetectionEnabled, ForwardingEnabled, AggressiveBranching.
    virtual void LatchOptions() = 0;
    virtual void PromptRegisterValue(int n) = 0;
    virtual void Reset_Click() = 0;
    virtual void RefreshRegisterList() = 0;
};

// The controls a clock writes, bound once so a clock never looks a control up by name.
struct ClockControls {
    ControlArray lblIFValue, lblIDValue, lblEXEValue, lblMEMValue, lblWBValue;
    ControlArray lblStage, txtStageInfo2, lblProg, Line3;
    Control *Information = nullptr;
    Control *Timer1 = nullptr;
    Control *lblForward = nullptr;
    Control *lblClockCount = nullptr;
    std::array<Control *, 4> pcLines{}; // Line62, Line63, Line64, Line66 where the window has them

    static ClockControls Bind(Form &form);
};

class PipelineClock {
public:
    PipelineClock(PipelineState &state, Desk &desk, ClockHost &host, ClockControls controls,
                  ClockVariant variant);

    // Clocking_Click: one clock of the whole pipeline.
    void Clock();
    // The latches a reset clears (the Slot fields, FetchIndex and a few flags stay).
    void ClearLatches();
    // Blank stage view: value labels, stage captions and boxes hidden, listing in its own colour.
    void BlankStageView();

    const ClockControls &controls() const { return c_; }

private:
    // Phases, in the order a clock runs them.
    void WbPhase();
    void MemPhase();
    void ExePhase();
    void IdPhase();
    void IfPhase();

    // EXE steps.
    void ExeLoadUseDetection();
    void ExeStrangeCase(bool forA, const char *suffix);
    void ExeBubblesAndFlushes();
    void ExeAluInputA();
    void ExeEarlyRegisterWrite();
    void ExeInputBAndStoreData();
    void ExeShowValues();
    void ExeAlu();

    // IF steps.
    void IfNextFetchIndex();
    void IfEarlyBranchDecision();
    void IfStallLookAhead();
    void IfBranchHazardLookAhead();
    void IfFetchAndShow();

    // Reads register n for the ID stage, asking its starting value on first use.
    int32_t ReadRegister(int n);
    // Copies a result in MEM into the register file for the branch held in ID.
    void EarlyBranchOperandUpdate();
    // A load in `producer` writes a source register of the branch in ID.
    bool LoadFeedsBranch(const StageRecord &producer) const;

    // The explanation strip: caption, visible, re-show timer armed.
    void Explain(const std::string &text);
    void ColourRow(int slot, int32_t colour);
    void EndRun();

    PipelineState &s_;
    Desk &desk_;
    Machine &m_;
    ClockHost &host_;
    ClockControls c_;
    ClockVariant v_;
};

// Results are kept to 32 bits, two's complement, wherever they are stored, shown or forwarded.
constexpr int32_t Wrap32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

bool IsBranch(const std::string &op);

} // namespace corvexa
