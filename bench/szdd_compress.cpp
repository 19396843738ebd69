// Benchmark driver: compresses one file to SZDD.
#include <cstdio>

#include "HostFileStream.h"
#include "datalib/Szdd.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd_compress INPUT COMPRESSED\n");
        return 2;
    }
    try {
        vk::bench::HostFileStream in(argv[1], false);
        vk::bench::HostFileStream out(argv[2], true);
        vk::szddCompress(in, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "szdd_compress: %s\n", e.what());
        return 1;
    }
    return 0;
}
