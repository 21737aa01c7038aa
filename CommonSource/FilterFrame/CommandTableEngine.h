// Table-driven PJL command engine: every PJL line the filter writes is a table
// entry (format, parameter list, condition list) expanded here.
#pragma once

#include <cstdint>

// Work buffers of one line; a line holds at most kCmdLineMax bytes.
constexpr int kCmdBufferSize = 230;
constexpr int kCmdLineMax = kCmdBufferSize - 1;
// Formats are at most this long, terminator included.
constexpr int kCmdFormatSize = 240;

// Character constants the tables pass to "%c".
extern const char CTRLSym_ESC;
extern const char CTRLSym_PERCENTAGE;
extern const char CTRLSym_CR;
extern const char CTRLSym_LF;
extern const char CTRLSym_DOUBLE;

// The empty text, right-hand side of the text compares.
extern const char OptionNULLStr[];

// Integer codes the conditions compare against: kpjlCode(n) is the address
// of a constant n, for 0 <= n <= 8.
extern const int32_t kpjlCodeTable[9];
#define kpjlCode(n) (&kpjlCodeTable[(n)])

// Values for the placeholders of a format, in order.
struct CmdParaTable {
    int32_t count;
    const void* const* params;
};

using CompareFunc = int (*)(const void* left, const void* right);

struct ComparationItem {
    const void* left;
    const void* right;
    CompareFunc compare;
};

// All items must hold; a list with count 0 holds.
struct ComparationTable {
    int32_t count;
    const ComparationItem* items;
};

struct KPJLCommandEntry {
    const char* format;
    const CmdParaTable* params;         // none: the format has no placeholder
    const ComparationTable* conditions; // none: always written
};

enum CtrlSymKind : int32_t { kCtrlSymInteger = 0, kCtrlSymChar = 1, kCtrlSymString = 2 };

struct CtrlSymEntry {
    char name[3];
    int32_t kind;
};
extern const CtrlSymEntry ctrlSymTalbe[3];

// Fill a list header once at start-up.
void InitializeCmdParaTable(CmdParaTable* list, int32_t count, const void* const* array);
void InitializeComparationTable(ComparationTable* list, int32_t count,
                                const ComparationItem* array);

int IntCampareFunc(const void* left, const void* right);
int IntNoEqualCampareFunc(const void* left, const void* right);
int StrNoNULLCampareFunc(const void* left, const void* right);
int StrIsNULLCampareFunc(const void* left, const void* right);

// 1 when every item of the list holds (items evaluated in order, stopping at
// the first false one).
int ConditionCompare(const ComparationTable* list);

// Position of the next "%d", "%c" or "%s" at or after text, or nullptr.
const char* GetNextCtrlSym(const char* text);

// Expands one value for the symbol ("%d", "%c", "%s") into expansion (a
// kCmdBufferSize buffer). Returns its length, 0 for an unrecognised symbol or
// an empty text, -1 when the expansion does not fit. Text values have every
// byte below 0x20 and every double quote replaced by "_", so a value can never
// end the PJL line or its quoted string.
int getCtrlSym(const char* sym, const void* value, char* expansion);

// Expands the format with its parameters into output (kCmdBufferSize bytes).
// Returns the length of the line, or -1 when the line must not be written: a
// placeholder expands to nothing, has no parameter, or the line would not fit.
int BuildPrintComand(const char* format, const CmdParaTable* params, char* output);

// Wiring helpers: fill a header from a static array, count taken from it.
template <int32_t N> void WireParams(CmdParaTable& list, const void* const (&array)[N]) {
    InitializeCmdParaTable(&list, N, array);
}
template <int32_t N>
void WireConditions(ComparationTable& list, const ComparationItem (&array)[N]) {
    InitializeComparationTable(&list, N, array);
}

// Condition items over option-record fields.
#define CondIntIs(field, n)                                                                        \
    ComparationItem {                                                                              \
        &(field), kpjlCode(n), IntCampareFunc                                                      \
    }
#define CondIntIsNot(field, n)                                                                     \
    ComparationItem {                                                                              \
        &(field), kpjlCode(n), IntNoEqualCampareFunc                                               \
    }
#define CondStrSet(field)                                                                          \
    ComparationItem {                                                                              \
        (field), OptionNULLStr, StrNoNULLCampareFunc                                               \
    }
#define CondStrEmpty(field)                                                                        \
    ComparationItem {                                                                              \
        (field), OptionNULLStr, StrIsNULLCampareFunc                                               \
    }

// Writes every entry whose conditions hold, in table order, to gFilterOut.
int OutputKPJLCommandFromArray(char* const argv[], const KPJLCommandEntry* table, int count);
