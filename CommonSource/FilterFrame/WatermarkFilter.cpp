#include "WatermarkFilter.h"

// Placeholder until the watermark writer lands.
int WatermarkGetTicketFromPDE(char* const[]) { return 1; }
void WatermarkOutputPSCommandFromFilter(int, int) {}
void WatermarkResetState() {}
