// The frame of the five-stage window: start state, hand-over of a written program, reset, the
// register strip, the timers and the register starting-value prompt.
#include "pipeline/frmMIPSFiveStageInt.h"

#include <functional>
#include <map>
#include <vector>

#include "layouts/five_stage_layout.h"
#include "layouts/register_strip.h"
#include "machine/assemble.h"
#include "machine/numstr.h"
#include "machine/whole_number.h"

namespace corvexa {

frmMIPSFiveStageInt::frmMIPSFiveStageInt(Desk &desk)
    : Form(desk, "frmMIPSFiveStageInt", FiveStageLayout()),
      clock_(*this, desk, *this, ClockControls::Bind(*this), FiveStageVariant()),
      lblRegister_(Array("lblRegister")) {
    RegisterFrameHandlers();
    RegisterOptionHandlers();
    RegisterExplainHandlers();
    RegisterCommandHandlers();
    RegisterFileHandlers();
}

void frmMIPSFiveStageInt::RegisterFrameHandlers() {
    On("Clocking", [this] { Clocking_Click(); });
    On("Reset", [this] { Reset_Click(); });
    On("Timer1", [this] { Timer1_Timer(); });
    On("StallBlink", [this] { StallBlink_Timer(); });
}

void frmMIPSFiveStageInt::HidePcLines() {
    for (Control *line : clock_.controls().pcLines) {
        if (line != nullptr) {
            line->visible = false;
        }
    }
}

void frmMIPSFiveStageInt::Form_Load() {
    Machine &m = machine();
    // 1.-3. Branch policy Normal.
    C("OptNormal").checked = true;
    C("OptAlways").checked = false;
    C("OptCancelled").enabled = false;
    C("OptDelayed").enabled = false;
    BranchPolicyNormal = true;
    BranchPolicyAlwaysFlush = false;
    BranchPolicyDelayed = false;
    BranchPolicyCancelled = false;
    C("lblBranchPolicy").caption = "Normal (Predict Not Taken)";
    // 4.-7.
    InfoTimerInterval = 25000;
    ClockCount = -1;
    m.MemMapLast = 0;
    m.RegistersInitialised = false;
    C("lblClockCount").caption = "CC";
    m.RegisterHasValue.fill(false);
    m.RegisterFile.fill(0);
    RefreshRegisterList();
    // 8. Blank stage view.
    clock_.BlankStageView();
    HidePcLines();
    // 9.
    m.FillPadTables();
}

void frmMIPSFiveStageInt::Form_Paint() {
    Machine &m = machine();
    if (!m.ProgramWritten) {
        return;
    }
    // 1.-3.
    ClockCount = -1;
    m.MemMapLast = 0;
    C("lblClockCount").caption = "CC";
    m.RegisterHasValue.fill(false);
    if (!m.RegistersInitialised) {
        m.RegisterFile.fill(0);
    }
    RefreshRegisterList();
    // 4.
    clock_.BlankStageView();
    // 5. Listing and assembling, slot by slot; an unknown mnemonic is reported once per slot.
    const ClockControls &c = clock_.controls();
    const ControlArray lblPC = Array("lblPC");
    const ControlArray lblINumber = Array("lblINumber");
    for (int i = 0; i < kSlots; ++i) {
        lblPC[i].visible = true;
        lblPC[i].caption = Num(m.ProgAddress[i]) + " :";
        c.lblProg[i].visible = true;
        c.lblProg[i].caption = m.ProgText[i];
        lblINumber[i].visible = true;
        if (!AssembleInstruction(m, Tables, i)) {
            desk().MessageBox("Op Code Not Recognized or Not Included");
            desk().Hide(name());
        }
    }
    // 6.
    m.ProgramWritten = false;
}

void frmMIPSFiveStageInt::Reset_Click() {
    Machine &m = machine();
    // 1.
    ClockCount = -1;
    m.MemMapLast = 0;
    C("lblClockCount").caption = "CC";
    // 2.
    m.RegisterHasValue.fill(false);
    m.RegisterFile.fill(0);
    if (m.RegistersInitialised) {
        for (int i = 1; i < kSlots; ++i) {
            m.RegisterFile[i] = PresetRegisterValues[i];
        }
    }
    // 3., 4.
    RefreshRegisterList();
    clock_.ClearLatches();
    // 5.
    clock_.BlankStageView();
    HidePcLines();
    for (int i : {40, 41, 63, 94}) {
        clock_.controls().Line3[i].visible = false;
    }
}

void frmMIPSFiveStageInt::Clocking_Click() {
    clock_.Clock();
}

void frmMIPSFiveStageInt::LatchOptions() {
    StallDetectionEnabled = C("MnuStall").checked;
    machine().ForwardingEnabled = C("mnuForwarding").checked;
    machine().AggressiveBranching = C("AggBranch").checked;
}

void frmMIPSFiveStageInt::RefreshRegisterList() {
    const Machine &m = machine();
    for (Control *label : lblRegister_) {
        label->visible = false;
    }
    // Registers beyond the strip's last label are not shown.
    int k = lblRegister_.lower() - 1;
    const int last = lblRegister_.lower() + lblRegister_.size() - 1;
    std::vector<int> widths;
    for (int i = 0; i < kSlots && k < last; ++i) {
        if (!m.RegisterHasValue[i]) {
            continue;
        }
        ++k;
        Control &label = lblRegister_[k];
        label.caption = "R" + Num(i) + "=" + Num(m.RegisterFile[i]);
        // The strip's labels size themselves to their captions.
        widths.push_back(EstimatedTextWidth(label.font, label.caption) + 30);
        label.visible = true;
    }
    const std::vector<StripPlace> places =
        RegisterStripPlacement(widths, C("lblPC", 0).left, width);
    for (size_t j = 0; j < places.size(); ++j) {
        Control &label = lblRegister_[lblRegister_.lower() + static_cast<int>(j)];
        label.left = places[j].left;
        label.top = places[j].top;
        label.width = places[j].width;
    }
}

void frmMIPSFiveStageInt::Timer1_Timer() {
    Control &info = C("Information");
    if (info.caption != " ") {
        info.visible = true;
    }
}

void frmMIPSFiveStageInt::StallBlink_Timer() {
    Control &stall = C("LblStall");
    stall.foreColor += 100;
    if (stall.foreColor >= 51232) {
        stall.foreColor = 500;
    }
}

void frmMIPSFiveStageInt::PromptRegisterValue(int n) {
    Machine &m = machine();
    n = RegIndex(n);
    if (n == 0) {
        m.RegisterFile[0] = 0;
        return;
    }
    for (;;) {
        // The register and memory windows stay hidden while a starting value is asked for.
        for (const char *window : {"MenuMemory", "MenuRegisters"}) {
            if (desk().Known(window)) {
                desk().Hide(window);
            }
        }
        const std::optional<int32_t> value =
            ParseWholeNumber(desk().InputBox("Please enter Sarting Value of Register R" + Num(n),
                                             "Initial Value for Register", Num(int64_t{111} * n)));
        if (value) {
            m.RegisterFile[n] = *value;
            return;
        }
        desk().MessageBox("Enter a Proper Integer Value", "Wrong Register Entry",
                          MsgIcon::Exclamation);
    }
}

namespace {

std::string Bool(bool b) {
    return b ? "True" : "False";
}

std::optional<std::string> RecordField(const StageRecord &r, const std::string &field) {
    using Getter = std::function<std::string(const StageRecord &)>;
    static const std::map<std::string, Getter> fields = {
        {"Slot", [](const StageRecord &x) { return Num(x.Slot); }},
        {"Op", [](const StageRecord &x) { return x.Op; }},
        {"InstrText", [](const StageRecord &x) { return x.InstrText; }},
        {"Colour", [](const StageRecord &x) { return Num(x.Colour); }},
        {"NPC", [](const StageRecord &x) { return Num(x.NPC); }},
        {"Rs", [](const StageRecord &x) { return Num(x.Rs); }},
        {"Rt", [](const StageRecord &x) { return Num(x.Rt); }},
        {"Rd", [](const StageRecord &x) { return Num(x.Rd); }},
        {"Imm", [](const StageRecord &x) { return Num(x.Imm); }},
        {"A", [](const StageRecord &x) { return Num(x.A); }},
        {"B", [](const StageRecord &x) { return Num(x.B); }},
        {"RegWrite", [](const StageRecord &x) { return Num(x.RegWrite); }},
        {"MemWrite", [](const StageRecord &x) { return Num(x.MemWrite); }},
        {"Rx", [](const StageRecord &x) { return Num(x.Rx); }},
        {"AluOUT", [](const StageRecord &x) { return Num(x.AluOUT); }},
        {"BTA", [](const StageRecord &x) { return Num(x.BTA); }},
        {"Zero", [](const StageRecord &x) { return Num(x.Zero); }},
        {"LMD", [](const StageRecord &x) { return Num(x.LMD); }},
        {"DataIn", [](const StageRecord &x) { return Num(x.DataIn); }},
        {"WriteBackValue", [](const StageRecord &x) { return Num(x.WriteBackValue); }},
        {"BranchTaken", [](const StageRecord &x) { return Bool(x.BranchTaken); }},
        {"LoadUseStall", [](const StageRecord &x) { return Bool(x.LoadUseStall); }},
        {"BranchHazardStall", [](const StageRecord &x) { return Bool(x.BranchHazardStall); }},
    };
    auto it = fields.find(field);
    if (it == fields.end()) {
        return std::nullopt;
    }
    return it->second(r);
}

} // namespace

std::optional<std::string> frmMIPSFiveStageInt::StateValue(const std::string &name,
                                                           int index) const {
    const PipelineState &s = *this;
    // Stage records: "EXE.AluOUT".
    const auto dot = name.find('.');
    if (dot != std::string::npos) {
        if (index >= 0) {
            return std::nullopt;
        }
        const std::string stage = name.substr(0, dot);
        const std::map<std::string, const StageRecord *> records = {
            {"IF", &s.IF}, {"ID", &s.ID}, {"EXE", &s.EXE}, {"MEM", &s.MEM}, {"WB", &s.WB}};
        auto it = records.find(stage);
        if (it == records.end()) {
            return std::nullopt;
        }
        return RecordField(*it->second, name.substr(dot + 1));
    }
    // Per-slot tables.
    const bool inSlots = index >= 0 && index < kSlots;
    if (name == "ProgOpcode") {
        return inSlots ? std::optional(Num(s.Tables.ProgOpcode[index])) : std::nullopt;
    }
    if (name == "AluOpName") {
        return inSlots ? std::optional(s.Tables.AluOpName[index]) : std::nullopt;
    }
    if (name == "InstrWord") {
        return inSlots ? std::optional(Num(s.Tables.InstrWord[index])) : std::nullopt;
    }
    if (name == "InstructionColours") {
        const bool inColours = index >= 0 && index < static_cast<int>(InstructionColours.size());
        return inColours ? std::optional(Num(InstructionColours[static_cast<size_t>(index)]))
                         : std::nullopt;
    }
    if (index >= 0) {
        return std::nullopt;
    }
    const std::map<std::string, std::string> values = {
        {"ClockCount", Num(s.ClockCount)},
        {"FetchIndex", Num(s.FetchIndex)},
        {"ColourIndex", Num(s.ColourIndex)},
        {"HazardStall", Num(s.HazardStall)},
        {"IDStalled", Bool(s.IDStalled)},
        {"FlushFlag", Bool(s.FlushFlag)},
        {"PolicyFlush", Bool(s.PolicyFlush)},
        {"RtIsSource", Bool(s.RtIsSource)},
        {"StallDetectionEnabled", Bool(s.StallDetectionEnabled)},
        {"BranchPolicyNormal", Bool(s.BranchPolicyNormal)},
        {"BranchPolicyAlwaysFlush", Bool(s.BranchPolicyAlwaysFlush)},
        {"BranchPolicyDelayed", Bool(s.BranchPolicyDelayed)},
        {"BranchPolicyCancelled", Bool(s.BranchPolicyCancelled)},
        {"InfoTimerInterval", Num(s.InfoTimerInterval)},
        {"AluA", Num(s.AluA)},
        {"AluB", Num(s.AluB)},
        {"ForwardedB", Num(s.ForwardedB)},
        {"SelectMuxB", Num(s.SelectMuxB)},
    };
    auto it = values.find(name);
    if (it == values.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace corvexa
