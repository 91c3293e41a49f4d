// JSON reader.
#include "Json.h"

#include <cstdlib>
#include <stdexcept>

namespace {

class CParser {
public:
    explicit CParser(const std::string& source) : text(source) {}

    bool Document(JsonValue& value)
    {
        if (!Value(value)) {
            return false;
        }
        Skip();
        return at == text.size();
    }

private:
    void Skip()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
            ++at;
        }
    }

    bool Literal(const char* word)
    {
        const std::string expected(word);
        if (text.compare(at, expected.size(), expected) != 0) {
            return false;
        }
        at += expected.size();
        return true;
    }

    bool String(std::string& out)
    {
        if (at >= text.size() || text[at] != '"') {
            return false;
        }
        ++at;
        while (at < text.size() && text[at] != '"') {
            char c = text[at++];
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c == '\\') {
                if (at >= text.size()) {
                    return false;
                }
                const char escape = text[at++];
                switch (escape) {
                case 'n': c = '\n'; break;
                case 't': c = '\t'; break;
                case 'r': c = '\r'; break;
                case 'b': c = '\b'; break;
                case 'f': c = '\f'; break;
                case 'u':
                    if (at + 4 > text.size()) {
                        return false;
                    }
                    c = static_cast<char>(std::strtol(text.substr(at, 4).c_str(), nullptr, 16));
                    at += 4;
                    break;
                default: c = escape; break;
                }
            }
            out += c;
        }
        if (at >= text.size()) {
            return false;
        }
        ++at;
        return true;
    }

    bool Value(JsonValue& value)
    {
        Skip();
        if (at >= text.size()) {
            return false;
        }
        const char c = text[at];
        if (c == '{') {
            ++at;
            value.kind = JsonValue::Kind::Object;
            Skip();
            if (at < text.size() && text[at] == '}') {
                ++at;
                return true;
            }
            for (;;) {
                Skip();
                std::string key;
                if (!String(key)) {
                    return false;
                }
                Skip();
                if (at >= text.size() || text[at++] != ':') {
                    return false;
                }
                if (!Value(value.fields[key])) {
                    return false;
                }
                Skip();
                if (at < text.size() && text[at] == ',') {
                    ++at;
                    continue;
                }
                if (at < text.size() && text[at] == '}') {
                    ++at;
                    return true;
                }
                return false;
            }
        }
        if (c == '[') {
            ++at;
            value.kind = JsonValue::Kind::Array;
            Skip();
            if (at < text.size() && text[at] == ']') {
                ++at;
                return true;
            }
            for (;;) {
                value.items.emplace_back();
                if (!Value(value.items.back())) {
                    return false;
                }
                Skip();
                if (at < text.size() && text[at] == ',') {
                    ++at;
                    continue;
                }
                if (at < text.size() && text[at] == ']') {
                    ++at;
                    return true;
                }
                return false;
            }
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return String(value.text);
        }
        if (Literal("true") || Literal("false")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = text[at - 1] == 'e' && text[at - 2] == 'u';
            return true;
        }
        if (Literal("null")) {
            value.kind = JsonValue::Kind::Null;
            return true;
        }
        const char* start = text.c_str() + at;
        char* end = nullptr;
        value.number = std::strtod(start, &end);
        if (end == start) {
            return false;
        }
        value.kind = JsonValue::Kind::Number;
        at += static_cast<std::size_t>(end - start);
        return true;
    }

    const std::string& text;
    std::size_t at = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    const auto found = fields.find(key);
    if (found == fields.end()) {
        throw std::out_of_range("no field \"" + key + "\"");
    }
    return found->second;
}

bool ParseJson(const std::string& text, JsonValue& value)
{
    value = JsonValue();
    return CParser(text).Document(value);
}
