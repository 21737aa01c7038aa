#include "HostTestPDE.h"

#include "BaseButton.h"
#include "CheckBox.h"
#include "InterfaceFile.h"
#include "LittleArrayOlvar.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "PPDCheckBox.h"
#include "PopupControl.h"
#include "PopupWinInPanel.h"
#include "StaticTextEditControl.h"
#include "TextEditCtrl.h"

#include "PluginBundle.h"
#include "PrintSettings.h"

#include <QWidget>

#include <cstring>
#include <memory>
#include <string>

#define HT_TEXT2(x) #x
#define HT_TEXT(x) HT_TEXT2(x)
// Every copy writes keys of its own, so two copies side by side stay apart.
#define HT_TICKET(name) "com.kestrane.mtz.printsettings." HT_TEXT(KESTRANE_NS) "_" name

namespace KESTRANE_NS {

namespace {

enum Tag {
    kTagCheck = 1,
    kTagPopup = 2,
    kTagName = 3,
    kTagCopies = 4,
    kTagEcoMode = 5,
    kTagNote = 6,
    kTagOpenWindow = 7,
    kTagHelp = 8,
    kTagWarn = 9,
    kTagTime = 10,
    kTagDateTime = 11,
    kTagChildCheck = 101,
    kTagChildOK = 103,
    kTagChildCancel = 104,
};

// Panels made by this copy of the plug-in; each copy counts only its own.
int& PanelsMade() {
    static int made = 0;
    return made;
}

const CheckBoxIniData kCheckIni{0, 0, -1, "Check Title"};
const ControlDataAccessInfo kCheckAccess{0, 0, HT_TICKET("Check"), "HostCheck"};
// On: the name field is greyed out.
const ControlConstrainTable kCheckTable{{{}, {kTagName}}, {}, {}, {}};

const char* const kPopupItems[] = {"Item A", "Item B", "Item C", nullptr};
const PopupIniData kPopupIni{0, 1, -1, kPopupItems};
const ControlDataAccessInfo kPopupAccess{0, 0, HT_TICKET("Popup"), "HostPopup"};

TextEditIniData MakeTextIni(const char* def, uint32_t minimum, uint32_t maximum) {
    TextEditIniData ini;
    std::strncpy(ini.defaultText, def, sizeof ini.defaultText - 1);
    ini.minimumWidth = minimum;
    ini.maximumWidth = maximum;
    return ini;
}
const TextEditIniData kNameIni = MakeTextIni("", 0, 16);
const ControlDataAccessInfo kNameAccess{kControlValueTypeCFString, kControlValueTypeCFString,
                                        HT_TICKET("Name"), "HostName"};
TextEditFilterData MakeNameFilter() {
    TextEditFilterData f{};
    f.byteFilter.inputItemCount = 1;
    f.byteFilter.inputScale[0] = {0x20, 0x7e};
    f.charFilter.inputItemCount = 1;
    f.charFilter.inputScale[0] = {0x20, 0x7e};
    f.message = "Err Name";
    return f;
}
const TextEditFilterData kNameFilter = MakeNameFilter();

const LittleArrayOlvarIniData kCopiesIni{0, 1, 0, 1, 99, 1};
const ControlDataAccessInfo kCopiesAccess{0, 0, HT_TICKET("Copies"), "HostCopies"};

const CheckBoxIniData kEcoIni{0, 0, -1, nullptr};

const TextEditIniData kNoteIni = MakeTextIni("a,b", 0, 255);
const ControlDataAccessInfo kNoteAccess{kControlValueTypeCFString, kControlValueTypeCFString,
                                        HT_TICKET("Note"), nullptr};

const CheckBoxIniData kChildCheckIni{0, 0, -1, nullptr};
const ControlDataAccessInfo kChildCheckAccess{0, 0, HT_TICKET("ChildCheck"), nullptr};

class HostTestChildWindow : public PopupWinInPanel {
public:
    explicit HostTestChildWindow(QWidget* window) : m_window(window) {
        PopupWinInPanelInit(window, "Child Title");
        RunTimeAddNewControl(new CheckBox(FindTaggedWidget(window, kTagChildCheck), &kChildCheckIni,
                                          nullptr, &kChildCheckAccess, nullptr));
        auto* ok = new BaseButton(FindTaggedWidget(window, kTagChildOK), nullptr);
        ok->SetPressAction([this] {
            SycValueFromUI();
            SetValueFromUIToControl();
            DeactivateWindow(1);
            return true;
        });
        RunTimeAddNewControl(ok);
        auto* cancel = new BaseButton(FindTaggedWidget(window, kTagChildCancel), nullptr);
        cancel->SetPressAction([this] {
            DeactivateWindow(0);
            return true;
        });
        RunTimeAddNewControl(cancel);
    }
    ~HostTestChildWindow() override {
        terminate();
        delete m_window;
    }

private:
    QWidget* m_window;
};

} // namespace

HostTestPDE::HostTestPDE(PDEPlugInCallbackProtocol* callback, const char* kind, bool keepsValues)
    : PDEPrintPanel(callback, kind, keepsValues ? "Kept PDE Title" : "PDE Title") {
    ++PanelsMade();
    if (keepsValues) {
        SetKeepsValuesInPreferences(true);
        SetHelpBookNameKey("CFBundleHelpBookName");
    }
}

HostTestPDE::~HostTestPDE() = default;

bool HostTestPDE::LoadPanelControls() {
    ++loads;
    QWidget* v = GetPanelControlPtr();
    RunTimeAddNewControl(new CheckBox(FindTaggedWidget(v, kTagCheck), &kCheckIni, &kCheckTable,
                                      &kCheckAccess, nullptr));
    RunTimeAddNewControl(new PopupControl(FindTaggedWidget(v, kTagPopup), &kPopupIni, nullptr,
                                          &kPopupAccess, nullptr));
    RunTimeAddNewControl(new TextEditCtrl(FindTaggedWidget(v, kTagName), &kNameIni, nullptr,
                                          &kNameAccess, nullptr, &kNameFilter));
    RunTimeAddNewControl(new LittleArrayOlvar(FindTaggedWidget(v, kTagCopies), &kCopiesIni, nullptr,
                                              &kCopiesAccess, nullptr, QStringLiteral("Copies")));
    RunTimeAddNewControl(new PPDCheckBox(FindTaggedWidget(v, kTagEcoMode), "KSTEcoMode", &kEcoIni,
                                         nullptr, nullptr, nullptr));
    RunTimeAddNewControl(new StaticTextEditControl(FindTaggedWidget(v, kTagNote), &kNoteIni,
                                                   nullptr, &kNoteAccess, nullptr, "Note Title"));

    const std::string childPath =
        GetPDEPlugInBundle() ? GetPDEPlugInBundle()->PathForResource("HostTestChild", "ui") : "";
    if (QWidget* window = LoadInterfaceFile(QString::fromStdString(childPath))) {
        child = new HostTestChildWindow(window);
        RunTimeAddNewWindow(child);
    }
    auto* open = new BaseButton(FindTaggedWidget(v, kTagOpenWindow), "Open Title");
    open->SetPressAction([this] {
        if (child)
            child->ActivateWindow();
        return true;
    });
    RunTimeAddNewControl(open);

    auto* help = new BaseButton(FindTaggedWidget(v, kTagHelp), nullptr);
    help->SetPressAction([this] {
        return GotoHelpPage(GetPDEPlugInBundle(), GetHelpPageName().c_str(), nullptr,
                            "CFBundleHelpBookName") == 0;
    });
    RunTimeAddNewControl(help);
    helpButton = help;

    auto* warn = new BaseButton(FindTaggedWidget(v, kTagWarn), nullptr);
    warn->SetPressAction([this] {
        lastAlertAnswer =
            ShowControlAlert(GetPDEPlugInBundle(), "Alert Test", GetLocalizeTableName(), nullptr);
        return true;
    });
    RunTimeAddNewControl(warn);

    timeField = qobject_cast<QDateTimeEdit*>(FindTaggedWidget(v, kTagTime));
    dateTimeField = qobject_cast<QDateTimeEdit*>(FindTaggedWidget(v, kTagDateTime));
    return true;
}

std::vector<std::string> HostTestPDE::PanelPPDOptionKeys() {
    return {"KSTEcoMode"};
}

int HostTestPDE::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    ++conflictChecks;
    return PDEPrintPanel::UpdateConflictsPanelControlFromPPD(ppd);
}

