// The program behind TestMachine::exitingCommand on Windows: creates an empty
// file "ran" in its current folder and exits with the code its argument gives.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::FILE* ran = std::fopen("ran", "wb")) std::fclose(ran);
    return argc > 1 ? std::atoi(argv[1]) : 0;
}
