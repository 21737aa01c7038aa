#include "PDEChoice.h"

namespace KESTRANE_NS {

const std::string& PDEChoice::userTitle() const {
    if (!m_userTitle)
        m_userTitle = m_choice ? std::string(m_choice->text) : std::string();
    return *m_userTitle;
}

const std::string& PDEChoice::ppdTitle() const {
    if (!m_ppdTitle)
        m_ppdTitle = m_choice ? std::string(m_choice->choice) : std::string();
    return *m_ppdTitle;
}

std::string PDEChoice::description() const {
    return "PDEChoice " + ppdTitle() + " \"" + userTitle() + "\"";
}

} // namespace KESTRANE_NS
