// Benchmark driver: the SZDD codec file to file, as one process.
//   szdd_file expand COMPRESSED OUTPUT   (a file without the signature is copied)
//   szdd_file compress INPUT COMPRESSED
#include <cstdio>
#include <exception>
#include <string_view>

#include "datalib/Szdd.h"

int main(int argc, char** argv) {
    std::string_view command = argc == 4 ? argv[1] : "";
    if (command != "expand" && command != "compress") {
        std::fprintf(stderr, "usage: szdd_file expand|compress FROM TO\n");
        return 2;
    }
    try {
        if (command == "expand")
            vk::expandFileOrCopy(argv[2], argv[3]);
        else
            vk::szddCompressFile(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "szdd_file: %s\n", e.what());
        return 1;
    }
    return 0;
}
