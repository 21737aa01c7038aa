#include "CommandTableEngine.h"

#include <cstdio>
#include <cstring>

#include "FilterGlobals.h"

const char CTRLSym_ESC = 0x1B;
const char CTRLSym_PERCENTAGE = 0x25;
const char CTRLSym_CR = 0x0D;
const char CTRLSym_LF = 0x0A;
const char CTRLSym_DOUBLE = 0x22;

const char OptionNULLStr[] = "";

const int32_t kpjlCodeTable[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};

const CtrlSymEntry ctrlSymTalbe[3] = {
    {"%d", kCtrlSymInteger},
    {"%c", kCtrlSymChar},
    {"%s", kCtrlSymString},
};

void InitializeCmdParaTable(CmdParaTable* list, int32_t count, const void* const* array) {
    list->count = count;
    list->params = array;
}

void InitializeComparationTable(ComparationTable* list, int32_t count,
                                const ComparationItem* array) {
    list->count = count;
    list->items = array;
}

static int32_t ReadInt(const void* p) {
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

int IntCampareFunc(const void* left, const void* right) {
    return ReadInt(left) == ReadInt(right) ? 1 : 0;
}

int IntNoEqualCampareFunc(const void* left, const void* right) {
    return ReadInt(left) != ReadInt(right) ? 1 : 0;
}

int StrNoNULLCampareFunc(const void* left, const void*) {
    return static_cast<const char*>(left)[0] != '\0' ? 1 : 0;
}

int StrIsNULLCampareFunc(const void* left, const void*) {
    return static_cast<const char*>(left)[0] == '\0' ? 1 : 0;
}

int ConditionCompare(const ComparationTable* list) {
    int result = 1;
    for (int32_t i = 0; i < list->count; ++i) {
        const ComparationItem& item = list->items[i];
        result = item.compare(item.left, item.right);
        if (!result)
            break;
    }
    return result;
}

static const CtrlSymEntry* FindCtrlSym(const char* p) {
    if (p[0] != '%')
        return nullptr;
    for (const CtrlSymEntry& entry : ctrlSymTalbe)
        if (p[1] == entry.name[1])
            return &entry;
    return nullptr;
}

const char* GetNextCtrlSym(const char* text) {
    for (const char* p = text; *p; ++p)
        if (FindCtrlSym(p))
            return p;
    return nullptr;
}

int getCtrlSym(const char* sym, const void* value, char* expansion) {
    std::memset(expansion, 0, kCmdBufferSize);
    const CtrlSymEntry* entry = FindCtrlSym(sym);
    if (!entry || !value)
        return 0;
    switch (entry->kind) {
    case kCtrlSymInteger:
        return std::snprintf(expansion, kCmdBufferSize, "%d", ReadInt(value));
    case kCtrlSymChar:
        expansion[0] = *static_cast<const char*>(value);
        return 1;
    case kCtrlSymString: {
        const unsigned char* text = static_cast<const unsigned char*>(value);
        int length = 0;
        for (; text[length]; ++length) {
            if (length >= kCmdLineMax)
                return -1;
            unsigned char c = text[length];
            expansion[length] = (c < 0x20 || c == 0x22) ? '_' : static_cast<char>(c);
        }
        return length;
    }
    default:
        return 0;
    }
}

int BuildPrintComand(const char* format, const CmdParaTable* params, char* output) {
    char work[kCmdFormatSize] = {};
    char expansion[kCmdBufferSize] = {};
    std::memset(output, 0, kCmdBufferSize);
    std::strncpy(work, format, sizeof work - 1);

    int length = 0;
    int index = 0;
    const char* q = work;
    auto append = [&](const char* bytes, int count) {
        if (length + count > kCmdLineMax)
            return false;
        std::memcpy(output + length, bytes, static_cast<size_t>(count));
        length += count;
        return true;
    };
    while (*q) {
        const char* sym = GetNextCtrlSym(q);
        if (!sym) {
            if (!append(q, static_cast<int>(std::strlen(q))))
                return -1;
            break;
        }
        if (!params || index >= params->count)
            return -1; // a placeholder without a value
        int expanded = getCtrlSym(sym, params->params[index], expansion);
        // An empty or oversized value drops the whole line rather than leave
        // half a command without its line end on the wire.
        if (expanded <= 0)
            return -1;
        if (!append(q, static_cast<int>(sym - q)) || !append(expansion, expanded))
            return -1;
        ++index;
        q = sym + 2;
    }
    return length;
}

int OutputKPJLCommandFromArray(char* const[], const KPJLCommandEntry* table, int count) {
    char line[kCmdBufferSize];
    for (int i = 0; i < count; ++i) {
        const KPJLCommandEntry& entry = table[i];
        if (entry.conditions && !ConditionCompare(entry.conditions))
            continue;
        int length = BuildPrintComand(entry.format, entry.params, line);
        if (length > 0)
            std::fwrite(line, 1, static_cast<size_t>(length), gFilterOut);
    }
    return 1;
}
