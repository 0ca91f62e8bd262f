#pragma once
// The words of a scenario line: splitting, escapes and numbers.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvexa::scenario {

// A mistake in the script itself (bad quoting, bad escape, wrong number of words, ...).
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Token {
    std::string text;    // escapes already resolved
    bool quoted = false; // written in double quotes: always literal text, never a keyword
};

// Words are separated by blanks or tabs; "..." keeps blanks. Both kinds of word understand the
// escapes \r \n \t \\ \" and \xHH. A line whose first word starts with # is a comment (no words).
std::vector<Token> Tokenize(std::string_view line);

// Decimal with optional sign, or hexadecimal as &HFF0000 or 0xFF0000 (unsigned).
std::optional<int64_t> ParseNumber(std::string_view text);

// Text for messages: control characters, backslashes and quotes written as escapes, in quotes.
std::string Quote(std::string_view text);

} // namespace corvexa::scenario
