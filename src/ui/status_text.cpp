#include "ui/status_text.h"

namespace corvexa {

std::string StatusDate(const std::tm &t) {
    return std::to_string(t.tm_mon + 1) + "/" + std::to_string(t.tm_mday) + "/" +
           std::to_string(t.tm_year + 1900);
}

std::string StatusTime(const std::tm &t) {
    const int hour = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    return std::to_string(hour) + ":" + (t.tm_min < 10 ? "0" : "") + std::to_string(t.tm_min) +
           (t.tm_hour < 12 ? " AM" : " PM");
}

bool IsClockPanel(const std::string &kind) {
    return kind == "date" || kind == "time";
}

std::string StatusPanelText(const std::string &kind, const std::string &caption) {
    if (!IsClockPanel(kind)) {
        return caption;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return caption;
    }
    return kind == "date" ? StatusDate(local) : StatusTime(local);
}

} // namespace corvexa
