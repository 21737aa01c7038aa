// The page format: paper rectangle, orientation and the ticket that carries
// the paper's sub-ticket.
#pragma once

#include "SettingsDictionary.h"

#include <string>

inline constexpr const char* kPMPaperInfoTicket = "com.apple.print.PaperInfoTicket";
inline constexpr const char* kPMPaperInfoCustomPaper = "com.apple.print.PaperInfo.PMCustomPaper";
inline constexpr const char* kPMPaperInfoPaperName = "com.apple.print.PaperInfo.PMPaperName";
inline constexpr const char* kPMPaperInfoPPDPaperName = "com.apple.print.PaperInfo.ppd.PMPaperName";

// Points, top-left origin; the unadjusted paper rectangle has its top-left
// corner at (0, 0) on the paper and the imageable offset on the page.
struct PMRect {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;
    bool operator==(const PMRect&) const = default;
};

enum PMOrientation {
    kPMPortrait = 1,
    kPMLandscape = 2,
    kPMReversePortrait = 3,
    kPMReverseLandscape = 4,
};

class KESTRANE_PLATFORM_EXPORT PageFormat {
public:
    // The paper rectangle ignoring the orientation (paper size only).
    PMRect GetUnadjustedPaperRect() const { return m_paper; }
    void SetUnadjustedPaperRect(const PMRect& rect) { m_paper = rect; }

    PMOrientation GetOrientation() const { return m_orientation; }
    void SetOrientation(PMOrientation orientation) { m_orientation = orientation; }

    // Sets the paper: rectangle 0,0 to height,width in points and the
    // "com.apple.print.PaperInfoTicket" sub-ticket with the PPD paper name
    // and the custom-paper flag.
    void SetPaper(const std::string& ppdPaperName, double widthPoints, double heightPoints,
                  bool custom);

    // The page-format ticket, holding the sub-tickets.
    const SettingsDictionary& Ticket() const { return m_ticket; }
    SettingsDictionary& Ticket() { return m_ticket; }

private:
    PMRect m_paper;
    PMOrientation m_orientation = kPMPortrait;
    SettingsDictionary m_ticket;
};
