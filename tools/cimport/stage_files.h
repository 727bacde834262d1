// What preprocess and parse need around a direct call of a stage: the
// writable argument vector the stage entries take, and the stages' files.
#pragma once

#include <string>
#include <vector>

#include "cimp/import_run.h"
#include "input_paths.h"

namespace cimport_cli {

using cimp::ArgumentVector;

// Prepares in the current directory what an import hands the preprocessor
// and returns the preprocessor's argument vector: the input (the header
// itself, or "cpre.tmp" with the pre-include line and without the lines
// holding both '<' and '>'), one -I per directory of the header's include
// path, the input again.  Throws CommandError.
std::vector<std::string> PrepareImportInput(const std::string& header, const HeaderInputOptions& checked);

// The whole file as it is on disk; empty when it is missing.
std::string ReadFileBytes(const char* path);

// A text file of the stages with its CR LF line ends read as "\n"; empty
// when it is missing.
std::string ReadTextFile(const char* path);

// From here on, bytes written to standard output arrive unchanged.
void StartBinaryOutput();

}  // namespace cimport_cli
