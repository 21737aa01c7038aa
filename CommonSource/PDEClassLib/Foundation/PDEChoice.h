// One choice of a PPD option as the panels list it: the PPD's choice and its
// two titles, made when first asked for.
#pragma once

#include <optional>
#include <string>

#include <cups/ppd.h>

namespace KESTRANE_NS {

class PDEChoice {
public:
    explicit PDEChoice(ppd_choice_t* choice) : m_choice(choice) {}
    static PDEChoice choiceWithChoice(ppd_choice_t* choice) { return PDEChoice(choice); }

    // The choice's translation text.
    const std::string& userTitle() const;
    // The choice keyword.
    const std::string& ppdTitle() const;
    ppd_choice_t* choice() const { return m_choice; }
    std::string description() const;

private:
    ppd_choice_t* m_choice;
    mutable std::optional<std::string> m_userTitle;
    mutable std::optional<std::string> m_ppdTitle;
};

} // namespace KESTRANE_NS
