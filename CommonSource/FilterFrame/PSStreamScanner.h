// The PostScript stream scanner: copies the document line by line and fires
// the injection points at their trigger lines.
#pragma once

#include <cstdint>
#include <cstdio>

// Lines are looked at in pieces of at most this many bytes; a longer physical
// line is written in pieces of exactly this size and its remainder scanned as
// a new line.
constexpr int kPSLinePieceSize = 8065;

using PSInjectionFunc = void (*)(int pointCode, int pageCounter);

// Which trigger lines the scanner looks for: the page procedures of the
// original platform's generator ("bp", "ep", "endp"), or what CUPS's pstops
// writes around sheets and n-up cells (see PSInjectionPoints.h).
enum class PSPageHooks { Generator, Cups };

// Number of page-end lines seen so far in the job.
extern int32_t PSPageCounter;

// Size of the blocks the document is read in.
constexpr size_t kPSBlockSize = 128 * 1024;

// The job's document: standard input with six arguments, else the file named
// by argument 6. It is opened and its first block read before the filter
// writes anything, so a document that cannot be read costs no half job.
struct PSDocument {
    int fd = -1;
    bool ownsFd = false;
    char* firstBlock = nullptr; // kPSBlockSize bytes
    size_t firstLength = 0;
    ~PSDocument();
};

// 0 when the document is open and its first block read; else the errno value
// (the message names argument 6 or standard input).
int OpenPSDocument(int argc, char* const argv[], PSDocument* document);

// Copies everything readable from fd to out (starting with the firstLength
// bytes already read into `first`, a kPSBlockSize buffer reused for the later
// reads), calls inject at each injection point, and ends with
// the Control-D byte. Returns 0, or the errno value of a failed read.
int ScanPSStream(int fd, FILE* out, PSInjectionFunc inject, int32_t* pageCounter,
                 char* first = nullptr, size_t firstLength = 0,
                 PSPageHooks hooks = PSPageHooks::Generator);

// Copies the opened document to gFilterOut; 0, or the errno value of a read
// that failed.
int OutputPSStream(PSDocument& document, PSPageHooks hooks);
