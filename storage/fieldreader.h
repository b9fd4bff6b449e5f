// The four field kinds of the task file, read from a byte source. Each field
// ends at its delimiter, which is consumed. Once the data has ended, every
// further field ends at once and is empty.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/taskdraft.h"
#include "storage/bytesource.h"

// Longest number text: "%lf" of the largest double needs 317 bytes.
constexpr std::size_t MaxNumberBytes = 512;

enum class FieldError {
    None,
    NumberTooLong,  // a number text longer than MaxNumberBytes
    NameTooLong,    // a name longer than MaxNameBytes
    ReadFailed,     // the source reported a read error
};

class FieldReader {
  public:
    explicit FieldReader(ByteSource& source) : source_(source) {}

    // Line fields: up to LF, CR dropped; holding a number or a name.
    bool NumberLineField(std::string& text);
    bool NameLineField(std::string& text);
    // Up to LF; number = bytes before the first space, name = bytes after it (CR dropped).
    bool NumberAndNameField(std::string& number, std::string& name);
    // Up to a comma; CR dropped (an LF stays in the text).
    bool CommaField(std::string& text);
    // Up to LF; '=' and CR dropped.
    bool ResultField(std::string& text);

    // The next byte without taking it; -1 at the end of the data.
    int PeekByte();
    // Every byte not read yet. false when there are more than limit bytes or
    // reading fails.
    bool Rest(std::string& bytes, std::size_t limit);

    // What stopped the last field (None when it was read).
    FieldError error() const { return error_; }
    // 1-based line on which the last field began.
    int line() const { return fieldLine_; }
    // Whether the last field began after the end of the data.
    bool pastEnd() const { return fieldPastEnd_; }

  private:
    int NextByte();  // -1 at the end
    void Begin(std::string& text);
    bool Fail(FieldError error);
    // Collects one field; bytes in drop are skipped; more than limit bytes is tooLong.
    bool Collect(std::string& text, char delimiter, std::string_view drop, std::size_t limit,
                 FieldError tooLong);

    ByteSource& source_;
    std::string_view run_;
    std::size_t pos_ = 0;
    bool ended_ = false;
    int line_ = 1;
    int fieldLine_ = 1;
    bool fieldPastEnd_ = false;
    FieldError error_ = FieldError::None;
};
