// Tags of the job type panel and its windows. Each window numbers its
// controls from its base: base + 1 OK, + 2 Cancel, + 3 restore defaults,
// + 4 help, then its fields.
#pragma once

#include <cstdint>

namespace KESTRANE_NS {
namespace PTTag {
constexpr int32_t kJobTypeList = 5001;
constexpr int32_t kJobTypeLabel = 5002;
constexpr int32_t kVersionText = 5003;
constexpr int32_t kSettingsButton = 5004;

constexpr int32_t kSecureBase = 5100;
constexpr int32_t kSampleBase = 5200;
constexpr int32_t kDelayedBase = 5300;
constexpr int32_t kMailBoxBase = 5400;

constexpr int32_t kOK = 1;
constexpr int32_t kCancel = 2;
constexpr int32_t kRestore = 3;
constexpr int32_t kHelp = 4;
constexpr int32_t kFirstLabel = 5;
constexpr int32_t kFirstField = 6; // user ID, clock or mailbox number
constexpr int32_t kSecondLabel = 7;
constexpr int32_t kSecondField = 8; // password or mailbox password
constexpr int32_t kDocumentNameKind = 9;
constexpr int32_t kDocumentName = 10;
constexpr int32_t kDocumentNameLabel = 11;
constexpr int32_t kPasswordNote = 12;

constexpr int32_t kPasswordInfoText = 5501;
constexpr int32_t kPasswordInfoOK = 5502;
} // namespace PTTag
} // namespace KESTRANE_NS
