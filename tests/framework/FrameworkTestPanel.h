// The framework's test panel: every control class on one interface file,
// with its own static tables, a child window and a host that records what
// the panel reports. Tests drive it through the real widgets.
#pragma once

#include "BaseButton.h"
#include "BasePrintPanel.h"
#include "CheckBox.h"
#include "GroupBoxControl.h"
#include "InstallableControl.h"
#include "LittleArrayOlvar.h"
#include "PPDCheckBox.h"
#include "PPDControlsExt.h"
#include "PPDPopupControl.h"
#include "PPDStaticTextCtrl.h"
#include "PopupControl.h"
#include "PopupWinInPanel.h"
#include "RadioButton.h"
#include "StaticTextEditControl.h"
#include "TextEditCtrl.h"
#include "VersionStringSText.h"

#include "PDEPluginInterface.h"
#include "PluginBundle.h"
#include "PrintSession.h"
#include "PrintSettings.h"
#include "RecordingPlatformServices.h"

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace KESTRANE_NS {

// Tags of the test panel's interface file.
enum TestTag {
    kTagCheckA = 1,
    kTagRadioOne = 2,
    kTagRadioTwo = 3,
    kTagPopup = 4,
    kTagStepper = 5,
    kTagTextName = 6,
    kTagPassword = 7,
    kTagStaticNote = 8,
    kTagButtonOpen = 9,
    kTagCheckTarget = 10,
    kTagCheckBoth = 11,
    kTagCheckRadioTarget = 13,
    kTagCheckB = 14,
    kTagCheckC = 15,
    kTagPPDPunch = 16,
    kTagPPDStaple = 17,
    kTagPPDDuplex = 18,
    kTagVersion = 19,
    kTagStapleTitle = 20,
    kTagGroupRuntime = 21,
    kTagChildCheck = 101,
    kTagChildText = 102,
    kTagChildOK = 103,
};

std::string TestDataPath(const std::string& name);
std::string TestOutputPath(const std::string& name);
inline std::string TicketKey(const char* name) {
    return std::string("com.kestrane.mtz.printsettings.") + name;
}

// The dialog's side: PPD, settings and session, and the PPD choices the
// panel reported.
class TestHost : public PDEPlugInCallbackProtocol {
public:
    ppd_file_t* ppdFile() override { return ppd; }
    PrintSettings* printSettings() override { return &settings; }
    PrintSession* printSession() override { return &session; }
    PageFormat* pageFormat() override { return nullptr; }
    bool willChangePPDOptionKeyValue(const std::string& option,
                                     const std::string& choice) override {
        reported.emplace_back(option, choice);
        return true;
    }

    ppd_file_t* ppd = nullptr;
    PrintSettings settings;
    PrintSession session;
    std::vector<std::pair<std::string, std::string>> reported;
};

// A check box that counts the refresh requests of update lists.
class CountingCheckBox : public CheckBox {
public:
    using CheckBox::CheckBox;
    int Update() override {
        ++updates;
        return 0;
    }
    int updates = 0;
};

// A check box whose ticket value is always written empty.
class BlankingCheckBox : public CheckBox {
public:
    using CheckBox::CheckBox;
    bool IsOutputNullToTicket() override { return true; }
};

class TestChildWindow : public PopupWinInPanel {
public:
    explicit TestChildWindow(const std::string& uiPath);
    ~TestChildWindow() override;
    bool GetValueFromPreset() override;

    std::unique_ptr<QWidget> window;
    bool presetResult = true; // what GetValueFromPreset answers
    int presetCalls = 0;
};

class FrameworkTestPanel : public BasePrintPanel {
public:
    FrameworkTestPanel();
    ~FrameworkTestPanel() override;

    // Registers every control, sets the context and runs the opening
    // sequence of a first open.
    void RunFirstOpen(TestHost& host, PluginBundle* bundle, XPPDHashMap* index);
    // The later opens: context again, presets, show, PPD conflicts.
    void RunLaterOpen(TestHost& host);

    template <typename T> T* Control(int tag) { return dynamic_cast<T*>(GetPanelControl(tag)); }
    template <typename T> T* Widget(int tag) const;

    std::unique_ptr<QWidget> view;
    RadioGroup radioGroup;
    TestChildWindow* child = nullptr;
    PPDCheckBoxExt* foldExt = nullptr;
    PPDPopupControlExt* stapleExt = nullptr;
    PPDStaticTextCtrlExt* foldTitleExt = nullptr;
    InstallableControl* hardDisk = nullptr;
    std::vector<int> encryptTags{kTagPassword};
};

// Per-test surroundings: private preference roots, recording services, the
// test PPD with its constraint index, the test bundle and the host.
class FrameworkTestContext {
public:
    FrameworkTestContext();
    ~FrameworkTestContext();

    std::string Ticket(const char* name) const;
    bool HasTicket(const char* name) const;

    QTemporaryDir prefsDir;
    RecordingPlatformServices services;
    std::unique_ptr<ScopedPlatformServices> scope;
    PluginBundle* bundle = nullptr;
    TestHost host;
    XPPDHashMap index;
};

template <typename T> T* FrameworkTestPanel::Widget(int tag) const {
    BaseControl* c = GetPanelControl(tag);
    return c ? qobject_cast<T*>(c->GetControlPtr()) : nullptr;
}

} // namespace KESTRANE_NS
