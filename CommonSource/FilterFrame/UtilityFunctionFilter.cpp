#include "UtilityFunctionFilter.h"

#include <cstdlib>
#include <cstring>
#include <vector>

const ValidateRangeTable kPrintableLatin1Table = {1, {{0x20, 0xFE}}, 0, {}};

int GetTicketFromOptions(int num_options, cups_option_t* options, const TicketTableEntry* table,
                         int count) {
    for (int i = 0; i < count; ++i)
        table[i].reader(table[i].key, num_options, options, table[i].dest, table[i].size);
    return 1;
}

int GetTicketFromArray(char* const argv[], const TicketTableEntry* table, int count) {
    cups_option_t* options = nullptr;
    int num_options = cupsParseOptions(argv[5], 0, &options);
    GetTicketFromOptions(num_options, options, table, count);
    cupsFreeOptions(num_options, options);
    return 1;
}

int GetTicketInteger(const char* key, int num_options, cups_option_t* options, void* dest, int) {
    const char* value = cupsGetOption(key, num_options, options);
    int32_t result = -1;
    if (value) {
        // atoi without its undefined overflow: the leading integer, cut to 32 bits.
        long long v = std::strtoll(value, nullptr, 10);
        result = static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(v)));
    }
    std::memcpy(dest, &result, sizeof result);
    return value ? 1 : 0;
}

int GetTicketFloat(const char* key, int num_options, cups_option_t* options, void* dest, int) {
    const char* value = cupsGetOption(key, num_options, options);
    float result = value ? static_cast<float>(std::atof(value)) : -1.0f;
    std::memcpy(dest, &result, sizeof result);
    return value ? 1 : 0;
}

int CheckTicketKey(const char* key, int num_options, cups_option_t* options, void* dest, int) {
    int32_t result = cupsGetOption(key, num_options, options) ? 0 : 1;
    std::memcpy(dest, &result, sizeof result);
    return 1;
}

int GetTicketString(const char* key, int num_options, cups_option_t* options, void* dest,
                    int size) {
    char* text = static_cast<char*>(dest);
    std::memset(text, 0, static_cast<size_t>(size));
    const char* value = cupsGetOption(key, num_options, options);
    if (!value)
        return 0;
    ConvertUTF8ToEncoding(value, text, size);
    return 1;
}

int GetTicketStringConvertedToPrtLang(const char* key, int num_options, cups_option_t* options,
                                      void* dest, int size) {
    char* text = static_cast<char*>(dest);
    std::memset(text, 0, static_cast<size_t>(size));
    const char* value = cupsGetOption(key, num_options, options);
    if (!value)
        return 0;
    // Decode the whole value first; only its Latin-1 result has to fit.
    size_t length = std::strlen(value);
    std::vector<char> decoded(value, value + length + 1);
    numstrtochar(decoded.data(), static_cast<int>(decoded.size()));
    ConvertUTF8ToEncoding(decoded.data(), text, size);
    return 1;
}

int GetNumberUpTicketString(const char* key, int num_options, cups_option_t* options, void* dest,
                            int size) {
    char* text = static_cast<char*>(dest);
    std::memset(text, 0, static_cast<size_t>(size));
    if (size < 2)
        return 1;
    const char* value = cupsGetOption(key, num_options, options);
    if (!value) {
        text[0] = '1';
        return 1;
    }
    text[0] = 'N';
    if (ConvertUTF8ToEncoding(value, text + 1, size - 1) == 0 && value[0] != '\0')
        std::memset(text, 0, static_cast<size_t>(size)); // does not fit: no n-up string
    return 1;
}

void numstrtochar(char* text, int size) {
    if (!text || size <= 0 || text[0] != '/')
        return;
    int len = static_cast<int>(strnlen(text, static_cast<size_t>(size)));
    if (len >= size)
        return; // not terminated within its buffer: leave it alone
    int p = 1;
    int w = 0;
    while (p < len) {
        int e = p;
        while (e < len && text[e] != '/')
            ++e;
        text[e] = '\0';
        long long v = 0;
        bool any = false;
        const char* s = text + p;
        bool negative = false;
        if (*s == '-' || *s == '+') {
            negative = *s == '-';
            ++s;
        }
        for (; *s >= '0' && *s <= '9'; ++s) {
            any = true;
            if (v < 100000)
                v = v * 10 + (*s - '0');
        }
        if (negative)
            v = -v;
        // Bytes 1..255 are kept; anything else (empty token included) ends the text.
        text[w] =
            (any && v >= 1 && v <= 255) ? static_cast<char>(static_cast<unsigned char>(v)) : '\0';
        text[w + 1] = '\0';
        w += 1;
        p = e + 1;
    }
}

int ConvertUTF8ToEncoding(const char* source, char* dest, int size) {
    if (!dest || size <= 0)
        return 0;
    std::memset(dest, 0, static_cast<size_t>(size));
    if (!source)
        return 0;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(source);
    int w = 0;
    while (*s) {
        unsigned int c;
        if (s[0] < 0x80) {
            c = s[0];
            s += 1;
        } else if (s[0] == 0xC2 || s[0] == 0xC3) {
            // Latin-1 reaches only U+0080..U+00FF, which UTF-8 writes as C2/C3 xx.
            if ((s[1] & 0xC0) != 0x80)
                goto fail;
            c = ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
            s += 2;
        } else {
            goto fail; // invalid UTF-8 or a character outside Latin-1
        }
        if (w >= size - 1)
            goto fail;
        dest[w++] = static_cast<char>(c);
    }
    return w;
fail:
    std::memset(dest, 0, static_cast<size_t>(size));
    return 0;
}

int ValidateDada(const char* text, const ValidateRangeTable* table) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    while (*s) {
        if (table->doubleCount > 0 && s[1] != 0) {
            int32_t pair = (s[0] << 8) | s[1];
            bool found = false;
            for (int i = 0; i < table->doubleCount && i < 10; ++i)
                if (pair >= table->doubleByte[i].low && pair <= table->doubleByte[i].high)
                    found = true;
            if (found) {
                s += 2;
                continue;
            }
        }
        bool found = false;
        for (int i = 0; i < table->singleCount && i < 10; ++i)
            if (*s >= table->single[i].low && *s <= table->single[i].high)
                found = true;
        if (!found)
            return 0;
        s += 1;
    }
    return 1;
}

int IsAllSpace(const char* text) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    while (*s) {
        if (s[0] == 0x20) {
            s += 1;
        } else if (s[0] == 0x81 && s[1] == 0x40) {
            s += 2;
        } else {
            return 0;
        }
    }
    return 1;
}
