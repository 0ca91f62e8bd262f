// The words of a scenario line: a script author relies on exactly these rules.
#include <gtest/gtest.h>

#include <limits>

#include "scenario/script.h"

namespace corvexa::scenario {
namespace {

std::vector<std::string> Texts(std::string_view line) {
    std::vector<std::string> out;
    for (const Token &t : Tokenize(line)) {
        out.push_back(t.text);
    }
    return out;
}

TEST(ScenarioScript, WordsQuotesAndComments) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts("  click\tfrmX  lblProg 3 "), (V{"click", "frmX", "lblProg", "3"}));
    EXPECT_EQ(Texts("expect-message \"Enter a  Value\" \"\""),
              (V{"expect-message", "Enter a  Value", ""}));
    EXPECT_EQ(Texts("answer 5\r"), (V{"answer", "5"})); // a file with CR LF line ends
    EXPECT_TRUE(Tokenize("# open frmMain").empty());
    EXPECT_TRUE(Tokenize("   ").empty());
    EXPECT_EQ(Texts("answer #1"), (V{"answer", "#1"})); // only a leading # starts a comment

    const auto words = Tokenize("answer cancel \"cancel\"");
    EXPECT_FALSE(words[1].quoted);
    EXPECT_TRUE(words[2].quoted);
}

TEST(ScenarioScript, Escapes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(R"(w "a\r\nb\t\\\"" x\x41\x00y)"),
              (V{"w", "a\r\nb\t\\\"", std::string("xA\0y", 4)}));
    EXPECT_EQ(Texts(R"("\xff\xFe")")[0], "\xff\xfe");
    EXPECT_THROW(Tokenize(R"(w "a\q")"), ScriptError);
    EXPECT_THROW(Tokenize(R"(w \x4)"), ScriptError);
    EXPECT_THROW(Tokenize(R"(w \xG0)"), ScriptError);
    EXPECT_THROW(Tokenize("w abc\\"), ScriptError);
}

TEST(ScenarioScript, BadQuotingIsAScriptError) {
    EXPECT_THROW(Tokenize("answer \"open"), ScriptError);
    EXPECT_THROW(Tokenize("answer \"a\"b"), ScriptError);
    EXPECT_THROW(Tokenize("answer a\"b\""), ScriptError);
    EXPECT_THROW(Tokenize("answer \"a\\\""), ScriptError); // the closing quote is escaped
}

TEST(ScenarioScript, Numbers) {
    EXPECT_EQ(ParseNumber("2000"), 2000);
    EXPECT_EQ(ParseNumber("-32768"), -32768);
    EXPECT_EQ(ParseNumber("+7"), 7);
    EXPECT_EQ(ParseNumber("&HFF0000"), 0xFF0000);
    EXPECT_EQ(ParseNumber("&hc0"), 0xC0);
    EXPECT_EQ(ParseNumber("0x8CA30064"), 0x8CA30064); // a word stays unsigned
    EXPECT_EQ(ParseNumber("0XffFFffFF"), 4294967295LL);
    EXPECT_EQ(ParseNumber("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(ParseNumber("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    for (const char *bad : {"", "-", "&H", "0x", "12a", "1.5", " 1", "0x-5", "&H+5", "--1",
                            "9223372036854775808", "0x8000000000000000", "1e3", "R3"}) {
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
    }
}

TEST(ScenarioScript, QuoteShowsWhatIsInvisible) {
    EXPECT_EQ(Quote("a b"), "\"a b\"");
    EXPECT_EQ(Quote("x\r\n\t\"\\"), R"("x\r\n\t\"\\")");
    EXPECT_EQ(Quote(std::string("\0\x1f", 2)), R"("\x00\x1F")");
    // What Quote shows reads back as the same text.
    const std::string odd("A\r\n\"\\\x01z", 7);
    EXPECT_EQ(Tokenize(Quote(odd))[0].text, odd);
}

} // namespace
} // namespace corvexa::scenario
