#include "FilterGlobals.h"

char StdUserName[256];
char StdDocumentName[256];
char PTStdDocumentName[256];
char IPAddressStr[46];

char NumberUpString[256];
char NumberUpPlainString[256];
char LayoutDirectionString[256];
char LayoutRowsString[256];
char LayoutColumnsString[256];

FILE* gFilterOut = stdout;
