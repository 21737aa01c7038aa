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

// Number of page-end lines seen so far in the job.
extern int32_t PSPageCounter;

// Copies everything readable from fd to out, calls inject at each injection
// point, and ends with the Control-D byte.
void ScanPSStream(int fd, FILE* out, PSInjectionFunc inject, int32_t* pageCounter);

// The document is standard input with six arguments, else the file named by
// argument 6; a file that cannot be opened writes nothing at all.
int OutputPSStream(int argc, char* const argv[]);
