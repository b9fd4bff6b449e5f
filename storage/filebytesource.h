// Reads an open file descriptor in fixed-size runs, so memory use does not
// depend on the size of the file.
#pragma once

#include <string_view>

#include "storage/bytesource.h"

class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(int fd) : fd_(fd) {}
    std::string_view Next() override;
    bool Failed() const override { return failed_; }

  private:
    static constexpr int BufferSize = 64 * 1024;
    int fd_;
    bool failed_ = false;
    char buffer_[BufferSize];
};
