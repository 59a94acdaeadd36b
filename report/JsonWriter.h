// A small writer of JSON text: objects, arrays, strings, numbers, booleans and null, indented
// by two spaces per level, in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qn {

class JsonWriter {
public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The name of the next member of the current object.
    void Key(std::string_view name);

    void String(const std::wstring& text);
    void String(const wchar_t* text) { String(std::wstring(text)); }
    void String(std::string_view ascii) { String(std::wstring(ascii.begin(), ascii.end())); }
    void String(const std::optional<std::wstring>& text);  // null when none
    void Number(long long value);
    void Bool(bool value);
    void Null();

    // A member of the current object: its name, then its value.
    template <typename Value>
    void Member(std::string_view name, const Value& value) {
        Key(name);
        String(value);
    }
    void Member(std::string_view name, bool value) {
        Key(name);
        Bool(value);
    }
    void NumberMember(std::string_view name, long long value) {
        Key(name);
        Number(value);
    }

    // The text written so far; complete once every object and array is closed.
    const std::string& Text() const { return out_; }

private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void NewLine();

    std::string out_;
    std::vector<bool> empty_;  // per open object or array: nothing in it yet
    bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included, in UTF-8.
std::string JsonQuoted(const std::wstring& text);

}  // namespace qn
