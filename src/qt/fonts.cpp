#include "qt/fonts.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string_view>

namespace corvexa::qt {

namespace {

struct Entry {
    std::string_view face; // lower case
    std::array<const char *, 2> families;
    bool heavy;
};

constexpr std::array<Entry, 14> kTable = {{
    {"arial", {"Liberation Sans", "DejaVu Sans"}, false},
    {"arial narrow", {"Liberation Sans Narrow", "DejaVu Sans Condensed"}, false},
    {"arial black", {"Lato", "Liberation Sans"}, true},
    {"courier", {"Liberation Mono", "DejaVu Sans Mono"}, false},
    {"courier new", {"Liberation Mono", "DejaVu Sans Mono"}, false},
    {"ms sans serif", {"Liberation Sans", "DejaVu Sans"}, false},
    {"microsoft sans serif", {"Liberation Sans", "DejaVu Sans"}, false},
    {"ms serif", {"Liberation Serif", "DejaVu Serif"}, false},
    {"terminal", {"Liberation Mono", "DejaVu Sans Mono"}, false},
    {"times new roman", {"Liberation Serif", "DejaVu Serif"}, false},
    {"roman", {"Liberation Serif", "DejaVu Serif"}, false},
    {"small fonts", {"Liberation Sans", "DejaVu Sans"}, false},
    {"system", {"Liberation Sans", "DejaVu Sans"}, true},
    {"haettenschweiler", {"Liberation Sans Narrow", "DejaVu Sans Condensed"}, true},
}};

std::string Lower(const std::string &s) {
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    // Trailing blanks occur in stored face names.
    while (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

} // namespace

FaceSubstitute SubstituteFace(const std::string &face) {
    const std::string key = Lower(face);
    for (const Entry &e : kTable) {
        if (e.face == key) {
            return {{QString::fromLatin1(e.families[0]), QString::fromLatin1(e.families[1])},
                    e.heavy};
        }
    }
    // A face we do not know: ask for it, fall back to the sans of the drawing.
    return {{QString::fromStdString(face), QStringLiteral("Liberation Sans"),
             QStringLiteral("DejaVu Sans")},
            false};
}

QFont MakeFont(const Font &font, double unitsPerPoint) {
    const FaceSubstitute sub = SubstituteFace(font.face);
    QFont q;
    q.setFamilies(sub.families);
    q.setStyleHint(QFont::SansSerif);
    const double points = std::isfinite(font.points) && font.points > 0 ? font.points : 8.25;
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(points * unitsPerPoint))));
    // A heavy face is set in the black weight (Lato Black); where only a bold one is installed,
    // the bold is the nearest.
    q.setWeight(sub.heavy ? QFont::Black : font.bold ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    // The drawing is scaled as a whole: glyph shapes must follow the outline, not the pixel grid
    // of the unscaled size, or text runs out of its box at some window sizes.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

} // namespace corvexa::qt
