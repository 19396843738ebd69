/* Baseline for the SZDD expansion benchmark: libmspack's decompressor, file to file. */
#include <mspack.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: mspack_szdd_expand COMPRESSED OUTPUT\n");
        return 2;
    }
    struct msszdd_decompressor* szdd = mspack_create_szdd_decompressor(NULL);
    if (!szdd) return 1;
    int error = szdd->decompress(szdd, argv[1], argv[2]);
    mspack_destroy_szdd_decompressor(szdd);
    if (error != MSPACK_ERR_OK) {
        fprintf(stderr, "mspack_szdd_expand: error %d\n", error);
        return 1;
    }
    return 0;
}
