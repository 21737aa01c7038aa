// Ticket readers, escaped-text decoding, Latin-1 conversion and text
// validation of the filter. Every reader clears its text destination before it
// looks the key up, so a missing key or a failed conversion leaves "".
#pragma once

#include <cstdint>

#include <cups/cups.h>

// Prefix of the driver's own ticket keys.
#define KTICKET_PREFIX "com.kestrane.mtz.printsettings."
#define KTICKET(name) KTICKET_PREFIX name

// A reader stores the option `key` of `options` into `dest` (`size` bytes for
// text, 4 for numbers). Returns 1 when the key is present, 0 when absent,
// except where a reader says otherwise.
using TicketReaderFunc = int (*)(const char* key, int num_options, cups_option_t* options,
                                 void* dest, int size);

struct TicketTableEntry {
    const char* key;
    void* dest;
    int32_t size;
    TicketReaderFunc reader;
};

// Parses argv[5] as CUPS options and runs every entry's reader in table order.
// Returns 1.
int GetTicketFromArray(char* const argv[], const TicketTableEntry* table, int count);
// Same over an already parsed option list.
int GetTicketFromOptions(int num_options, cups_option_t* options, const TicketTableEntry* table,
                         int count);

// Leading decimal integer of the text (as atoi); -1 when absent.
int GetTicketInteger(const char* key, int num_options, cups_option_t* options, void* dest,
                     int size);
// Value of the text as atof, stored as float; -1.0 when absent.
int GetTicketFloat(const char* key, int num_options, cups_option_t* options, void* dest, int size);
// Stores 0 when the key is present, 1 when absent; always returns 1.
int CheckTicketKey(const char* key, int num_options, cups_option_t* options, void* dest, int size);
// Text converted from UTF-8 to Latin-1; "" when absent.
int GetTicketString(const char* key, int num_options, cups_option_t* options, void* dest, int size);
// Text decoded from the escaped ticket string form, then converted to Latin-1.
// The value is decoded in full first; only the Latin-1 result must fit.
int GetTicketStringConvertedToPrtLang(const char* key, int num_options, cups_option_t* options,
                                      void* dest, int size);
// "N" followed by the text in Latin-1 when present, "1" when absent; always
// returns 1. A value that does not fit leaves "".
int GetNumberUpTicketString(const char* key, int num_options, cups_option_t* options, void* dest,
                            int size);

// Decodes "/72/105" into "Hi" in place; text not starting with "/" is left
// alone. A token outside 1..255 (empty, negative, 0, >255) ends the text.
void numstrtochar(char* text, int size);

// UTF-8 to ISO Latin-1 into dest (at most size-1 bytes plus terminator).
// Returns the length of the result; 0 and an empty dest when the source is not
// valid UTF-8, has a character outside Latin-1, or does not fit.
int ConvertUTF8ToEncoding(const char* source, char* dest, int size);

// Byte ranges a text may consist of: up to 10 single-byte ranges and up to 10
// double-byte ranges (big-endian pair values), bounds inclusive.
struct ValidateRange {
    int32_t low;
    int32_t high;
};
struct ValidateRangeTable {
    int32_t singleCount;
    ValidateRange single[10];
    int32_t doubleCount;
    ValidateRange doubleByte[10];
};
// 1 when every byte (or byte pair) of the text lies in the table's ranges; an
// empty text is valid.
int ValidateDada(const char* text, const ValidateRangeTable* table);
// 1 when every byte is 0x20 or part of the double-byte blank 0x81 0x40; an
// empty text counts as all blank.
int IsAllSpace(const char* text);

// The one range in use for user and document names: 0x20..0xFE.
extern const ValidateRangeTable kPrintableLatin1Table;
