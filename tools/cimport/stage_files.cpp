#include "stage_files.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "cimp/import_context.h"
#include "cimp/import_run.h"
#include "cimp/text_file.h"
#include "command_error.h"
#include "platform.h"

namespace cimport_cli {

std::vector<std::string> PrepareImportInput(const std::string& header, const HeaderInputOptions& checked) {
    std::string input = header;
    if (!checked.preInclude.empty() || !checked.keepSystemIncludes) {
        const cimp::ImportContext context(TKS_NO_HANDLE, header.c_str(), checked.preInclude.c_str(),
                                          checked.keepSystemIncludes, nullptr, nullptr);
        if (!cimp::WritePreprocessorSource(context, header.c_str()))
            throw CommandError("cannot write the preprocessor's input file");
        input = cimp::kPreprocessorSourceFile;
    }
    return cimp::BuildPreprocessorArgs(input, IncludePathFor(checked, header).c_str());
}

std::string ReadFileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadTextFile(const char* path) {
    cimp::TextFile file;
    std::string text;
    if (!file.Open(path, cimp::TextFile::Mode::kRead)) return text;
    std::array<char, 4096> buffer;
    while (const std::size_t n = file.Read(buffer.data(), buffer.size())) text.append(buffer.data(), n);
    return text;
}

void StartBinaryOutput() {
    std::fflush(stdout);
    UseBinaryMode(stdout);
}

}  // namespace cimport_cli
