#include "storage/fieldreader.h"

int FieldReader::NextByte() {
    if (pos_ == run_.size()) {
        if (ended_) return -1;
        run_ = source_.Next();
        pos_ = 0;
        if (run_.empty()) {
            ended_ = true;
            if (source_.Failed()) error_ = FieldError::ReadFailed;
            return -1;
        }
    }
    const int c = static_cast<unsigned char>(run_[pos_++]);
    if (c == '\n') ++line_;
    return c;
}

void FieldReader::Begin(std::string& text) {
    text.clear();
    fieldLine_ = line_;
    fieldPastEnd_ = ended_;
}

bool FieldReader::Fail(FieldError error) {
    error_ = error;
    return false;
}

bool FieldReader::Collect(std::string& text, char delimiter, std::string_view drop,
                          std::size_t limit, FieldError tooLong) {
    Begin(text);
    for (int c = NextByte(); c >= 0 && c != static_cast<unsigned char>(delimiter); c = NextByte()) {
        if (drop.find(static_cast<char>(c)) != std::string_view::npos) continue;
        if (text.size() == limit) return Fail(tooLong);
        text.push_back(static_cast<char>(c));
    }
    return error_ == FieldError::None;
}

bool FieldReader::NumberLineField(std::string& text) {
    return Collect(text, '\n', "\r", MaxNumberBytes, FieldError::NumberTooLong);
}

bool FieldReader::NameLineField(std::string& text) {
    return Collect(text, '\n', "\r", MaxNameBytes, FieldError::NameTooLong);
}

bool FieldReader::CommaField(std::string& text) {
    return Collect(text, ',', "\r", MaxNumberBytes, FieldError::NumberTooLong);
}

bool FieldReader::ResultField(std::string& text) {
    return Collect(text, '\n', "=\r", MaxNumberBytes, FieldError::NumberTooLong);
}

bool FieldReader::NumberAndNameField(std::string& number, std::string& name) {
    Begin(number);
    name.clear();
    bool inName = false;
    for (int c = NextByte(); c >= 0 && c != '\n'; c = NextByte()) {
        if (!inName) {
            // A CR stays in the number text, where the conversion stops at it.
            if (c == ' ') {
                inName = true;
            } else if (number.size() == MaxNumberBytes) {
                return Fail(FieldError::NumberTooLong);
            } else {
                number.push_back(static_cast<char>(c));
            }
        } else if (c != '\r') {
            if (name.size() == MaxNameBytes) return Fail(FieldError::NameTooLong);
            name.push_back(static_cast<char>(c));
        }
    }
    return error_ == FieldError::None;
}

int FieldReader::PeekByte() {
    const int c = NextByte();
    if (c >= 0) {
        --pos_;  // NextByte left the byte in the current run
        if (c == '\n') --line_;
    }
    return c;
}

bool FieldReader::Rest(std::string& bytes, std::size_t limit) {
    bytes.clear();
    for (;;) {
        const std::string_view run = run_.substr(pos_);
        if (run.size() > limit - bytes.size()) return false;
        bytes.append(run);
        pos_ = run_.size();
        if (ended_) return error_ == FieldError::None;
        run_ = source_.Next();
        pos_ = 0;
        if (run_.empty()) {
            ended_ = true;
            if (source_.Failed()) error_ = FieldError::ReadFailed;
        }
    }
}