bool HostTestPDE::SimulationOpenPDE() {
    ++opens;
    return PDEPrintPanel::SimulationOpenPDE();
}

void HostTestPDE::SaveValuesToTicket(PrintSettings* settings) {
    PDEPrintPanel::SaveValuesToTicket(settings);
    // A kept panel never opened has nothing to tell.
    if (KeepsValuesInPreferences() && IsFirstInitialize())
        return;
    const std::string trace =
        std::string(HT_TEXT(KESTRANE_NS)) + " made=" + std::to_string(PanelsMade()) +
        " loads=" + std::to_string(loads) + " opens=" + std::to_string(opens) +
        " conflicts=" + std::to_string(conflictChecks) +
        " type=" + std::to_string(GetProductType()) + " alert=" + std::to_string(lastAlertAnswer);
    settings->SetText(HT_TICKET("Trace"), trace);
    if (timeField)
        settings->SetText(HT_TICKET("Time"), timeField->time().toString("HH:mm").toStdString());
    if (dateTimeField)
        settings->SetText(HT_TICKET("DateTime"),
                          dateTimeField->dateTime().toString("yyyy-MM-ddTHH:mm").toStdString());
}

namespace {

std::unique_ptr<PDEPrintPanel> MakeHostTestPanel(PDEPlugInCallbackProtocol* callback,
                                                 const char* kind) {
    return std::make_unique<HostTestPDE>(callback, kind);
}

std::unique_ptr<PDEPrintPanel> MakeHostTestKeptPanel(PDEPlugInCallbackProtocol* callback,
                                                     const char* kind) {
    return std::make_unique<HostTestPDE>(callback, kind, true);
}

const PDEProductType kHostTestProducts[] = {{0, "Default00"}, {1, "Default01"}};

const PDEPanelOffer kHostTestOffer{"KRVHostTestSettings",
                                   "KRHostTest_",
                                   "HostTestMain_",
                                   "com.kestrane.mtk.pde.HostTestKind." HT_TEXT(KESTRANE_NS),
                                   false,
                                   kHostTestProducts,
                                   2,
                                   MakeHostTestPanel};

// A second panel of the same bundle, offered for an attribute of its own.
const PDEPanelOffer kHostTestKeptOffer{
    "KRVHostTestKeptSettings",
    "KRHostTest_",
    "HostTestMain_",
    "com.kestrane.mtk.pde.HostTestKeptKind." HT_TEXT(KESTRANE_NS),
    false,
    kHostTestProducts,
    2,
    MakeHostTestKeptPanel};

class HostTestPDEPlugIn : public PDEPlugInEntry {
public:
    HostTestPDEPlugIn() : PDEPlugInEntry({&kHostTestOffer, &kHostTestKeptOffer}) {}
};

} // namespace

KESTRANE_PDE_ENTRY_CLASS(HostTestPDEPlugIn);

} // namespace KESTRANE_NS
