// PPD access for the panels: options, defaults, titles and choices of the
// printer's PPD as libcups parsed it. Keywords are given without their
// leading asterisk; "option" means a UI option of the PPD.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <cups/ppd.h>

#include "PDEChoice.h"
#include "PPDTextEncoding.h"

namespace KESTRANE_NS {

bool CheckPPDKeyIsExist(ppd_file_t* ppd, const char* keyword);
int GetPPDKeyOptionCount(ppd_file_t* ppd, const char* keyword);

// Position in list of the option's default choice; -1 when missing.
int GetValueFromPPD(ppd_file_t* ppd, const char* keyword, const char* const* list, int listLength);
// Copies the keyword of the choice at index into output (at most outputSize
// bytes with the terminator); returns the bytes copied, 0 when nothing is.
int GetValueFromPPDByIndex(ppd_file_t* ppd, const char* keyword, char* output, int index,
                           std::size_t outputSize = PPD_MAX_NAME);
int GetIndexFromPPDByKeyword(ppd_option_t* option, const char* choiceKeyword);
// The marked choice of the keyword, else its default choice, else -1. A null
// option is looked up by keyword.
int GetIndexOfMarkedOptionWithKey(ppd_option_t* option, ppd_file_t* ppd, const char* keyword);
int GetUIDefaultFromPPD(ppd_file_t* ppd, const char* keyword, std::optional<std::string>& out);
int GetUIDefaultValueFromPPD(ppd_file_t* ppd, const char* keyword);
int GetChoiceIndex(ppd_file_t* ppd, const char* keyword, const char* choiceKeyword);
int GetUITitleFromPPD(ppd_file_t* ppd, const char* keyword, std::optional<std::string>& out);

// The encoding of the texts the parser hands out for this PPD. libcups turns
// option and choice texts into UTF-8 and says so in lang_encoding.
void GetCFStringEncodingFromPPD(ppd_file_t* ppd, CFStringEncoding& encoding);
// The encoding the PPD file itself declares, which raw attribute values keep.
CFStringEncoding GetDeclaredEncodingOfPPD(ppd_file_t* ppd);
// Option and choice text of the PPD as UTF-8; no value when undecodable.
std::optional<std::string> CreateStringFromPPDText(ppd_file_t* ppd, const char* text);

int FindPPDKeyPairsMatch(const std::vector<std::pair<std::string, std::string>>& pairs,
                         const std::string& first, const std::string& second);
// Replaces the first two characters of the keyword by the manufacturer's
// prefix; copies without a terminator (at most outputSize - 1 bytes, so a
// zeroed buffer stays terminated).
void FixPPDKeywordAccordingToType(ppd_file_t* ppd, const char* keyword, char* output,
                                  std::size_t outputSize);
int GetPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* keyword);
int GetMBMaxNumberFromPPD(ppd_file_t* ppd, const char* attributeName);
int getIntFromString(const char* text, int length);
std::optional<std::vector<PDEChoice>> ArrayFromPPDOption(ppd_option_t* option);

} // namespace KESTRANE_NS
