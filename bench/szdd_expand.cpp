// Benchmark driver: expands one SZDD file (or copies a plain one) to another.
#include <cstdio>

#include "HostFileStream.h"
#include "datalib/Szdd.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd_expand COMPRESSED OUTPUT\n");
        return 2;
    }
    try {
        vk::bench::HostFileStream in(argv[1], false);
        vk::bench::HostFileStream out(argv[2], true);
        vk::expandOrCopy(in, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "szdd_expand: %s\n", e.what());
        return 1;
    }
    return 0;
}
