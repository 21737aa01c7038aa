// Test PPDs for the job type and accounting panels, written from a few
// switches so that each test names only what matters to it.
#pragma once

#include <memory>
#include <string>

#include <cups/ppd.h>

struct AccountPPD {
    std::string printType = "Default00-Main";  // KRVPrintTypeSettings, "" = absent
    std::string accounting = "Default00-Main"; // KRVAccountingSettings, "" = absent
    std::string mailBox = "100";               // KRVMailBoxSettings, "" = absent
    std::string hardDisk = "True";             // default of KRHardDisk, "" = no option
    std::string ramDisk;                       // default of KRRAMDisk, "" = no option
    std::string minDigit;                      // default of KRMinDigitPasscode, "" = no option
    std::string selectID;                      // default of KRSelectID, "" = no option
    std::string localizable;                   // KRLocalizableFileIndex, "" = absent
};

// PPD text for the switches.
std::string AccountPPDText(const AccountPPD& spec);
// Writes the PPD into a fresh file under the test's temporary directory and
// returns its path.
std::string WriteAccountPPD(const AccountPPD& spec, const std::string& name);

// An opened PPD with its defaults marked; closed by the deleter.
struct PPDCloser {
    void operator()(ppd_file_t* ppd) const;
};
using PPDHandle = std::unique_ptr<ppd_file_t, PPDCloser>;
PPDHandle OpenAccountPPD(const AccountPPD& spec, const std::string& name);
