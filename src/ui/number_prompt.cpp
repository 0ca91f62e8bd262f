#include "ui/number_prompt.h"

#include "machine/whole_number.h"

namespace corvexa {

std::optional<int32_t> AskWholeNumber(Desk &desk, const NumberPrompt &p) {
    for (;;) {
        if (p.beforeAsk) {
            p.beforeAsk();
        }
        const std::optional<std::string> answer = desk.InputBox(p.text, p.title, p.defaultAnswer);
        if (!answer && p.cancelGivesUp) {
            return std::nullopt;
        }
        std::optional<Complaint> complaint = p.wrong;
        const std::optional<int32_t> value = ParseWholeNumber(answer);
        if (value) {
            complaint = p.refuse ? p.refuse(*value) : std::nullopt;
            if (!complaint) {
                return value;
            }
        }
        if (!complaint->text.empty()) {
            desk.MessageBox(complaint->text, complaint->title, MsgIcon::Exclamation);
        }
    }
}

} // namespace corvexa
