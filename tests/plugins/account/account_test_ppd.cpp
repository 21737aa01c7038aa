#include "account_test_ppd.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

static std::string PickOne(const std::string& keyword, const std::string& def,
                           std::vector<std::string> choices) {
    std::string text = "*OpenUI *" + keyword + "/" + keyword + ": PickOne\n";
    text += "*OrderDependency: 10 AnySetup *" + keyword + "\n";
    text += "*Default" + keyword + ": " + def + "\n";
    for (const std::string& choice : choices)
        text += "*" + keyword + " " + choice + "/" + choice + ": \"\"\n";
    text += "*CloseUI: *" + keyword + "\n";
    return text;
}

std::string AccountPPDText(const AccountPPD& spec) {
    std::string text = "*PPD-Adobe: \"4.3\"\n"
                       "*FormatVersion: \"4.3\"\n"
                       "*FileVersion: \"1.0\"\n"
                       "*LanguageVersion: English\n"
                       "*LanguageEncoding: ISOLatin1\n"
                       "*PCFileName: \"KSTTEST.PPD\"\n"
                       "*Manufacturer: \"Kestrane\"\n"
                       "*Product: \"(Kestrane Test)\"\n"
                       "*ModelName: \"Kestrane Test\"\n"
                       "*ShortNickName: \"Kestrane Test\"\n"
                       "*NickName: \"Kestrane Test\"\n"
                       "*PSVersion: \"(3010.000) 0\"\n"
                       "*cupsFilter2: \"application/vnd.cups-postscript "
                       "application/vnd.cups-postscript 0 jobfilter\"\n";
    if (!spec.printType.empty())
        text += "*KRVPrintTypeSettings: \"" + spec.printType + "\"\n";
    if (!spec.accounting.empty())
        text += "*KRVAccountingSettings: \"" + spec.accounting + "\"\n";
    if (!spec.mailBox.empty())
        text += "*KRVMailBoxSettings: \"" + spec.mailBox + "\"\n";
    if (!spec.localizable.empty())
        text += "*KRLocalizableFileIndex: \"" + spec.localizable + "\"\n";
    text += "*OpenGroup: InstallableOptions/Installable Options\n";
    if (!spec.hardDisk.empty())
        text += PickOne("KRHardDisk", spec.hardDisk, {"True", "False"});
    if (!spec.ramDisk.empty())
        text += PickOne("KRRAMDisk", spec.ramDisk, {"True", "False"});
    text += "*CloseGroup: InstallableOptions\n";
    if (!spec.minDigit.empty()) {
        std::vector<std::string> digits = {"4", "8"};
        if (spec.minDigit != "4" && spec.minDigit != "8")
            digits.push_back(spec.minDigit);
        text += PickOne("KRMinDigitPasscode", spec.minDigit, digits);
    }
    if (!spec.selectID.empty())
        text += PickOne("KRSelectID", spec.selectID,
                        {"UserID_AccountID", "UserID", "AccountID", "None"});
    text += "*OpenUI *PageSize/Page Size: PickOne\n"
            "*OrderDependency: 20 AnySetup *PageSize\n"
            "*DefaultPageSize: A4\n"
            "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
            "*CloseUI: *PageSize\n"
            "*DefaultImageableArea: A4\n"
            "*ImageableArea A4/A4: \"12 12 583 830\"\n"
            "*DefaultPaperDimension: A4\n"
            "*PaperDimension A4/A4: \"595 842\"\n";
    return text;
}

std::string WriteAccountPPD(const AccountPPD& spec, const std::string& name) {
    const char* tmp = std::getenv("TMPDIR");
    std::filesystem::path dir = std::filesystem::path(tmp ? tmp : "/tmp") / "account-test-ppd";
    std::filesystem::create_directories(dir);
    std::filesystem::path path = dir / (name + "-" + std::to_string(getpid()) + ".ppd");
    std::ofstream(path) << AccountPPDText(spec);
    return path.string();
}

void PPDCloser::operator()(ppd_file_t* ppd) const {
    ppdClose(ppd);
}

PPDHandle OpenAccountPPD(const AccountPPD& spec, const std::string& name) {
    ppd_file_t* ppd = ppdOpenFile(WriteAccountPPD(spec, name).c_str());
    if (ppd)
        ppdMarkDefaults(ppd);
    return PPDHandle(ppd);
}
