#include "FrameworkTestPanel.h"

#include "InterfaceFile.h"
#include "PreferenceStore.h"

#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

std::string TestDataPath(const std::string& name) {
    return std::string(FRAMEWORK_TEST_DATA_DIR) + "/" + name;
}

std::string TestOutputPath(const std::string& name) {
    return std::string(FRAMEWORK_TEST_OUTPUT_DIR) + "/" + name;
}

namespace {

#define TEST_TICKET(name) "com.kestrane.mtz.printsettings." name

const ControlDataAccessInfo kCheckAAccess{0, 0, TEST_TICKET("TESTCheckA"), "TESTCheckA"};
// Value 0 disables "both"; value 1 disables target and "both", hides the note
// and refreshes the target.
const ControlConstrainTable kCheckATable{{{kTagCheckBoth}, {kTagCheckTarget, kTagCheckBoth}},
                                         {{}, {kTagStaticNote}},
                                         {{}, {kTagCheckTarget}},
                                         {}};
const CheckBoxIniData kCheckAIni{0, 0, -1, "Check A"};

const CheckBoxIniData kTargetIni{0, 0, -1, "Check Target"};
const CheckBoxIniData kBothIni{0, 0, -1, "Check Both"};
const CheckBoxIniData kRadioTargetIni{0, 0, -1, "Check Radio Target"};
const CheckBoxIniData kCheckBIni{0, 0, -1, "Check B"};
const CheckBoxIniData kCheckCIni{0, 0, -1, "Check C"};

const ControlDataAccessInfo kRadioOneAccess{0, 0, TEST_TICKET("TESTRadioOne"), "TESTRadioOne"};
const ControlDataAccessInfo kRadioTwoAccess{0, 0, TEST_TICKET("TESTRadioTwo"), "TESTRadioTwo"};
const RadioButtonIniData kRadioOneIni{0, 1, -1, "Radio One", nullptr};
const RadioButtonIniData kRadioTwoIni{0, 0, -1, "Radio Two", nullptr};
const ControlConstrainTable kRadioTwoTable{{{}, {kTagCheckRadioTarget}}, {}, {}, {}};

const char* const kPopupItems[] = {"Item A", "Item B", "Item C", nullptr};
const PopupIniData kPopupIni{0, 1, -1, kPopupItems};
const ControlDataAccessInfo kPopupAccess{0, 0, TEST_TICKET("TESTPopup"), "TESTPopup"};
// Item B disables B's box; item C disables both boxes.
const ControlConstrainTable kPopupTable{{{}, {kTagCheckB}, {kTagCheckB, kTagCheckC}}, {}, {}, {}};

const LittleArrayOlvarIniData kStepperIni{0, 1, 0, 1, 9999, 1};
const ControlDataAccessInfo kStepperAccess{0, 0, TEST_TICKET("TESTCopies"), "TESTCopies"};

TextEditIniData MakeTextIni(const char* initial, const char* def, uint32_t minimum,
                            uint32_t maximum) {
    TextEditIniData ini;
    std::strncpy(ini.initialText, initial, sizeof ini.initialText - 1);
    std::strncpy(ini.defaultText, def, sizeof ini.defaultText - 1);
    ini.minimumWidth = minimum;
    ini.maximumWidth = maximum;
    return ini;
}

const TextEditIniData kNameIni = MakeTextIni("", "", 2, 4);
const ControlDataAccessInfo kNameAccess{kControlValueTypeCFString, kControlValueTypeCFString,
                                        TEST_TICKET("TESTName"), "TESTName"};
TextEditFilterData MakeFilter(std::initializer_list<InputFilterRange> ranges, const char* message) {
    TextEditFilterData f{};
    f.byteFilter.inputItemCount = static_cast<int32_t>(ranges.size());
    f.charFilter.inputItemCount = static_cast<int32_t>(ranges.size());
    int i = 0;
    for (const InputFilterRange& r : ranges) {
        f.byteFilter.inputScale[i] = r;
        f.charFilter.inputScale[i] = r;
        ++i;
    }
    f.message = message;
    return f;
}
const TextEditFilterData kNameFilter =
    MakeFilter({{'0', '9'}, {'A', 'Z'}, {'a', 'z'}}, "Err Text Width");

const TextEditIniData kPasswordIni = MakeTextIni("", "", 0, 32);
const ControlDataAccessInfo kPasswordAccess{kControlValueTypePassword, kControlValueTypePassword,
                                            TEST_TICKET("TESTPassword"), nullptr};
const TextEditFilterData kPasswordFilter = MakeFilter({{0x21, 0x7E}}, "Err Password");

const TextEditIniData kNoteIni = MakeTextIni("", "O'Neil", 0, 255);
const ControlDataAccessInfo kNoteAccess{kControlValueTypeCFString, kControlValueTypeCFString,
                                        TEST_TICKET("TESTNote"), "TESTNote"};

const CheckBoxIniData kPunchIni{0, 0, -1, nullptr};
const PopupIniData kPPDPopupIni{0, 1, -1, nullptr};

const InstallableConstrainPair kHardDiskPairs[] = {{"NotInstalled", {kTagButtonOpen}},
                                                   {nullptr, {}}};

const ControlDataAccessInfo kChildCheckAccess{0, 0, TEST_TICKET("TESTChildCheck"),
                                              "TESTChildCheck"};
const CheckBoxIniData kChildCheckIni{0, 1, 0, nullptr};
const TextEditIniData kChildTextIni = MakeTextIni("start", "", 0, 20);
const ControlDataAccessInfo kChildTextAccess{kControlValueTypeCFString, kControlValueTypeCFString,
                                             TEST_TICKET("TESTChildText"), "TESTChildText"};

QWidget* MustFind(QWidget* root, int tag) {
    QWidget* w = FindTaggedWidget(root, tag);
    if (!w)
        throw std::runtime_error("interface file lacks tag " + std::to_string(tag));
    return w;
}

} // namespace

