// Where the task file reader takes its bytes from: a file or a block in memory.
#pragma once

#include <string_view>

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // The next run of bytes; empty at the end of the data or after a read error.
    virtual std::string_view Next() = 0;
    // Whether the data ended because reading failed rather than at its end.
    virtual bool Failed() const { return false; }
};

// The whole block is one run.
class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::string_view Next() override {
        std::string_view run = bytes_;
        bytes_ = {};
        return run;
    }

  private:
    std::string_view bytes_;
};
