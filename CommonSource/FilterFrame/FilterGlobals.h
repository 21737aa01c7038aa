// Job-wide state of the filter: fixed, zero-initialised, NUL-terminated Latin-1
// buffers that live for the whole process, and the output stream.
#pragma once

#include <cstdio>

extern char StdUserName[256];
extern char StdDocumentName[256];
extern char PTStdDocumentName[256];
extern char IPAddressStr[46];

// Layout strings as read from the ticket: "number-up" in its two forms (the
// n-up attribute's "N<n>" and the plain number), layout direction, rows and
// columns.
extern char NumberUpString[256];
extern char NumberUpPlainString[256];
extern char LayoutDirectionString[256];
extern char LayoutRowsString[256];
extern char LayoutColumnsString[256];

// Where the printer stream goes: standard output in the program, a file or
// memory stream when tests run the filter in-process.
extern FILE* gFilterOut;
