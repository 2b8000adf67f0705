#include <cstdio>

int main() {
    std::printf("Corvane %s\n", CORVANE_VERSION);
    return 0;
}
