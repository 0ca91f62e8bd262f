#include "ui/status_text.h"

#include <algorithm>
#include <chrono>

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

int MsUntilNextMinute(const std::tm &local, int msIntoSecond) {
    // A leap second (second 60) counts as the minute's last.
    const int second = std::clamp(local.tm_sec, 0, 59);
    return std::max(1, (60 - second) * 1000 - std::clamp(msIntoSecond, 0, 999));
}

int MsUntilNextMinute() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return 60 * 1000;
    }
    const auto ms = duration_cast<milliseconds>(now - system_clock::from_time_t(seconds)).count();
    return MsUntilNextMinute(local, static_cast<int>(ms));
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
