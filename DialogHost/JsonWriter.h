// A small JSON writer for the dialog's report (--emit json): objects keep the
// order in which members are written.
#pragma once

#include <string>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(const std::string& key);
    void String(const std::string& value);
    void Int(long long value);
    void Bool(bool value);
    void Null();
    // Key followed by a value.
    void Member(const std::string& key, const std::string& value);
    void Member(const std::string& key, long long value);

    const std::string& Text() const { return m_text; }

    // JSON string literal of UTF-8 text; invalid bytes become U+FFFD.
    static std::string Quote(const std::string& text);

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    std::string m_text;
    std::vector<bool> m_first; // per open container: nothing written yet
    bool m_afterKey = false;
};
