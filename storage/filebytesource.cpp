#include "storage/filebytesource.h"

#include <unistd.h>

#include <cerrno>

std::string_view FileByteSource::Next() {
    if (failed_) return {};
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_, sizeof buffer_);
        if (got > 0) return std::string_view(buffer_, static_cast<std::size_t>(got));
        if (got == 0) return {};
        if (errno == EINTR) continue;
        failed_ = true;
        return {};
    }
}
