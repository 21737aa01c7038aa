// String-object forms of the resource names and string copies, for the
// widget code.
#pragma once

#include <QString>

namespace KESTRANE_NS {

// GetAppResourceName as a string object; empty for a null value or a part
// other than 0 or 1.
QString GetAppResourceNameNS(const char* value, int part);

// A copy through a 256-byte UTF-8 buffer: at most 255 bytes survive, cut
// at a whole character.
QString NSStringCreateWithCFString(const QString& string);

} // namespace KESTRANE_NS
