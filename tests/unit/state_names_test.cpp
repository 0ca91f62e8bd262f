// Shared state by name: every field of Machine is reachable, values read as the checks expect,
// and no name or index can read outside a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <regex>
#include <sstream>

#include "machine/state_names.h"

namespace corvexa {
namespace {

std::string Value(const Machine &m, const std::string &name, int index = -1) {
    const StateLookup found = SharedStateValue(m, name, index);
    EXPECT_TRUE(found.value.has_value()) << name << "[" << index << "]: " << found.error;
    return found.value.value_or("<none>");
}

std::string Error(const Machine &m, const std::string &name, int index = -1) {
    const StateLookup found = SharedStateValue(m, name, index);
    EXPECT_FALSE(found.value.has_value()) << name << "[" << index << "] gave " << *found.value;
    return found.error;
}

// The data members of struct Machine as machine.h declares them.
std::vector<std::string> DeclaredMachineFields() {
    std::ifstream in(std::filesystem::path(CORVEXA_SOURCE_DIR) / "src/machine/machine.h");
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    const size_t begin = all.find("struct Machine {");
    const size_t end = all.find("\n};", begin);
    std::istringstream body(all.substr(begin, end - begin));
    std::vector<std::string> fields;
    std::string line;
    std::getline(body, line); // "struct Machine {"
    while (std::getline(body, line)) {
        line = line.substr(0, line.find("//"));
        if (line.find('(') != std::string::npos || line.find(';') == std::string::npos) {
            continue; // member functions, blank lines, comments
        }
        // Drop the type: everything up to the last '>' or the first word.
        const size_t close = line.rfind('>');
        std::string names = close != std::string::npos
                                ? line.substr(close + 1)
                                : std::regex_replace(line, std::regex(R"(^\s*\S+)"), "");
        static const std::regex name(R"(([A-Za-z_]\w*)\s*(\{[^}]*\}|=[^,;]*)?\s*[,;])");
        for (std::sregex_iterator it(names.begin(), names.end(), name), stop; it != stop; ++it) {
            fields.push_back((*it)[1]);
        }
    }
    return fields;
}

TEST(StateNames, EveryFieldOfTheMachineHasItsName) {
    const std::vector<std::string> declared = DeclaredMachineFields();
    const std::vector<std::string> known = SharedStateNames();
    ASSERT_GT(declared.size(), 30U) << "machine.h was not read as expected";
    for (const std::string &field : declared) {
        EXPECT_TRUE(std::count(known.begin(), known.end(), field) == 1)
            << field << " is in Machine but cannot be checked by name";
    }
    EXPECT_TRUE(std::count(known.begin(), known.end(), "PresetRegisterValues") == 1);
}

TEST(StateNames, ValuesReadAsText) {
    Machine m;
    EXPECT_EQ(Value(m, "RegisterFile", 0), "0");
    EXPECT_EQ(Value(m, "RegistersInitialised"), "False");
    EXPECT_EQ(Value(m, "ProgText", 31), "");

    m.RegisterFile[31] = std::numeric_limits<int32_t>::min();
    m.RdField[4] = -32768;
    m.ProgBranchOffset[0] = -3;
    m.RegisterHasValue[7] = true;
    m.ProgramWritten = true;
    m.ProgText[3] = "LW R3,100(R5)";
    m.ForwardingText = "  two  blanks\r\n";
    m.MemMapLast = 100;
    m.MemMapAddress[100] = 4096;
    m.FillPadTables();
    EXPECT_EQ(Value(m, "RegisterFile", 31), "-2147483648");
    EXPECT_EQ(Value(m, "RdField", 4), "-32768");
    EXPECT_EQ(Value(m, "ProgBranchOffset", 0), "-3");
    EXPECT_EQ(Value(m, "RegisterHasValue", 7), "True");
    EXPECT_EQ(Value(m, "RegisterHasValue", 6), "False");
    EXPECT_EQ(Value(m, "ProgramWritten"), "True");
    EXPECT_EQ(Value(m, "ProgText", 3), "LW R3,100(R5)");
    EXPECT_EQ(Value(m, "ForwardingText"), "  two  blanks\r\n");
    EXPECT_EQ(Value(m, "MemMapLast"), "100");
    EXPECT_EQ(Value(m, "MemMapAddress", 100), "4096");
    EXPECT_EQ(Value(m, "ZeroPad", 32), std::string(32, '0'));
    EXPECT_EQ(Value(m, "FPad", 8), "FFFFFFFF");
    EXPECT_EQ(Value(m, "PresetRegisterValues", 15), "898989");
    EXPECT_EQ(Value(m, "PresetRegisterValues", 0), "0");
}

TEST(StateNames, FixedPointAccumulatorReadsAsADecimal) {
    EXPECT_EQ(FixedPointText(0), "0");
    EXPECT_EQ(FixedPointText(125000), "12.5");
    EXPECT_EQ(FixedPointText(10001), "1.0001");
    EXPECT_EQ(FixedPointText(-5), "-0.0005");
    EXPECT_EQ(FixedPointText(-20000), "-2");
    EXPECT_EQ(FixedPointText(std::numeric_limits<int64_t>::min()), "-922337203685477.5808");
    Machine m;
    m.TestColourAccumulator = 123456;
    EXPECT_EQ(Value(m, "TestColourAccumulator"), "12.3456");
}

TEST(StateNames, NamesAndIndexesOutsideTheTablesAreRefused) {
    const Machine m;
    // The last element of each kind of table reads; one past it is refused.
    for (const auto &[name, size] :
         std::vector<std::pair<std::string, int>>{{"ProgText", 32},
                                                  {"RegisterFile", 32},
                                                  {"MemMapValue", 101},
                                                  {"OnePad", 33},
                                                  {"FPad", 9},
                                                  {"PresetRegisterValues", 32}}) {
        Value(m, name, size - 1);
        EXPECT_NE(Error(m, name, size).find("outside"), std::string::npos) << name;
        EXPECT_NE(Error(m, name, std::numeric_limits<int>::max()), "") << name;
        EXPECT_NE(Error(m, name).find("give an index"), std::string::npos) << name;
    }
    EXPECT_NE(Error(m, "MemMapLast", 0).find("takes no index"), std::string::npos);
    EXPECT_EQ(Error(m, "RegisterFiles", 1), "no shared state named RegisterFiles");
    EXPECT_EQ(Error(m, "registerfile", 1), "no shared state named registerfile");
    EXPECT_EQ(Error(m, ""), "no shared state named ");
}

} // namespace
} // namespace corvexa
