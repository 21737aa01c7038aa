// Forming the text a control stores under its ticket key, and reading it back.
#pragma once

#include <string>

namespace KESTRANE_NS {

// The escaped ticket string where the text could upset the job-options
// syntax ("a,b" -> "/97/44/98"), the text itself otherwise.
std::string FormTicketString(const std::string& text);

// The text a control wrote with FormTicketString, decoded again. Only
// escaped texts begin with "/", so any other text is returned as it is.
std::string ReadTicketString(const std::string& stored);

// Scrambled and Base64-encoded form of a password (empty stays empty).
// Returns false when the scrambled form does not fit the 255-byte buffers;
// the caller then stores nothing.
bool FormProtectedTicketString(const std::string& text, std::string& out);

} // namespace KESTRANE_NS
