#include "cimp/text_file.h"

#include <algorithm>
#include <cstring>

namespace cimp {

bool TextFile::Open(const char* path, Mode mode) {
    Close();
    failed_ = false;
    pending_ = EOF;
    if (path == nullptr) return false;
    if (IsDirectory(path)) return false;  // fopen opens one on some systems
    // Binary underneath on every platform: the line-end translation is ours.
    const char* how = mode == Mode::kRead ? "rb" : mode == Mode::kWrite ? "wb" : "ab";
    file_ = std::fopen(path, how);
    return file_ != nullptr;
}

bool TextFile::Close() {
    if (file_ == nullptr) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

int TextFile::GetByte() {
    int c;
    if (pending_ != EOF) {
        c = pending_;
        pending_ = EOF;
    } else {
        c = std::getc(file_);
    }
    if (c != '\r') return c;
    const int next = std::getc(file_);
    if (next == '\n') return '\n';
    pending_ = next;  // a lone CR stays as it is
    return '\r';
}

std::size_t TextFile::Read(char* buffer, std::size_t size) {
    if (file_ == nullptr || buffer == nullptr) return 0;
    std::size_t n = 0;
    while (n < size) {
        if (pending_ != EOF) {  // a byte read ahead after a lone CR
            const int c = GetByte();
            if (c == EOF) break;
            buffer[n++] = static_cast<char>(c);
            continue;
        }
        const std::size_t got = std::fread(buffer + n, 1, size - n, file_);
        if (got == 0) break;
        n = FoldLineEnds(buffer, n, n + got);
    }
    if (n < size && std::ferror(file_)) failed_ = true;
    return n;
}

std::size_t TextFile::FoldLineEnds(char* buffer, std::size_t from, std::size_t to) {
    const void* carriage = std::memchr(buffer + from, '\r', to - from);
    if (carriage == nullptr) return to;  // nothing to fold: the common case
    std::size_t out = static_cast<std::size_t>(static_cast<const char*>(carriage) - buffer);
    for (std::size_t i = out; i < to; ++i) {
        char c = buffer[i];
        if (c == '\r') {
            if (i + 1 < to) {
                if (buffer[i + 1] == '\n') continue;  // the LF that follows stands for both
            } else {
                const int next = std::getc(file_);
                if (next == '\n')
                    c = '\n';
                else
                    pending_ = next;
            }
        }
        buffer[out++] = c;
    }
    return out;
}

std::size_t TextFile::ReadLine(char* buffer, std::size_t size) {
    if (file_ == nullptr || buffer == nullptr || size == 0) return 0;
    std::size_t n = 0;
    while (n + 1 < size) {
        const int c = GetByte();
        if (c == EOF) break;
        buffer[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[n] = '\0';
    if (n == 0 && std::ferror(file_)) failed_ = true;
    return n;
}

bool TextFile::Write(const char* data, std::size_t size) {
    if (file_ == nullptr) return false;
    if (WriteWithCrLf(file_, data, size)) return true;
    failed_ = true;
    return false;
}

bool TextFile::Flush() {
    if (file_ == nullptr) return false;
    if (std::fflush(file_) != 0) failed_ = true;
    return !failed_;
}

bool WriteWithCrLf(std::FILE* stream, const char* data, std::size_t size) {
    // Translated through a local piece, so a text of many lines costs one
    // fwrite per 4096 bytes instead of two per line.
    char piece[4096];
    std::size_t used = 0;
    const auto flush = [&] {
        const bool ok = std::fwrite(piece, 1, used, stream) == used;
        used = 0;
        return ok;
    };
    const char* p = data;
    const char* const end = data + size;
    while (p < end) {
        const void* newline = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        const char* stop = newline != nullptr ? static_cast<const char*>(newline) : end;
        while (p < stop) {
            if (used == sizeof piece && !flush()) return false;
            const std::size_t n = std::min(static_cast<std::size_t>(stop - p), sizeof piece - used);
            std::memcpy(piece + used, p, n);
            used += n;
            p += n;
        }
        if (newline == nullptr) break;
        if (used + 2 > sizeof piece && !flush()) return false;
        piece[used++] = '\r';
        piece[used++] = '\n';
        ++p;
    }
    return flush();
}

}  // namespace cimp
