#include "cimp/cpp/options.h"

#include <cstdio>
#include <cstring>

namespace cimp::cpp {

namespace {

void ReportOption(const char* message, char letter) { std::fprintf(stderr, "%s%c\n", message, letter); }

}  // namespace

void OptionScanner::StepLetter(const char* element) {
    if (element[++position_] == '\0') {
        ++index_;
        position_ = 1;
    }
}

int OptionScanner::GetOption(int argc, char** argv, const char* optionString) {
    argument_ = nullptr;
    if (position_ == 1) {
        if (index_ >= argc || argv[index_] == nullptr || argv[index_][0] != '-' || argv[index_][1] == '\0') {
            return -1;
        }
        if (std::strcmp(argv[index_], "--") == 0) {
            ++index_;
            return -1;
        }
    }
    const char* element = argv[index_];
    const char letter = element[position_];
    const char* entry = letter == ':' ? nullptr : std::strchr(optionString, letter);
    if (entry == nullptr) {
        ReportOption(": illegal option -- ", letter);
        StepLetter(element);
        return '?';
    }
    if (entry[1] != ':') {
        StepLetter(element);
        return letter;
    }
    if (element[position_ + 1] != '\0') {
        argument_ = element + position_ + 1;
    } else if (index_ + 1 < argc) {
        argument_ = argv[++index_];
    } else {
        ReportOption(": option requires an argument -- ", letter);
        ++index_;
        position_ = 1;
        return '?';
    }
    ++index_;
    position_ = 1;
    return letter;
}

}  // namespace cimp::cpp
