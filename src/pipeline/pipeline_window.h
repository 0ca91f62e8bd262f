#pragma once
// The frame both pipeline windows stand on: start of a run afresh, hand-over of a written program,
// reset, the register strip, the first-use prompt, the timers, the value-label explanations and
// the window state by name. Each window adds its layout, its clock sequence and its commands.

#include <cstdint>
#include <memory>

#include "machine/stage.h"
#include "pipeline/pipeline_clock.h"
#include "ui/form.h"

namespace corvexa {

// The stall indicator blinks: at every tick its text colour climbs by a step, and falls back once
// it has passed the top.
inline constexpr int kStallBlinkInterval = 100; // ms
inline constexpr int32_t kStallBlinkStep = 100;
inline constexpr int32_t kStallBlinkTop = 51232;
inline constexpr int32_t kStallBlinkRestart = 500;

// What sets one window's frame apart from the other's.
struct FrameTraits {
    bool offersRegisterDefault = true; // the first-use prompt offers 111 x n
    bool timerShowsBlankStrip = false; // Timer1 shows the strip even when it holds no text
    int registerStripLeft = 10;        // where the register strip starts (twips)
};

class PipelineWindow : public Form, public PipelineState, protected ClockHost {
public:
    void Form_Paint() override;
    std::optional<std::string> StateValue(const std::string &name, int index) const override;

    void Reset_Click() override;
    void Clocking_Click() { clock_->Clock(); }
    void RefreshRegisterList() override;
    void Timer1_Timer();
    void StallBlink_Timer();
    // Asks the starting value of register n on its first use (R0 is 0 without asking).
    void PromptRegisterValue(int n) override;
    // Value labels, stage captions and stage boxes hidden, listing rows in their own colour.
    void BlankStageView() { clock_->BlankStageView(); }

    void lblBranchPolicy_Click();
    void lblIFValue_Click(int index);
    void lblIDValue_Click(int index);
    void lblEXEValue_Click(int index);
    void lblMEMValue_Click(int index);
    // The explanation strip: caption, visible, and (unless told not to) the re-show timer.
    void ShowExplanation(const std::string &text, bool armTimer = true);

protected:
    PipelineWindow(Desk &desk, const std::string &name, const FormLayout &layout,
                   FrameTraits traits);

    template <class ClockType> void MakeClock(ClockVariant variant) {
        ClockHost &host = *this;
        clock_ =
            std::make_unique<ClockType>(*this, desk(), host, ClockControls::Bind(*this), variant);
    }

    // How a fresh start treats the register values.
    enum class Registers {
        KeptIfPreset, // zero unless the registers were set beforehand
        Presets,      // zero, then the presets if the registers were set beforehand
    };
    // A run starts afresh: no clock done, the used-memory map empty, no register with a value,
    // the stage view blank.
    void StartAfresh(Registers registers);
    // What every window's Form_Load does: policy Normal, the explanation interval, a fresh start
    // with no register set beforehand, the padding tables.
    void LoadStartState();
    void HidePcLines();
    const ClockControls &clockControls() const { return clock_->controls(); }

    // The window's own options, latched by the first clock and (stall detection) by a reset.
    void LatchOptions() override = 0;
    virtual void ResetOptions() {}
    // Explanations of value labels only one window has.
    virtual void ExplainOwnExeValue(int index) { (void)index; }
    // State by name that only one window keeps.
    virtual std::optional<std::string> OwnStateValue(const std::string &name) const = 0;

private:
    void RegisterFrameHandlers();

    FrameTraits traits_;
    std::unique_ptr<PipelineClock> clock_;
    ControlArray lblRegister_;
    ControlArray lblPC_, lblINumber_;
};

std::string BoolText(bool b);

} // namespace corvexa
