#include "dataset/arffreader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "dataset/numbercell.h"
#include "dataset/texts.h"
#include "model/plaintext.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Token {
    enum class Kind { Word, Quoted, Comma, Open, Close, End } kind = Kind::End;
    std::string text;
};

// Splits one line into tokens. A word runs up to a blank, a comma or a
// brace; "%" at the start of a token begins a comment to the end of the line.
class LineTokens {
  public:
    explicit LineTokens(std::string_view line) : line_(line) {}

    // Refused with the reason (without the line) on an unclosed quote.
    Status Next(Token& token) {
        while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
        token = Token{};
        if (pos_ >= line_.size() || line_[pos_] == '%') {
            pos_ = line_.size();
            return {};
        }
        const char c = line_[pos_];
        if (c == ',' || c == '{' || c == '}') {
            ++pos_;
            token.kind = c == ','   ? Token::Kind::Comma
                         : c == '{' ? Token::Kind::Open
                                    : Token::Kind::Close;
            token.text = std::string(1, c);
            return {};
        }
        if (c == '\'' || c == '"') return ReadQuoted(token);
        token.kind = Token::Kind::Word;
        while (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != ',' &&
               line_[pos_] != '{' && line_[pos_] != '}')
            token.text += line_[pos_++];
        return {};
    }

    // The unquoted rest of a data value: up to the next comma or a comment,
    // blanks trimmed.
    std::string ValueText() {
        std::size_t end = pos_;
        while (end < line_.size() && line_[end] != ',' &&
               !(line_[end] == '%' && (end == pos_ || IsBlank(line_[end - 1]))))
            ++end;
        std::string text = TrimBlanks(line_.substr(pos_, end - pos_));
        pos_ = end;
        return text;
    }

    bool AtQuote() {
        while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
        return pos_ < line_.size() && (line_[pos_] == '\'' || line_[pos_] == '"');
    }

