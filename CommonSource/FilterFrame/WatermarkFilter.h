// Watermark PostScript writer of the filter.
#pragma once

// Reads the watermark ticket table into the watermark record.
int WatermarkGetTicketFromPDE(char* const argv[]);
// Writes the watermark's PostScript for one injection point.
void WatermarkOutputPSCommandFromFilter(int pointCode, int pageCounter);
// Forgets the writer's per-job state (flags, loaded image, hex column); the
// program starts clean, tests call it between in-process runs.
void WatermarkResetState();
