// #include: the include list and the search for included files.
#pragma once

#include <string>

#include "cimp/cpp/token_row.h"

namespace cimp::cpp {

class Preprocessor;

inline constexpr int kPpIncludeSlots = 32;
inline constexpr int kPpMainDirectorySlot = kPpIncludeSlots - 1;
inline constexpr int kPpMaxIncludeDepth = 10;
// A directory and a name together (with the separator) may not exceed this.
inline constexpr std::size_t kPpMaxIncludePath = 256;
inline constexpr std::size_t kPpMaxQuotedName = 255;
inline constexpr std::size_t kPpMaxAngleName = 254;

struct PpIncludeSlot {
    bool deleted = false;
    bool forQuotedOnly = false;  // not searched for <...> includes
    bool used = false;
    std::string directory;
};

// Slots 30 down to 0 take the -I directories in the order given; slot 31 the
// main file's directory, for quoted includes only.  Searched from 31 down.
class PpIncludeList {
public:
    // False when the 31 slots for -I directories are taken.
    bool AddDirectory(const char* directory);
    void SetMainDirectory(std::string directory);
    void DeleteAdded();  // -N
    const PpIncludeSlot& Slot(int index) const { return slots_[index]; }

private:
    PpIncludeSlot slots_[kPpIncludeSlots];
    int nextSlot_ = kPpMainDirectorySlot - 1;
};

// True for a name that is opened as written: a drive letter ("C:") or a
// leading '/' or '\'.
bool IsAbsoluteIncludeName(const std::string& name);

// #include; the row's current token is `include`.
void DoInclude(Preprocessor& pre, PpTokenRow& row);

}  // namespace cimp::cpp
