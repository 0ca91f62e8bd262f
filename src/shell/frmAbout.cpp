#include "shell/frmAbout.h"

#include <algorithm>

#include "layouts/about_layout.h"
#include "layouts/splash_layout.h"
#include "shell/system_info.h"

namespace corvexa {

frmAbout::frmAbout(Desk &desk, std::shared_ptr<bool> creditToggle)
    : Form(desk, "frmAbout", AboutLayout()), CreditToggle(std::move(creditToggle)) {
    left = kAboutLeft;
    top = kAboutTop;
    resizable = false;
    if (!CreditToggle) {
        CreditToggle = std::make_shared<bool>(false);
    }
    On("Timer1", [this] { Timer1_Timer(); });
    On("cmdOK", [this] { cmdOK_Click(); });
    On("cmdSysInfo", [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load() {
    C("Timer1").interval = kCreditFirstInterval;
    CreditPos = 0;
    C("lblTitle").caption = kAppTitle;
    CreditText = std::string("Sole Developer: ") + kCreditName;
    C("lblVersion").caption = CreditText;
}

void frmAbout::Timer1_Timer() {
    bool &toggle = *CreditToggle;
    toggle = !toggle;
    const size_t shown =
        std::min(CreditText.size(), static_cast<size_t>(CreditPos) + kCreditShownFirst);
    const std::string typed = CreditText.substr(0, shown);
    ++CreditPos;
    C("Timer1").interval = kCreditFirstInterval + kCreditIntervalStep * CreditPos;
    C("lblVersion").caption = typed;
    if (CreditPos > kCreditRestartAfter && toggle) {
        CreditPos = 0;
    }
}

void frmAbout::cmdOK_Click() {
    desk().Unload(name());
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    std::string path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, path) &&
        desk().StartProgram(path)) {
        return;
    }
    desk().MessageBox(kSysInfoUnavailable, kAppTitle);
}

bool frmAbout::GetKeyValue(int32_t KeyRoot, const std::string &KeyName,
                           const std::string &SubKeyRef, std::string &KeyVal) {
    std::optional<std::string> value =
        ReadToolKey(KeyRoot, KeyName, SubKeyRef, ProgramSearchPath());
    KeyVal = value.value_or("");
    return value.has_value();
}

std::optional<std::string> frmAbout::StateValue(const std::string &name, int) const {
    if (name == "CreditPos") {
        return std::to_string(CreditPos);
    }
    if (name == "CreditToggle") {
        return *CreditToggle ? "True" : "False";
    }
    if (name == "CreditText") {
        return CreditText;
    }
    return std::nullopt;
}

} // namespace corvexa
