// Watermark PostScript writer of the filter.
#pragma once

// Reads the watermark ticket table into the watermark record.
int WatermarkGetTicketFromPDE(char* const argv[]);
// Writes the watermark's PostScript for one injection point.
void WatermarkOutputPSCommandFromFilter(int pointCode, int pageCounter);
// Forgets the writer's per-job state (flags, loaded image, hex column); the
// program starts clean, tests call it between in-process runs.
void WatermarkResetState();

// PostScript string form of a watermark text into `dest` (`size` bytes):
// encoding 1 "<hex>", encoding 0 "(literal)" with "(", ")" and "\" escaped,
// any other encoding "()". Text that does not fit is cut at a whole byte.
void getWMOuputText(char* dest, const char* text, int size, int encoding);

// True when the font name can stand after "/" in PostScript: not empty,
// printable ASCII only, no delimiter.
bool IsWatermarkFontName(const char* font);

// Pieces the CUPS page hooks share with the generator-document writer.
//
// The colour, font, start point, rotation and show lines of a text watermark.
void WatermarkWriteTextBody();
// Opens the job's watermark image on first use; true when its pixels can be
// sent (then its size is known).
bool WatermarkImageReady();
unsigned WatermarkImageWidth();
unsigned WatermarkImageHeight();
// Every row of the image, top to bottom, as hexadecimal RGB, ending with a
// line end.
void WatermarkWriteImageHex();
