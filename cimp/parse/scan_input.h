// Where the declaration scanner reads its text from.
#pragma once

#include <cstddef>
#include <string_view>

#include "cimp/text_file.h"

namespace cimp::parse {

class ScanInput {
public:
    virtual ~ScanInput() = default;
    // Up to size characters; 0 at end of input.  Failed() tells a read error.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    virtual bool Failed() const = 0;
};

// The preprocessed file, read through its text-mode stream.
class FileScanInput final : public ScanInput {
public:
    explicit FileScanInput(TextFile& file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override { return file_.Read(buffer, size); }
    bool Failed() const override { return file_.Failed(); }

private:
    TextFile& file_;
};

// Text held in memory (tests, benchmarks); the text must outlive the input.
class StringScanInput final : public ScanInput {
public:
    explicit StringScanInput(std::string_view text) : text_(text) {}
    std::size_t Read(char* buffer, std::size_t size) override;
    bool Failed() const override { return false; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace cimp::parse
