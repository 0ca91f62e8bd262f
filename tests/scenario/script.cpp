#include "scenario/script.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace corvexa::scenario {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// Resolves the escape that starts at line[i] (a backslash); i ends on its last character.
char Escape(std::string_view line, size_t &i) {
    if (i + 1 >= line.size()) {
        throw ScriptError("a backslash ends the line");
    }
    const char c = line[++i];
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case '\\':
    case '"':
        return c;
    case 'x': {
        const int hi = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
        const int lo = i + 2 < line.size() ? HexDigit(line[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
            throw ScriptError("\\x needs two hexadecimal digits");
        }
        i += 2;
        return static_cast<char>(hi * 16 + lo);
    }
    default:
        throw ScriptError(std::string("unknown escape \\") + c);
    }
}

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

} // namespace

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> words;
    size_t i = 0;
    while (true) {
        while (i < line.size() && Blank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            return words;
        }
        if (words.empty() && line[i] == '#') {
            return words;
        }
        Token word;
        if (line[i] == '"') {
            word.quoted = true;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    throw ScriptError("a quoted text is not closed");
                }
                if (line[i] == '"') {
                    break;
                }
                word.text += line[i] == '\\' ? Escape(line, i) : line[i];
            }
            ++i;
            if (i < line.size() && !Blank(line[i])) {
                throw ScriptError("a blank must follow a closing quote");
            }
        } else {
            for (; i < line.size() && !Blank(line[i]); ++i) {
                if (line[i] == '"') {
                    throw ScriptError("a quote inside a word; quote the whole word");
                }
                word.text += line[i] == '\\' ? Escape(line, i) : line[i];
            }
        }
        words.push_back(std::move(word));
    }
}

std::optional<int64_t> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && (text.substr(0, 2) == "&H" || text.substr(0, 2) == "&h" ||
                            text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    bool negative = false;
    if (base == 10 && !text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || HexDigit(text[0]) < 0) {
        return std::nullopt; // from_chars would accept nothing else here, but be explicit
    }
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    const auto limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (magnitude > limit + (negative ? 1 : 0)) {
        return std::nullopt;
    }
    if (negative) {
        return magnitude == limit + 1 ? std::numeric_limits<int64_t>::min()
                                      : -static_cast<int64_t>(magnitude);
    }
    return static_cast<int64_t>(magnitude);
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\\':
        case '"':
            out += '\\';
            out += c;
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
                out += hex;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace corvexa::scenario
