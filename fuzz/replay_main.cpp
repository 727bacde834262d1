// Stands in for the fuzzing engine where there is none: runs a target once
// on each file named on the command line, so the saved inputs that once
// crashed or broke an invariant are tried again by every build.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::string> inputs;  // read before the target moves to its own folder
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    LLVMFuzzerInitialize(&argc, &argv);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(inputs[i].data()),
                               inputs[i].size());
        std::printf("replayed %s\n", argv[i + 1]);
    }
    return 0;
}
