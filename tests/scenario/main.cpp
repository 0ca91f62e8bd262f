#include <cstdio>

int main(int argc, char **) {
    std::fputs("corvexa_scenario: not built yet\n", stderr);
    return argc > 1 ? 1 : 0;
}