TestChildWindow::TestChildWindow(const std::string& uiPath) {
    window.reset(LoadInterfaceFile(QString::fromStdString(uiPath)));
    if (!window)
        throw std::runtime_error("cannot load " + uiPath);
    PopupWinInPanelInit(window.get(), "Window Title");
    RunTimeAddNewControl(new CheckBox(MustFind(window.get(), kTagChildCheck), &kChildCheckIni,
                                      nullptr, &kChildCheckAccess, nullptr));
    RunTimeAddNewControl(new TextEditCtrl(MustFind(window.get(), kTagChildText), &kChildTextIni,
                                          nullptr, &kChildTextAccess, nullptr, nullptr));
    auto* ok = new BaseButton(MustFind(window.get(), kTagChildOK), nullptr);
    ok->SetPressAction([this] {
        SycValueFromUI();
        SetValueFromUIToControl();
        DeactivateWindow(1);
        return true;
    });
    RunTimeAddNewControl(ok);
}

TestChildWindow::~TestChildWindow() {
    // Controls go before the widgets they point at.
    terminate();
}

bool TestChildWindow::GetValueFromPreset() {
    ++presetCalls;
    BasePrintPanel::GetValueFromPreset();
    return presetResult;
}

FrameworkTestPanel::FrameworkTestPanel() {
    view.reset(LoadInterfaceFile(QString::fromStdString(TestDataPath("TestPanel.ui"))));
    if (!view)
        throw std::runtime_error("cannot load TestPanel.ui");
}

FrameworkTestPanel::~FrameworkTestPanel() {
    terminate();
}

