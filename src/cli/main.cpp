#include <cstdio>

int main() {
    std::puts("vezal-cli");
    return 0;
}
