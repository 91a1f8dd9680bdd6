#include <cstdio>

int main() {
    std::printf("Purlo %s (%s): the companion is not on the desktop yet.\n", PURLO_VERSION,
                PURLO_BUILD);
    return 0;
}
