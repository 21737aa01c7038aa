#include "JsonWriter.h"

#include <cstdio>

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_text += ',';
        m_first.back() = false;
        m_text += '\n';
        m_text.append(m_first.size() * 2, ' ');
    }
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    m_text += bracket;
    m_first.push_back(true);
}

void JsonWriter::Close(char bracket) {
    bool empty = m_first.back();
    m_first.pop_back();
    if (!empty) {
        m_text += '\n';
        m_text.append(m_first.size() * 2, ' ');
    }
    m_text += bracket;
}

void JsonWriter::BeginObject() {
    Open('{');
}

void JsonWriter::EndObject() {
    Close('}');
    if (m_first.empty())
        m_text += '\n';
}

void JsonWriter::BeginArray() {
    Open('[');
}

void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(const std::string& key) {
    BeforeValue();
    m_text += Quote(key);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::String(const std::string& value) {
    BeforeValue();
    m_text += Quote(value);
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    m_text += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_text += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    m_text += "null";
}

void JsonWriter::Member(const std::string& key, const std::string& value) {
    Key(key);
    String(value);
}

void JsonWriter::Member(const std::string& key, long long value) {
    Key(key);
    Int(value);
}

std::string JsonWriter::Quote(const std::string& text) {
    std::string out = "\"";
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        unsigned char c = s[i];
        if (c < 0x80) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        // Copy a well-formed UTF-8 sequence; anything else is replaced.
        size_t len = c >= 0xf0 && c <= 0xf4 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 && c < 0xe0 ? 2 : 0;
        bool ok = len != 0 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k)
            ok = (s[i + k] & 0xc0) == 0x80;
        if (ok && len == 3) {
            unsigned cp = ((c & 0x0f) << 12) | ((s[i + 1] & 0x3f) << 6);
            ok = cp >= 0x800 && (cp < 0xd800 || cp > 0xdfff);
        }
        if (ok && len == 4) {
            unsigned cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3f) << 12);
            ok = cp >= 0x10000 && cp <= 0x10ffff;
        }
        if (ok) {
            out.append(text, i, len);
            i += len;
        } else {
            out += "\xef\xbf\xbd";
            ++i;
        }
    }
    out += '"';
    return out;
}
