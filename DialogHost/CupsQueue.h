// The CUPS side of the dialog: the destinations, a queue's PPD and defaults,
// and submitting the document.
#pragma once

#include "JobOptions.h"

#include <string>
#include <vector>

struct Destination {
    std::string name; // queue name (with "/instance" for an instance)
    std::string info; // "printer-info", may be empty
    bool isDefault = false;
    OptionList options; // the destination's own option defaults
};

// Every destination the CUPS server (CUPS_SERVER) knows.
std::vector<Destination> ListDestinations();

// The queue's state as the scheduler tells it now: "printer-state",
// "printer-state-message", "printer-location", "printer-is-accepting-jobs"
// (the destination list lacks the message). Empty when it cannot be asked.
OptionList QueueStatusAttributes(const std::string& queue);

// Fetches the queue's PPD into a temporary file; empty with `error` set when
// the queue is unknown or has no PPD. The caller deletes the file.
std::string FetchQueuePPD(const std::string& queue, std::string& error);

// Submits the file to the queue with the options; the job id, or 0 with
// `error` set.
int SubmitJob(const std::string& queue, const std::string& file, const std::string& title,
              const OptionList& options, std::string& error);
