// Benchmark driver: compresses one file to SZDD.
#include <cstdio>
#include <exception>

#include "datalib/Szdd.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: szdd_compress INPUT COMPRESSED\n");
        return 2;
    }
    try {
        vk::szddCompressFile(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "szdd_compress: %s\n", e.what());
        return 1;
    }
    return 0;
}
