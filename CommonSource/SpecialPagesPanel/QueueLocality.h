// Whether a CUPS queue runs its filters on this host: only then does the job
// ticket file in the local spool directory reach the filter.
#pragma once

#include <string>

namespace KESTRANE_NS {

enum class QueueLocation { Local, Remote, Unknown };

// Remote when the scheduler the dialog talks to is on another host, or when
// the queue is one that the local scheduler forwards to another (the
// printer-type remote bit). Unknown when the queue cannot be looked up.
QueueLocation LocateQueue(const std::string& queue);

} // namespace KESTRANE_NS
