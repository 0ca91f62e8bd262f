// Caption widths from the advance widths (per 1000 units of the em) of the fonts the renderer
// substitutes: Liberation Sans for the sans faces, Lato Black for the heavy one, Liberation Serif
// for the serif ones, Liberation Mono for the fixed ones.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "layouts/five_stage_layout.h"

namespace corvexa {

namespace {

int SansWidth(char ch, bool bold) {
    static const int kRegularUpper[26] = {667, 667, 722, 722, 667, 611, 778, 722, 278,
                                          500, 667, 556, 833, 722, 778, 667, 778, 722,
                                          667, 611, 722, 667, 944, 667, 667, 611};
    static const int kBoldUpper[26] = {722, 722, 722, 722, 667, 611, 778, 722, 278,
                                       556, 722, 611, 833, 722, 778, 667, 778, 722,
                                       667, 611, 722, 667, 944, 667, 667, 611};
    static const int kRegularLower[26] = {556, 556, 500, 556, 556, 278, 556, 556, 222,
                                          222, 500, 222, 833, 556, 556, 556, 556, 333,
                                          500, 278, 556, 500, 722, 500, 500, 500};
    static const int kBoldLower[26] = {556, 611, 556, 611, 556, 333, 611, 611, 278,
                                       278, 556, 278, 889, 611, 611, 611, 611, 389,
                                       556, 333, 611, 556, 778, 556, 556, 500};
    const auto u = static_cast<unsigned char>(ch);
    if (std::isupper(u) != 0) {
        return (bold ? kBoldUpper : kRegularUpper)[u - 'A'];
    }
    if (std::islower(u) != 0) {
        return (bold ? kBoldLower : kRegularLower)[u - 'a'];
    }
    if (std::isdigit(u) != 0) {
        return 556;
    }
    switch (ch) {
    case ' ':
    case '.':
    case ',':
    case '/':
        return 278;
    case ':':
    case ';':
        return bold ? 333 : 278;
    case '-':
    case '(':
    case ')':
        return 333;
    case '=':
    case '+':
        return 584;
    case '_':
        return 556;
    case '\'':
        return bold ? 238 : 191;
    default:
        return 667;
    }
}

int HeavyWidth(char ch) {
    static const int kUpper[26] = {711, 670, 656, 761, 573,  566, 722, 777, 311,
                                   436, 706, 525, 960, 777,  814, 636, 815, 658,
                                   554, 609, 749, 711, 1065, 690, 670, 609};
    static const int kLower[26] = {518, 574, 486, 574, 539, 366, 536, 570, 267, 267, 558, 260, 851,
                                   570, 581, 575, 574, 382, 446, 384, 570, 539, 818, 544, 538, 466};
    const auto u = static_cast<unsigned char>(ch);
    if (std::isupper(u) != 0) {
        return kUpper[u - 'A'];
    }
    if (std::islower(u) != 0) {
        return kLower[u - 'a'];
    }
    switch (ch) {
    case ' ':
        return 231;
    case '.':
    case ',':
        return 240;
    case ':':
    case ';':
        return 279;
    case '(':
    case ')':
        return 281;
    case '-':
        return 374;
    case '\'':
        return 218;
    case '/':
    case '_':
        return 479;
    default:
        return 580; // digits, "=" and "+"
    }
}

int SerifWidth(char ch, bool bold) {
    const auto u = static_cast<unsigned char>(ch);
    if (std::isupper(u) != 0) {
        switch (ch) {
        case 'I':
            return bold ? 389 : 333;
        case 'J':
            return 500;
        case 'M':
            return 944;
        case 'W':
            return 1000;
        default:
            return 722;
        }
    }
    if (std::islower(u) != 0) {
        switch (ch) {
        case 'i':
        case 'j':
        case 'l':
        case 't':
            return bold ? 333 : 278;
        case 'f':
        case 'r':
            return bold ? 444 : 333;
        case 'm':
            return 833;
        case 'w':
            return 722;
        case 'c':
        case 'e':
            return 444;
        case 's':
            return 389;
        default:
            return bold ? 556 : 500;
        }
    }
    if (std::isdigit(u) != 0) {
        return 500;
    }
    switch (ch) {
    case ' ':
    case '.':
    case ',':
        return 250;
    case '-':
    case '(':
    case ')':
        return 333;
    default:
        return 564;
    }
}

enum class Family { Sans, Heavy, Narrow, Serif, Mono };

Family FamilyOf(const std::string &face) {
    std::string f;
    for (char ch : face) {
        f += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    if (f == "arial narrow") {
        return Family::Narrow;
    }
    if (f == "arial black") {
        return Family::Heavy;
    }
    if (f == "ms serif" || f == "times new roman") {
        return Family::Serif;
    }
    if (f == "terminal" || f == "courier" || f == "courier new") {
        return Family::Mono;
    }
    return Family::Sans;
}

} // namespace

int EstimatedTextWidth(const Font &font, const std::string &text) {
    const Family family = FamilyOf(font.face);
    const bool bold = font.bold;
    const double em = font.points * 20.0;
    double widest = 0;
    double line = 0;
    for (char ch : text) {
        if (ch == '\r' || ch == '\n') {
            widest = std::max(widest, line);
            line = 0;
            continue;
        }
        int units = 0;
        switch (family) {
        case Family::Sans:
            units = SansWidth(ch, bold);
            break;
        case Family::Heavy:
            units = HeavyWidth(ch);
            break;
        case Family::Narrow:
            units = SansWidth(ch, bold) * 82 / 100;
            break;
        case Family::Serif:
            units = SerifWidth(ch, bold);
            break;
        case Family::Mono:
            units = 600;
            break;
        }
        line += units * em / 1000.0;
    }
    widest = std::max(widest, line);
    return static_cast<int>(std::lround(widest));
}

} // namespace corvexa