void FrameworkTestPanel::RunFirstOpen(TestHost& host, PluginBundle* bundle, XPPDHashMap* index) {
    QWidget* v = view.get();
    CreatePanel(v);
    RunTimeAddNewControl(
        new CountingCheckBox(MustFind(v, kTagCheckTarget), &kTargetIni, nullptr, nullptr, nullptr));
    RunTimeAddNewControl(
        new CheckBox(MustFind(v, kTagCheckBoth), &kBothIni, nullptr, nullptr, nullptr));
    RunTimeAddNewControl(new CheckBox(MustFind(v, kTagCheckRadioTarget), &kRadioTargetIni, nullptr,
                                      nullptr, nullptr));
    RunTimeAddNewControl(
        new CheckBox(MustFind(v, kTagCheckB), &kCheckBIni, nullptr, nullptr, nullptr));
    RunTimeAddNewControl(
        new CheckBox(MustFind(v, kTagCheckC), &kCheckCIni, nullptr, nullptr, nullptr));
    // Registered after the boxes its values rule.
    RunTimeAddNewControl(
        new CheckBox(MustFind(v, kTagCheckA), &kCheckAIni, &kCheckATable, &kCheckAAccess, nullptr));
    RunTimeAddNewControl(new RadioButton(MustFind(v, kTagRadioOne), &kRadioOneIni, nullptr,
                                         &kRadioOneAccess, nullptr, &radioGroup));
    RunTimeAddNewControl(new RadioButton(MustFind(v, kTagRadioTwo), &kRadioTwoIni, &kRadioTwoTable,
                                         &kRadioTwoAccess, nullptr, &radioGroup));
    RunTimeAddNewControl(
        new PopupControl(MustFind(v, kTagPopup), &kPopupIni, &kPopupTable, &kPopupAccess, nullptr));
    RunTimeAddNewControl(new LittleArrayOlvar(MustFind(v, kTagStepper), &kStepperIni, nullptr,
                                              &kStepperAccess, nullptr, QStringLiteral("Copies")));
    RunTimeAddNewControl(new TextEditCtrl(MustFind(v, kTagTextName), &kNameIni, nullptr,
                                          &kNameAccess, nullptr, &kNameFilter));
    RunTimeAddNewControl(new TextEditCtrl(MustFind(v, kTagPassword), &kPasswordIni, nullptr,
                                          &kPasswordAccess, nullptr, &kPasswordFilter));
    RunTimeAddNewControl(new StaticTextEditControl(MustFind(v, kTagStaticNote), &kNoteIni, nullptr,
                                                   &kNoteAccess, nullptr, "Summary Static"));
    auto* open = new BaseButton(MustFind(v, kTagButtonOpen), "Open Window");
    open->SetPressAction([this] {
        child->ActivateWindow();
        return true;
    });
    RunTimeAddNewControl(open);
    RunTimeAddNewControl(new PPDCheckBox(MustFind(v, kTagPPDPunch), "KRPunch", &kPunchIni, nullptr,
                                         nullptr, nullptr));
    RunTimeAddNewControl(new PPDPopupControl(MustFind(v, kTagPPDStaple), "KRStaple", &kPPDPopupIni,
                                             nullptr, nullptr, nullptr));
    RunTimeAddNewControl(new PPDPopupControl(MustFind(v, kTagPPDDuplex), "Duplex", &kPPDPopupIni,
                                             nullptr, nullptr, nullptr));
    auto* version = new VersionStringSText;
    version->CreateControl(MustFind(v, kTagVersion), nullptr, true);
    RunTimeAddNewControl(version);
    RunTimeAddNewControl(new PPDStaticTextCtrl(MustFind(v, kTagStapleTitle), "KRStaple"));
    RunTimeAddNewControl(new GroupBoxControl(MustFind(v, kTagGroupRuntime), "Group Title"));

    PPDControlPlacement place;
    place.parentGroupBox = MustFind(v, kTagGroupRuntime);
    place.position = {8, 14, 8, 2};
    place.indexInPanel = 0;
    foldTitleExt = new PPDStaticTextCtrlExt(place, "KRFold");
    RunTimeAddNewControl(foldTitleExt);
    place.indexInPanel = 1;
    foldExt = new PPDCheckBoxExt(place, "KRFold", &kPunchIni, nullptr, nullptr, nullptr);
    RunTimeAddNewControl(foldExt);
    place.indexInPanel = 2;
    stapleExt = new PPDPopupControlExt(place, "KRStaple", &kPPDPopupIni, nullptr, nullptr, nullptr);
    RunTimeAddNewControl(stapleExt);

    hardDisk = new InstallableControl;
    hardDisk->CreateControl("KRHardDisk", kHardDiskPairs);
    RunTimeAddNewInstallableControl(hardDisk);

    child = new TestChildWindow(TestDataPath("TestChildWindow.ui"));
    RunTimeAddNewWindow(child);

    SetxppdPtr(index);
    SetCurrentPrintSession(&host.session);
    SetCurrentPrintSettings(&host.settings, host.ppd, &host, &host.session);
    InitializeUserPane(bundle, host.ppd);
    SetUIDataToIniData();
    GetValueFromPreset();
    SetCurrentValueToUI();
}

void FrameworkTestPanel::RunLaterOpen(TestHost& host) {
    SetCurrentPrintSettings(&host.settings, host.ppd, &host, &host.session);
    GetValueFromPreset();
    SetCurrentValueToUI();
    UpdateConflictsPanelControlFromPPD(host.ppd);
}

FrameworkTestContext::FrameworkTestContext() {
    if (!prefsDir.isValid())
        throw std::runtime_error("no temporary directory");
    const std::string root = prefsDir.path().toStdString();
    setenv("KESTRANE_PREFS_USER_ROOT", (root + "/user").c_str(), 1);
    setenv("KESTRANE_PREFS_SYSTEM_ROOT", (root + "/system").c_str(), 1);
    PreferenceStore::Shared().Reset();
    scope = std::make_unique<ScopedPlatformServices>(&services);
    bundle = PluginBundle::Open(TestDataPath("TestBundle"));
    if (!bundle)
        throw std::runtime_error("cannot open the test bundle");
    host.ppd = ppdOpenFile(TestDataPath("framework-test.ppd").c_str());
    if (!host.ppd)
        throw std::runtime_error("cannot open the test PPD");
    ppdMarkDefaults(host.ppd);
    CQuickXPPD builder;
    builder.OptionNames() = {"KRStaple", "Duplex", "KRPunch", "KRFold"};
    builder.SetXppd(host.ppd, index);
    host.session.SetCurrentPrinter("Office_Printer");
    host.session.SetPPD(host.ppd);
}

FrameworkTestContext::~FrameworkTestContext() {
    scope.reset();
    PreferenceStore::Shared().Reset();
    if (host.ppd)
        ppdClose(host.ppd);
}

std::string FrameworkTestContext::Ticket(const char* name) const {
    std::string out;
    host.settings.GetText(TicketKey(name), out);
    return out;
}

bool FrameworkTestContext::HasTicket(const char* name) const {
    return host.settings.Contains(TicketKey(name));
}

} // namespace KESTRANE_NS
