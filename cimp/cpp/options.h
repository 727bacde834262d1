// The single-letter option scanner of the preprocessor's argument vector.
#pragma once

namespace cimp::cpp {

// Classic option scanner: a letter followed by ':' in the option string takes
// an argument, given either in the rest of the same element or as the next
// element.  One scanner lives for one run; scanning starts at element 1.
class OptionScanner {
public:
    // Next option letter; '?' for an unknown letter or a missing argument
    // (reported on the standard error stream); -1 when the options end.
    // After -1, NextIndex() is the first operand.
    int GetOption(int argc, char** argv, const char* optionString);

    const char* Argument() const { return argument_; }
    int NextIndex() const { return index_; }

private:
    void StepLetter(const char* element);

    int index_ = 1;           // element being scanned
    int position_ = 1;        // letter inside that element
    const char* argument_ = nullptr;
};

}  // namespace cimp::cpp
