// The few operating-system services the command needs that the standard
// library does not offer.  Everything else goes through std::filesystem.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace cimport_cli {

// Creates a new directory, readable only by this user, under the system's
// temporary directory.  Throws std::filesystem::filesystem_error on failure.
std::filesystem::path CreatePrivateDirectory();

// Makes the environment variable "include" hold value, dropping every other
// spelling of that name; an empty value removes it.
void SetIncludeVariable(const std::string& value);

// The directory of the running command's executable; empty when unknown.
std::filesystem::path ExecutableDirectory();

// Writes bytes to the stream unchanged (no line-end translation).
void UseBinaryMode(std::FILE* stream);

// True when the stream is a terminal.
bool IsTerminal(std::FILE* stream);

}  // namespace cimport_cli
