#pragma once
// Runs a scenario script against the headless windows: one fresh machine, desk and temporary
// folder per script. The language is described in tests/scenario/README.md.

#include <functional>
#include <ostream>
#include <string>

#include "ui/desk.h"

namespace corvexa::scenario {

struct ScenarioResult {
    bool passed = true;
    int commands = 0;    // commands run (up to and including a failing one)
    std::string failure; // "LABEL:LINE: what went wrong", empty when passed
};

using FormRegistrar = std::function<void(Desk &)>;

// label names the script in messages; dump output goes to out.
ScenarioResult RunScenario(const std::string &text, const std::string &label, std::ostream &out,
                           const FormRegistrar &registerForms);

} // namespace corvexa::scenario
