// A small JSON reader for the end-to-end tests, enough to read the host's trace lines.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> fields;

    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](std::size_t index) const { return items.at(index); }
    bool IsNull() const { return kind == Kind::Null; }
};

// Parses one JSON text; false when it is not exactly one valid value.
bool ParseJson(const std::string& text, JsonValue& value);
