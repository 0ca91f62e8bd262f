// The model must build without a display: only the renderer may include Qt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace fs = std::filesystem;

TEST(Architecture, OnlyTheRendererIncludesQt) {
    const fs::path src = fs::path(CORVEXA_SOURCE_DIR) / "src";
    const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)[^>"]*[>"])");
    int scanned = 0;
    for (const auto &entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path rel = fs::relative(entry.path(), src);
        if (*rel.begin() == "qt") {
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        int lineNo = 0;
        while (std::getline(in, line)) {
            ++lineNo;
            EXPECT_FALSE(std::regex_search(line, qtInclude))
                << rel.string() << ":" << lineNo << " includes Qt: " << line;
        }
        ++scanned;
    }
    EXPECT_GT(scanned, 10);
}
