#include "pipeline/pipeline_window.h"

#include <functional>
#include <map>
#include <vector>

#include "layouts/five_stage_labels.h"
#include "layouts/five_stage_layout.h"
#include "layouts/register_strip.h"
#include "machine/assemble.h"
#include "machine/numstr.h"
#include "ui/number_prompt.h"

namespace corvexa {

std::string BoolText(bool b) {
    return b ? "True" : "False";
}

PipelineWindow::PipelineWindow(Desk &desk, const std::string &name, const FormLayout &layout,
                               FrameTraits traits)
    : Form(desk, name, layout), traits_(traits), lblRegister_(Array("lblRegister")),
      lblPC_(Array("lblPC")), lblINumber_(Array("lblINumber")) {
    RegisterFrameHandlers();
}

void PipelineWindow::RegisterFrameHandlers() {
    On("Clocking", [this] { Clocking_Click(); });
    On("Reset", [this] { Reset_Click(); });
    On("Timer1", [this] { Timer1_Timer(); });
    On("StallBlink", [this] { StallBlink_Timer(); });
    On("lblBranchPolicy", [this] { lblBranchPolicy_Click(); });
    On("lblIFValue", [this](int index) { lblIFValue_Click(index); });
    On("lblIDValue", [this](int index) { lblIDValue_Click(index); });
    On("lblEXEValue", [this](int index) { lblEXEValue_Click(index); });
    On("lblMEMValue", [this](int index) { lblMEMValue_Click(index); });
}

void PipelineWindow::HidePcLines() {
    for (Control *line : clock_->controls().pcLines) {
        if (line != nullptr) {
            line->visible = false;
        }
    }
}

void PipelineWindow::StartAfresh(Registers registers) {
    Machine &m = machine();
    ClockCount = -1;
    m.MemMapLast = 0;
    C("lblClockCount").caption = "CC";
    m.RegisterHasValue.fill(false);
    if (registers == Registers::Presets || !m.RegistersInitialised) {
        m.RegisterFile.fill(0);
    }
    if (registers == Registers::Presets && m.RegistersInitialised) {
        for (int i = 1; i < kSlots; ++i) {
            m.RegisterFile[i] = PresetRegisterValues[i];
        }
    }
    RefreshRegisterList();
    BlankStageView();
}

void PipelineWindow::LoadStartState() {
    BranchPolicyNormal = true;
    BranchPolicyAlwaysFlush = false;
    BranchPolicyDelayed = false;
    BranchPolicyCancelled = false;
    C("lblBranchPolicy").caption = "Normal (Predict Not Taken)";
    InfoTimerInterval = kInfoTimerInterval;
    machine().RegistersInitialised = false;
    StartAfresh(Registers::KeptIfPreset);
    HidePcLines();
    machine().FillPadTables();
}

// The hand-over: the first pipeline window to repaint after "ASSEMBLE" takes the program. Slots
// beyond the window's listing rows are assembled all the same.
void PipelineWindow::Form_Paint() {
    Machine &m = machine();
    if (!m.ProgramWritten) {
        return;
    }
    StartAfresh(Registers::KeptIfPreset);
    const ControlArray &lblProg = clock_->controls().lblProg;
    for (int i = 0; i < lblProg.size(); ++i) {
        lblPC_[i].visible = true;
        lblPC_[i].caption = Num(m.ProgAddress[i]) + " :";
        lblProg[i].visible = true;
        lblProg[i].caption = m.ProgText[i];
        lblINumber_[i].visible = true;
    }
    // An unknown mnemonic is reported once per slot.
    for (int i = 0; i < kSlots; ++i) {
        if (!AssembleInstruction(m, Tables, i)) {
            desk().MessageBox("Op Code Not Recognized or Not Included");
            desk().Hide(name());
        }
    }
    m.ProgramWritten = false;
}

void PipelineWindow::Reset_Click() {
    StartAfresh(Registers::Presets);
    clock_->ClearLatches();
    ResetOptions();
    HidePcLines();
    for (int wire : kValueWires) {
        clock_->controls().Line3[wire].visible = false;
    }
}

void PipelineWindow::RefreshRegisterList() {
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
    // The first label always stands in the first row, so its top is the strip's.
    Control &first = lblRegister_[lblRegister_.lower()];
    const std::vector<StripPlace> places = RegisterStripPlacement(
        widths, traits_.registerStripLeft, first.top, lblPC_[lblPC_.lower()].left, width);
    for (size_t j = 0; j < places.size(); ++j) {
        Control &label = lblRegister_[lblRegister_.lower() + static_cast<int>(j)];
        label.left = places[j].left;
        label.top = places[j].top;
        label.width = places[j].width;
    }
}

void PipelineWindow::Timer1_Timer() {
    Control &info = C("Information");
    if (traits_.timerShowsBlankStrip || info.caption != " ") {
        info.visible = true;
    }
}

void PipelineWindow::StallBlink_Timer() {
    Control &stall = C("LblStall");
    stall.foreColor += kStallBlinkStep;
    if (stall.foreColor >= kStallBlinkTop) {
        stall.foreColor = kStallBlinkRestart;
    }
}

void PipelineWindow::PromptRegisterValue(int n) {
    Machine &m = machine();
    n = RegIndex(n);
    if (n == 0) {
        m.RegisterFile[0] = 0;
        return;
    }
    NumberPrompt p{"Please enter Sarting Value of Register R" + Num(n),
                   "Initial Value for Register",
                   traits_.offersRegisterDefault ? Num(int64_t{111} * n) : ""};
    p.wrong = {"Enter a Proper Integer Value", "Wrong Register Entry"};
    // The register and memory windows stay hidden while a starting value is asked for.
    p.beforeAsk = [this] {
        for (const char *window : {"MenuMemory", "MenuRegisters"}) {
            if (desk().Known(window)) {
                desk().Hide(window);
            }
        }
    };
    m.RegisterFile[n] = *AskWholeNumber(desk(), p);
}

void PipelineWindow::ShowExplanation(const std::string &text, bool armTimer) {
    Control &info = C("Information");
    info.caption = text;
    info.visible = true;
    if (armTimer) {
        C("Timer1").interval = InfoTimerInterval;
    }
}

void PipelineWindow::lblBranchPolicy_Click() {
    if (BranchPolicyNormal) {
        ShowExplanation("In Predict NT, Pipeline is Flushed if branch is TAKEN.  Otherwise "
                        "instruction already in the Pipeline are executed as Normal");
    } else if (BranchPolicyAlwaysFlush) {
        ShowExplanation("Always Flush: Instructions in the pipeline are Flushed blindly, without "
                        "waiting for branch outcome.  This policy is not used a lot.");
    } else if (BranchPolicyDelayed) {
        ShowExplanation("Delayed Branching is like Always Execute: Instructions in the pipeline "
                        "are always executed no matter what is the branch outcome.");
    } else if (BranchPolicyCancelled) {
        ShowExplanation("Cancelled Branching: Only execute instructions in the pipeline is if "
                        "Branch is TRUE, otherwise flush. Needs BEQL/BNEQL Opcodes");
    }
}

namespace {

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
        {"BranchTaken", [](const StageRecord &x) { return BoolText(x.BranchTaken); }},
        {"LoadUseStall", [](const StageRecord &x) { return BoolText(x.LoadUseStall); }},
        {"BranchHazardStall", [](const StageRecord &x) { return BoolText(x.BranchHazardStall); }},
    };
    auto it = fields.find(field);
    if (it == fields.end()) {
        return std::nullopt;
    }
    return it->second(r);
}

} // namespace

