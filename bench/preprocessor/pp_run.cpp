// Runs the preprocessor once with the given argument vector (the first
// argument is the program name the preprocessor sees); exit status 0 for
// result 0, 1 otherwise.
#include "cimp/cpp/preprocessor.h"

int main(int argc, char** argv) {
    return argc > 1 && cimp::cpp::RunPreprocessor(argc - 1, argv + 1) == 0 ? 0 : 1;
}
