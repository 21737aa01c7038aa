#include "PageFormat.h"

void PageFormat::SetPaper(const std::string& ppdPaperName, double widthPoints, double heightPoints,
                          bool custom) {
    m_paper = PMRect{0, 0, heightPoints, widthPoints};
    SettingsDictionary info;
    info.SetText(kPMPaperInfoPPDPaperName, ppdPaperName);
    info.SetText(kPMPaperInfoPaperName, ppdPaperName);
    info.SetBoolean(kPMPaperInfoCustomPaper, custom);
    m_ticket.SetDictionary(kPMPaperInfoTicket, info);
}
