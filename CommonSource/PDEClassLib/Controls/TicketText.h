// Forming the text a control stores under its ticket key.
#pragma once

#include <string>

namespace KESTRANE_NS {

// A value that begins with "/" or holds an apostrophe, a comma or a backslash
// would upset the job-options syntax the ticket travels in.
bool IsTicketStringNeedEscape(const std::string& text);

// "/" followed by the decimal value of each UTF-8 byte: "a,b" -> "/97/44/98".
std::string EscapeTicketString(const std::string& text);

// The escaped form where needed, the text itself otherwise.
std::string FormTicketString(const std::string& text);

// Scrambled and Base64-encoded form of a password (empty stays empty).
// Returns false when the scrambled form does not fit the 255-byte buffers;
// the caller then stores nothing.
bool FormProtectedTicketString(const std::string& text, std::string& out);

} // namespace KESTRANE_NS
