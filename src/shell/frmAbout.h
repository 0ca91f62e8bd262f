#pragma once
// The about box: title, description, a typewriter animation of the credit line, and the way to
// the system information tool.

#include <cstdint>
#include <memory>
#include <string>

#include "ui/form.h"

namespace corvexa {

inline constexpr const char *kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr int kCreditShownFirst = 15;    // characters the animation always shows
inline constexpr int kCreditFirstInterval = 10; // ms
inline constexpr int kCreditIntervalStep = 5;   // ms added per tick
inline constexpr int kCreditRestartAfter = 25;  // CreditPos beyond which a cycle may restart

class frmAbout : public Form {
public:
    // creditToggle outlives the window: it keeps its value when the box is closed and reopened.
    frmAbout(Desk &desk, std::shared_ptr<bool> creditToggle);

    void Form_Load() override;
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    void StartSysInfo();
    bool GetKeyValue(int32_t KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                     std::string &KeyVal);

    std::optional<std::string> StateValue(const std::string &name, int index) const override;

private:
    std::string CreditText;
    int16_t CreditPos = 0;
    std::shared_ptr<bool> CreditToggle;
};

} // namespace corvexa
