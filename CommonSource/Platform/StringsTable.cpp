#include "StringsTable.h"

#include "Utf8Codec.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

// Appends one UTF-16 code unit; `high` holds a pending high surrogate (0 when
// none) so that a pair joins into one character. A lone surrogate is dropped.
void AppendUtf16Unit(std::string& out, std::uint32_t& high, std::uint32_t unit) {
    if (unit >= 0xD800 && unit < 0xDC00) {
        high = unit;
        return;
    }
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (high)
            AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
    } else {
        AppendUtf8(out, unit);
    }
    high = 0;
}

// Tables are often saved as UTF-16 with a byte-order mark; everything else is
// taken as UTF-8.
std::string ToUtf8(const std::string& raw) {
    if (raw.size() >= 2) {
        const auto b0 = static_cast<unsigned char>(raw[0]);
        const auto b1 = static_cast<unsigned char>(raw[1]);
        const bool le = b0 == 0xFF && b1 == 0xFE;
        const bool be = b0 == 0xFE && b1 == 0xFF;
        if (le || be) {
            std::string out;
            std::uint32_t high = 0;
            for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
                const auto lo = static_cast<unsigned char>(raw[i + (le ? 0 : 1)]);
                const auto hi = static_cast<unsigned char>(raw[i + (le ? 1 : 0)]);
                AppendUtf16Unit(out, high, (static_cast<std::uint32_t>(hi) << 8) | lo);
            }
            return out;
        }
    }
    if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return raw.substr(3);
    return raw;
}

class Parser {
public:
    explicit Parser(const std::string& text) : m_s(text) {}

    // Skips blanks and comments; false on an unterminated comment.
    bool SkipSpace() {
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++m_pos;
            } else if (m_s.compare(m_pos, 2, "/*") == 0) {
                const std::size_t end = m_s.find("*/", m_pos + 2);
                if (end == std::string::npos)
                    return false;
                m_pos = end + 2;
            } else if (m_s.compare(m_pos, 2, "//") == 0) {
                const std::size_t end = m_s.find('\n', m_pos);
                m_pos = end == std::string::npos ? m_s.size() : end + 1;
            } else {
                break;
            }
        }
        return true;
    }

    bool AtEnd() const { return m_pos >= m_s.size(); }
    bool Take(char c) {
        if (m_pos < m_s.size() && m_s[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    // A quoted string with escapes, or a bare word of letters, digits and _.-$
    bool Token(std::string& out) {
        out.clear();
        if (Take('"'))
            return Quoted(out);
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '-' ||
                              c == '$';
            if (!word)
                break;
            out += c;
            ++m_pos;
        }
        return !out.empty();
    }

private:
    bool Hex(std::size_t digits, std::uint32_t& value) {
        value = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            if (m_pos >= m_s.size())
                return false;
            const char c = m_s[m_pos++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    bool Quoted(std::string& out) {
        std::uint32_t high = 0; // pending high surrogate of a \U pair
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_s.size())
                return false;
            const char e = m_s[m_pos++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'U':
            case 'u': {
                std::uint32_t cp = 0;
                if (!Hex(4, cp))
                    return false;
                // The pending surrogate must outlive this escape.
                AppendUtf16Unit(out, high, cp);
                continue;
            }
            default: // \" \\ \' and any other character stand for themselves
                out += e;
                break;
            }
            high = 0;
        }
        return false;
    }

    const std::string& m_s;
    std::size_t m_pos = 0;
};

} // namespace

bool StringsTable::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(ToUtf8(raw));
}

bool StringsTable::Parse(const std::string& text) {
    Parser p(text);
    std::string key;
    std::string value;
    for (;;) {
        if (!p.SkipSpace())
            return false;
        if (p.AtEnd())
            return true;
        if (!p.Token(key) || !p.SkipSpace())
            return false;
        if (p.Take(';')) { // "key"; maps the key to itself
            m_entries[key] = key;
            continue;
        }
        if (!p.Take('=') || !p.SkipSpace() || !p.Token(value) || !p.SkipSpace() || !p.Take(';'))
            return false;
        m_entries[key] = value;
    }
}

std::optional<std::string> StringsTable::Lookup(const std::string& key) const {
    auto it = m_entries.find(key);
    if (it == m_entries.end())
        return std::nullopt;
    return it->second;
}
