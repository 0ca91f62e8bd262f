#pragma once
// Texts of status-bar panels that show the date or the time rather than a caption of their own.

#include <ctime>
#include <string>

namespace corvexa {

// "10/16/2006": month and day without leading zeros.
std::string StatusDate(const std::tm &t);
// "10:10 PM": a 12-hour clock, minutes with two digits.
std::string StatusTime(const std::tm &t);

// Milliseconds from a local time msIntoSecond past its second until the next minute begins: the
// date and time panels show nothing finer, so they change only then. At least 1.
int MsUntilNextMinute(const std::tm &local, int msIntoSecond);
// The same from the clock now.
int MsUntilNextMinute();

// A panel of kind "date" or "time" shows the clock rather than its caption.
bool IsClockPanel(const std::string &kind);

// What a status panel reads now: its caption, or the current date or time when its kind is
// "date" or "time".
std::string StatusPanelText(const std::string &kind, const std::string &caption);

} // namespace corvexa
