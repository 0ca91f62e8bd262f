// corvexa_scenario FILE...: runs each scenario file with every window registered.
#include <fstream>
#include <iostream>
#include <sstream>

#include "registry/all_forms.h"
#include "scenario/runner.h"

int main(int argc, char **argv) {
    if (argc < 2) {
        std::cerr << "usage: corvexa_scenario FILE...\n";
        return 2;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr << path << ": cannot read the file\n";
            ++failed;
            continue;
        }
        std::ostringstream text;
        text << file.rdbuf();
        const auto result =
            corvexa::scenario::RunScenario(text.str(), path, std::cout, corvexa::RegisterAllForms);
        if (result.passed) {
            std::cout << "ok   " << path << " (" << result.commands << " commands)\n";
        } else {
            std::cout.flush();
            std::cerr << "FAIL " << result.failure << "\n";
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