  private:
    Status ReadQuoted(Token& token) {
        const char quote = line_[pos_++];
        token.kind = Token::Kind::Quoted;
        while (pos_ < line_.size()) {
            char c = line_[pos_++];
            if (c == quote) return {};
            if (c == '\\' && pos_ < line_.size()) {
                c = line_[pos_++];
                if (c == 'n') c = '\n';
                if (c == 't') c = '\t';
                if (c == 'r') c = '\r';
            }
            token.text += c;
        }
        return Status::Refuse(ArffQuoteNotClosedReason(quote));
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

class ArffReading {
  public:
    ArffReading(std::string_view text, DataTable& table, std::string& error)
        : text_(text), table_(table), error_(error) {}

    bool Run() {
        bool relation = false, data = false;
        std::string_view line;
        while (NextLine(line)) {
            LineTokens tokens(line);
            Token first;
            if (!Next(tokens, first)) return false;
            if (first.kind == Token::Kind::End) continue;  // blank or comment
            if (data) {
                if (!ReadRow(line)) return false;
                continue;
            }
            const std::string keyword = AsciiLower(first.text);
            if (first.kind == Token::Kind::Word && keyword == "@relation" && !relation) {
                relation = true;
            } else if (!relation) {
                return Fail(ArffRelationFirstReason(first.text));
            } else if (first.kind == Token::Kind::Word && keyword == "@attribute") {
                if (!ReadAttribute(tokens)) return false;
            } else if (first.kind == Token::Kind::Word && keyword == "@data") {
                if (table_.columns.empty()) return Fail(ArffNoAttributesReason);
                data = true;
                keeper_.emplace(table_);
            } else {
                return Fail(ArffUnexpectedReason(first.text));
            }
        }
        if (!relation) {
            line_ = 0;
            error_ = NotArffMessage;
            return false;
        }
        if (!data) return Fail(ArffNoDataReason);
        return true;
    }

  private:
    bool NextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++line_;
        return true;
    }

    bool Fail(const std::string& what) {
        error_ = LineText(line_) + what;
        return false;
    }

    bool Next(LineTokens& tokens, Token& token) {
        const Status read = tokens.Next(token);
        return read.ok() || Fail(read.message);
    }

    static bool IsName(const Token& token) {
        return token.kind == Token::Kind::Word || token.kind == Token::Kind::Quoted;
    }

    bool ReadAttribute(LineTokens& tokens) {
        Token name, type;
        if (!Next(tokens, name)) return false;
        if (!IsName(name)) return Fail(ArffNoNameReason);
        if (table_.columns.size() >= MaxTableColumns)
            return Fail(ArffTooManyAttributesReason(MaxTableColumns));
        for (const DataColumn& column : table_.columns)
            if (column.name == name.text) return Fail(ArffDuplicateAttributeReason(name.text));
        if (!Next(tokens, type)) return false;
        DataColumn column;
        column.name = name.text;
        const std::string kind = AsciiLower(type.text);
        if (type.kind == Token::Kind::Open) {
            column.kind = DataColumn::Kind::Nominal;
            if (!ReadNominalValues(tokens, column)) return false;
        } else if (type.kind == Token::Kind::Word &&
                   (kind == "numeric" || kind == "real" || kind == "integer")) {
            column.kind = DataColumn::Kind::Numeric;
        } else if (type.kind == Token::Kind::Word && (kind == "string" || kind == "date")) {
            column.kind = DataColumn::Kind::Free;
            if (kind == "date") return FinishColumn(std::move(column));  // format text may follow
        } else if (type.kind == Token::Kind::End) {
            return Fail(ArffNoTypeReason(name.text));
        } else {
            return Fail(ArffUnsupportedTypeReason(type.text, name.text));
        }
        Token extra;
        if (!Next(tokens, extra)) return false;
        if (extra.kind != Token::Kind::End) return Fail(ArffExtraTextReason(extra.text));
        return FinishColumn(std::move(column));
    }

    bool FinishColumn(DataColumn column) {
        table_.columns.push_back(std::move(column));
        return true;
    }

    bool ReadNominalValues(LineTokens& tokens, DataColumn& column) {
        for (;;) {
            Token value, after;
            if (!Next(tokens, value)) return false;
            if (value.kind == Token::Kind::Close && column.declared.empty())
                return Fail(ArffEmptyValueListReason(column.name));
            if (!IsName(value)) return Fail(ArffValueExpectedReason(column.name));
            if (std::find(column.declared.begin(), column.declared.end(), value.text) !=
                column.declared.end())
                return Fail(ArffValueTwiceReason(value.text, column.name));
            column.declared.push_back(value.text);
            if (!Next(tokens, after)) return false;
            if (after.kind == Token::Kind::Close) return true;
            if (after.kind != Token::Kind::Comma)
                return Fail(ArffCommaOrCloseExpectedReason(column.name));
        }
    }

    bool ReadRow(std::string_view line) {
        if (TrimBlanks(line).starts_with('{')) return Fail(ArffSparseReason);
        LineTokens tokens(line);
        std::vector<DataCell> cells;
        std::size_t count = 0;  // values on the line; only as many as attributes are kept
        for (;;) {
            DataCell cell;
            if (tokens.AtQuote()) {
                Token quoted;
                if (!Next(tokens, quoted)) return false;
                cell = quoted.text;
                if (!tokens.ValueText().empty()) return Fail(ArffCommaAfterQuoteReason);
            } else {
                std::string text = tokens.ValueText();
                if (text.empty()) return Fail(ArffEmptyValueReason);
                if (text != "?") cell = std::move(text);
            }
            if (cells.size() < table_.columns.size() && !CheckValue(cell, cells.size()))
                return false;
            if (++count <= table_.columns.size()) cells.push_back(std::move(cell));
            Token comma;
            if (!Next(tokens, comma)) return false;
            if (comma.kind == Token::Kind::End) break;
        }
        if (count != table_.columns.size())
            return Fail(ArffValueCountReason(count, table_.columns.size()));
        if (keeper_->Add(std::move(cells))) return true;
        error_ = TooManyRowsMessage();
        return false;
    }

    bool CheckValue(const DataCell& cell, std::size_t index) {
        if (!cell) return true;
        const DataColumn& column = table_.columns[index];
        if (column.kind == DataColumn::Kind::Numeric && !ReadNumberCell(*cell))
            return Fail(ArffNotNumberReason(*cell, column.name));
        if (column.kind == DataColumn::Kind::Nominal &&
            std::find(column.declared.begin(), column.declared.end(), *cell) ==
                column.declared.end())
            return Fail(ArffUndeclaredValueReason(*cell, column.name));
        return true;
    }

    std::string_view text_;
    DataTable& table_;
    std::string& error_;
    std::size_t pos_ = 0;
    int line_ = 0;
    std::optional<RowKeeper> keeper_;
};

}  // namespace

Status ReadArff(std::string_view bytes, DataTable& table, TextEncoding encoding) {
    table = DataTable{};
    const DecodedText decoded = DecodeText(bytes, encoding);
    table.reading.encoding = decoded.encoding;
    table.reading.replacedLines = decoded.replacedLines;
    table.reading.decimal = '.';
    std::string error;
    if (ArffReading(decoded.text(), table, error).Run()) return {};
    table = DataTable{};
    return Status::Refuse(std::move(error));
}
