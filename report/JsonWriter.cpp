#include "report/JsonWriter.h"

#include "platform/Utf8.h"

namespace qn {

std::string JsonQuoted(const std::wstring& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : ToUtf8(text)) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\b': quoted += "\\b"; break;
            case '\f': quoted += "\\f"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    quoted += "\\u00";
                    quoted += kHex[(c >> 4) & 0xF];
                    quoted += kHex[c & 0xF];
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

void JsonWriter::NewLine() {
    out_ += '\n';
    out_.append(empty_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (empty_.empty()) return;
    if (!empty_.back()) out_ += ',';
    empty_.back() = false;
    NewLine();
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    out_ += JsonQuoted(std::wstring(name.begin(), name.end()));
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    empty_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    const bool wasEmpty = empty_.back();
    empty_.pop_back();
    if (!wasEmpty) NewLine();
    out_ += bracket;
    if (empty_.empty()) out_ += '\n';
}

void JsonWriter::String(const std::wstring& text) {
    BeforeValue();
    out_ += JsonQuoted(text);
}

void JsonWriter::String(const std::optional<std::wstring>& text) {
    if (text) String(*text);
    else Null();
}

void JsonWriter::Number(long long value) {
    BeforeValue();
    // By hand: the C++ library's formatter would add much to a static build, and the window
    // system's knows no 64-bit numbers on older Windows.
    const bool negative = value < 0;
    unsigned long long rest = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    if (negative) out_ += '-';
    while (count > 0) out_ += digits[--count];
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

}  // namespace qn
