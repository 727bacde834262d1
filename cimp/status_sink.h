// The host's message callback: every message of an import goes through Send.
#pragma once

#include <string>

#include "cimport.h"

namespace cimp {

class StatusSink {
public:
    StatusSink(CImportCallback callback, void* context) : callback_(callback), context_(context) {}
    StatusSink(const StatusSink&) = delete;
    StatusSink& operator=(const StatusSink&) = delete;
    ~StatusSink() { Clear(); }

    // One callback call per message; a null callback drops the message.
    void Send(const char* text) const {
        if (callback_ != nullptr) callback_(context_, text);
    }
    void Send(const std::string& text) const { Send(text.c_str()); }

    void Clear() {
        callback_ = nullptr;
        context_ = nullptr;
    }

private:
    CImportCallback callback_;
    void* context_;
};

}  // namespace cimp
