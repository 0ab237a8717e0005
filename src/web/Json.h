// A small JSON writer for the answers the browser build gives its page:
// objects, arrays, strings, numbers and booleans, written in one pass.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx::web {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the open object.
    JsonWriter& Key(std::string_view key);

    JsonWriter& String(std::string_view text);
    JsonWriter& Int(int64_t value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // A member of the open object in one call.
    template <class T>
    JsonWriter& Field(std::string_view key, const T& value) {
        Key(key);
        return Value(value);
    }

    // The text written so far; the writer is empty afterwards.
    std::string Take();

  private:
    JsonWriter& Value(std::string_view text) { return String(text); }
    JsonWriter& Value(const std::string& text) { return String(text); }
    JsonWriter& Value(const char* text) { return String(text); }
    JsonWriter& Value(bool value) { return Bool(value); }
    JsonWriter& Value(int value) { return Int(value); }
    JsonWriter& Value(int64_t value) { return Int(value); }
    JsonWriter& Value(double value) { return Number(value); }

    // Writes the comma between two items of the open container.
    void BeforeItem();

    std::string out_;
    // Per open container: whether it holds an item already.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

// The text as a JSON string, quotes included. Bytes that are not UTF-8
// become U+FFFD, so the page always receives valid text.
std::string JsonString(std::string_view text);

}  // namespace vx::web
