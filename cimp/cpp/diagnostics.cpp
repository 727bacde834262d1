#include "cimp/cpp/diagnostics.h"

#include "cimp/text_file.h"

namespace cimp::cpp {

namespace {

void AppendRow(std::string& out, const PpTokenRow& row) {
    for (const PpToken* token = row.current; token < row.limit; ++token) {
        if (IsLineEnd(token->kind)) {
            break;
        }
        if (token != row.current && token->spaceLength > 0) {
            out += ' ';
        }
        out.append(token->text, token->length);
    }
}

}  // namespace

void DiagArg::AppendTo(std::string& out, char placeholder) const {
    switch (placeholder) {
    case 's':
        if (kind_ == kText && text_ != nullptr) {
            out += text_;
        }
        return;
    case 'd':
        if (kind_ == kNumber) {
            out += std::to_string(number_);
        }
        return;
    case 't':
        if (kind_ == kToken) {
            out.append(token_->text, token_->length);
        }
        return;
    case 'r':
        if (kind_ == kRow) {
            AppendRow(out, *row_);
        }
        return;
    default:
        out += placeholder;
        return;
    }
}

void PpDiagnostics::Report(int level, const char* format, const DiagArg* args, int count) {
    std::string message;
    int next = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            message += *p;
            continue;
        }
        ++p;
        const bool takesArgument = *p == 's' || *p == 'd' || *p == 't' || *p == 'r';
        const DiagArg none{};
        (takesArgument && next < count ? args[next] : none).AppendTo(message, *p);
        next += takesArgument ? 1 : 0;
    }
    message += '\n';
    if (stream_ != nullptr) {
        stream_->Write(message);
    }
    if (capture_ != nullptr) {
        *capture_ += message;
    }
    if (level >= kPpError) {
        errorFlag_ = true;
    }
    if (stream_ != nullptr) {
        stream_->Flush();
    }
    if (level >= kPpFatal) {
        throw PpFatalError();
    }
}

}  // namespace cimp::cpp
