// pellmark-cli: the headless front end for conversion and inspection.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pellmark-cli COMMAND ...\n");
        return 2;
    }
    std::fprintf(stderr, "pellmark-cli: unknown command \"%s\"\n", argv[1]);
    return 2;
}
