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
    // A message joined from pieces in a buffer kept from one message to the
    // next, so that composing it allocates nothing once the buffer has grown;
    // nothing is joined when there is no callback.
    template <typename... Pieces>
        requires(sizeof...(Pieces) > 1)
    void Send(const Pieces&... pieces) const {
        if (callback_ == nullptr) return;
        message_.clear();
        (message_.append(pieces), ...);
        callback_(context_, message_.c_str());
    }

    void Clear() {
        callback_ = nullptr;
        context_ = nullptr;
    }

private:
    CImportCallback callback_;
    void* context_;
    mutable std::string message_;
};

}  // namespace cimp
