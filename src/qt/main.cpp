#include <cstdio>

int main() {
    std::fputs("Corvexa: the program's windows are not built yet.\n", stderr);
    return 1;
}
