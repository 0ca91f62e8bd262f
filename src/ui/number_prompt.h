#pragma once
// The one prompt loop for whole numbers: ask, convert, complain, ask again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ui/form.h"

namespace corvexa {

struct Complaint {
    std::string text; // empty: ask again without a word
    std::string title;
};

struct NumberPrompt {
    NumberPrompt(std::string text_, std::string title_, std::string defaultAnswer_)
        : text(std::move(text_)), title(std::move(title_)),
          defaultAnswer(std::move(defaultAnswer_)) {}

    std::string text, title, defaultAnswer;
    // Said when the answer is no 32-bit whole number.
    Complaint wrong{"Enter a Proper Integer Value", "Wrong Entry"};
    // Runs before every asking (windows that must stay out of the way).
    std::function<void()> beforeAsk;
    // A complaint about a whole number the caller cannot take; nullopt accepts it.
    std::function<std::optional<Complaint>(int32_t)> refuse;
    bool cancelGivesUp = false; // Cancel ends the loop with no number
};

// Asks until the answer is a whole number the prompt accepts. Without cancelGivesUp it always
// returns a number.
std::optional<int32_t> AskWholeNumber(Desk &desk, const NumberPrompt &p);

} // namespace corvexa
