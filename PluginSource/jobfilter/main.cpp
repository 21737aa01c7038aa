// The CUPS filter program: PostScript and the job's ticket keys in, the
// printer stream out on standard output.
#include <cstdio>

#include "FilterEntry.h"
#include "FilterGlobals.h"

int main(int argc, char* argv[]) {
    gFilterOut = stdout;
    return JobFilterMain(argc, argv);
}
