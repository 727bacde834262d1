#include "cimp/parse/scan_input.h"

#include <algorithm>
#include <cstring>

namespace cimp::parse {

std::size_t StringScanInput::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, text_.size() - position_);
    std::memcpy(buffer, text_.data() + position_, count);
    position_ += count;
    return count;
}

}  // namespace cimp::parse
