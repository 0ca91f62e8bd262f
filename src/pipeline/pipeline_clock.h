#pragma once
// One clock of a pipeline window: the phases WB, MEM, EXE, ID and IF on the stage records, every
// caption, colour and visibility they change on the datapath drawing, and the explanations of
// forwarding and stalls. The stage steps are shared; each window has its own clock sequence, in
// its own folder, that orders them and adds its own steps where its model differs. What differs
// only in data is described by a ClockVariant.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "machine/stage.h"
#include "ui/form.h"
#include "ui/named_colours.h"

namespace corvexa {

// What sets one pipeline window's clock apart in data.
struct ClockVariant {
    int colourCount = 15;           // entries of InstructionColours in the fetch colour cycle
    bool writesExplanations = true; // ForwardingText, StallText and StallReasonText are written
    // The operand labels (ID/EXE A and B, the store-data tag at the memory) go back to black at
    // every clock, and input B and the store data are coloured by where their value came from.
    bool coloursOperandSources = true;
    int32_t storeForwardColour = colour::kDarkGreen; // write data forwarded from WB at the memory
    const char *storeForwardTextEnd = " ";
    const char *branchStallTextLead = "  ";
};

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

// The controls a clock writes, bound once so a clock never looks a control up by name. Those a
// window may lack are pointers, null where it has none.
struct ClockControls {
    ControlArray lblIFValue, lblIDValue, lblEXEValue, lblMEMValue, lblWBValue;
    ControlArray lblStage, txtStageInfo2, lblProg, Line3;
    Control *Information = nullptr;
    Control *Timer1 = nullptr;
    Control *lblForward = nullptr;
    Control *lblClockCount = nullptr;
    Control *exeControls = nullptr;     // lblEXEValue(27)
    std::array<Control *, 4> pcLines{}; // Line62, Line63, Line64, Line66

    static ClockControls Bind(Form &form);
};

class PipelineClock {
public:
    PipelineClock(PipelineState &state, Desk &desk, ClockHost &host, ClockControls controls,
                  ClockVariant variant);
    virtual ~PipelineClock() = default;
    PipelineClock(const PipelineClock &) = delete;
    PipelineClock &operator=(const PipelineClock &) = delete;

    // Clocking_Click: one clock of the whole pipeline, in the window's own order.
    virtual void Clock() = 0;
    // The latches a reset clears (the Slot fields, FetchIndex and a few flags stay).
    void ClearLatches();
    // Blank stage view: value labels, stage captions and boxes hidden, listing in its own colour.
    void BlankStageView();

    const ClockControls &controls() const { return c_; }
    // Entries of InstructionColours this window's fetch cycles through.
    int colourCount() const { return v_.colourCount; }

protected:
    // The counter, the first clock's option latch, the strip hidden, then write-back from the
    // fifth clock on.
    void StartClockAndWriteBack();

    // MEM: the record from EXE, turned into a bubble under a load-use stall, then the store data,
    // the access and the branch decision.
    void MemPhase(bool loadUseBubble);

    // EXE; `held` keeps the record of a load-use stall for a second run.
    void ExePhase(bool held);
    // The window's load-use test, and its paths into ALU input B.
    virtual void ExeLoadUseDetection() = 0;
    virtual void ExeInputB() = 0;
    // A load in MEM writes a source of the instruction in EXE.
    bool LoadUseOnRs() const;
    bool LoadUseOnSources() const;
    // A MEM or WB result forwarded to ALU input B (SelectMuxB 2 or 3).
    void ForwardBFromMem();
    void ForwardBFromWb();

    // ID: `held` keeps the record a stall holds.
    bool IdHeldByHazard() const;
    void IdPhase(bool held);

    // IF, with the window's load-use flag: a load-use stall holds the fetch.
    void IfPhase(bool &loadUseFlag);
    // The forwarding-off look-ahead: an older instruction in EXE or MEM writes a source of ID.
    virtual void IfStallLookAhead() = 0;
    // Rt is the destination, not a source, of a load or an immediate ALU instruction, and of
    // an empty record.
    static bool RtIsNoSource(const std::string &op);
    // The fetched record is flushed by a branch decision.
    virtual bool IfFlushDue() const = 0;
    // Which sources of ID an instruction in EXE or MEM writes (RtIsSource decided already); an
    // instruction the window's list `ignores` never counts.
    struct LookAheadHits {
        bool rsExe = false, rsMem = false, rtExe = false, rtMem = false;
        bool any() const { return rsExe || rsMem || rtExe || rtMem; }
    };
    LookAheadHits LookAheadHazard(bool (*ignores)(std::string_view op)) const;
    // Holds ID on a look-ahead hazard: no fetch, and its controls off while the bubbles go on.
    void HoldIdForHazard(bool hazard);

    // The explanation strip: caption, visible, re-show timer armed.
    void Explain(const std::string &text);

    PipelineState &s_;
    Desk &desk_;
    Machine &m_;
    ClockHost &host_;
    ClockControls c_;
    ClockVariant v_;

private:
    void MemTakeOver();
    void MemLoadUseBubble(bool stalled);
    void MemAccessAndBranch();
    void ExeTakeOver(bool held);
    void ExeBubblesAndFlushes();
    void ExeAluInputA();
    void ExeEarlyRegisterWrite();
    void ExeShowValues();
    void ExeAlu();
    void ExeZeroFlag();

    void IfNextFetchIndex(bool &loadUseFlag);
    void IfEarlyBranchDecision();
    void IfBranchHazardLookAhead();
    void IfFetchAndShow();

    // Reads register n for the ID stage, asking its starting value on first use.
    int32_t ReadRegister(int n);
    // Copies a result in MEM into the register file for the branch held in ID.
    void EarlyBranchOperandUpdate();
    // A load in `producer` writes a source register of the branch in ID.
    bool LoadFeedsBranch(const StageRecord &producer) const;

    void WbPhase();
    void ColourRow(int slot, int32_t colour);
    void EndRun();
};

// Results are kept to 32 bits, two's complement, wherever they are stored, shown or forwarded.
constexpr int32_t Wrap32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

bool IsBranch(const std::string &op);

inline constexpr const char *kLoadUseText = "Load Use Delay Stall (LUD) Occurred, Insert another "
                                            "Independent Instruction after LW if scheduling is "
                                            "possible";

} // namespace corvexa
