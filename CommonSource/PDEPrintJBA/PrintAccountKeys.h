// Ticket and preference keys of the job type and accounting panels.
#pragma once

#define KACCOUNT_KEY(name) "com.kestrane.mtz.printsettings." name

namespace KESTRANE_NS {

// Job type panel.
inline constexpr const char* kPrintTypeTicketKey = KACCOUNT_KEY("PrintTypeTicketKey");
inline constexpr const char* kPrintTypeReference = KACCOUNT_KEY("PrintTypeReference");
inline constexpr const char* kPrintTypeUserNameTicketKey =
    KACCOUNT_KEY("PrintTypeUserNameTicketKey");
inline constexpr const char* kPrintTypeUserNameReference =
    KACCOUNT_KEY("PrintTypeUserNameReference");
inline constexpr const char* kPrintTypePasswordTicketKey =
    KACCOUNT_KEY("PrintTypePasswordTicketKey");
inline constexpr const char* kPrintTypePasswordReference =
    KACCOUNT_KEY("PrintTypePasswordReference");
inline constexpr const char* kDocumentNameTypeTicketKey = KACCOUNT_KEY("DocumentNameTypeTicketKey");
inline constexpr const char* kDocumentNameTypeReference = KACCOUNT_KEY("DocumentNameTypeReference");
inline constexpr const char* kDocumentNameTicketKey = KACCOUNT_KEY("DocumentNameTicketKey");
inline constexpr const char* kDocumentNameReference = KACCOUNT_KEY("DocumentNameReference");
inline constexpr const char* kDelayPrintTicketKey = KACCOUNT_KEY("DelayPrintTicketKey");
inline constexpr const char* kDelayPrintReference = KACCOUNT_KEY("DelayPrintReference");
inline constexpr const char* kPrintTypeMBNTicketKey = KACCOUNT_KEY("PrintTypeMBNTicketKey");
inline constexpr const char* kPrintTypeMBNReference = KACCOUNT_KEY("PrintTypeMBNReference");
inline constexpr const char* kPrintTypeMBNPasswordTicketKey =
    KACCOUNT_KEY("PrintTypeMBNPasswordTicketKey");
inline constexpr const char* kPrintTypeMBNPasswordReference =
    KACCOUNT_KEY("PrintTypeMBNPasswordReference");
inline constexpr const char* kPrintTypeProductTypeTicketKey =
    KACCOUNT_KEY("PrintTypeProductTypeTicketKey");

// Accounting panel: client identity.
inline constexpr const char* kJBAMacHostNameStringTicket =
    KACCOUNT_KEY("JBAMacHostNameStringTicket");
inline constexpr const char* kJBAHostNameStringTicket = KACCOUNT_KEY("JBAHostNameStringTicket");
inline constexpr const char* kJBAIPAddressStringTicket = KACCOUNT_KEY("JBAIPAddressStringTicket");

} // namespace KESTRANE_NS