std::optional<std::string> PipelineWindow::StateValue(const std::string &name, int index) const {
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
        // The window's own table: the single-cycle window has the first five entries only.
        const bool inColours = index >= 0 && index < clock_->colourCount() &&
                               index < static_cast<int>(InstructionColours.size());
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
        {"FlushFlag", BoolText(s.FlushFlag)},
        {"PolicyFlush", BoolText(s.PolicyFlush)},
        {"RtIsSource", BoolText(s.RtIsSource)},
        {"StallDetectionEnabled", BoolText(s.StallDetectionEnabled)},
        {"BranchPolicyNormal", BoolText(s.BranchPolicyNormal)},
        {"BranchPolicyAlwaysFlush", BoolText(s.BranchPolicyAlwaysFlush)},
        {"BranchPolicyDelayed", BoolText(s.BranchPolicyDelayed)},
        {"BranchPolicyCancelled", BoolText(s.BranchPolicyCancelled)},
        {"InfoTimerInterval", Num(s.InfoTimerInterval)},
        {"AluA", Num(s.AluA)},
        {"AluB", Num(s.AluB)},
        {"ForwardedB", Num(s.ForwardedB)},
        {"SelectMuxB", Num(s.SelectMuxB)},
    };
    auto it = values.find(name);
    if (it == values.end()) {
        return OwnStateValue(name);
    }
    return it->second;
}

} // namespace corvexa
