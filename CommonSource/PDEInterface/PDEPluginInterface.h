// The boundary between the print dialog host and its plug-ins.
//
// A plug-in is a bundle directory (Info.json, Resources/, Help/ and the shared
// library "<name>.so"). The host opens the library, looks up the one exported
// C entry function and asks it for an entry object; the entry object offers
// panels; the host then drives every panel through the panel protocol and
// gives each panel a callback object through which it reaches the PPD, the
// print settings being edited and the print session, and reports PPD choices.
//
// Nothing here lives in a plug-in namespace: host and plug-ins share these
// classes, while each plug-in's own classes are hidden inside its library.
// Objects made by a plug-in are deleted by the host through their virtual
// destructors, which run the plug-in's own code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariantMap>

class QWidget;
class PrintSettings;
class PrintSession;
class PageFormat;
class PluginBundle;
typedef struct ppd_file_s ppd_file_t;

// The only dialog type that gets panels; page setup and others get none.
inline constexpr const char* kPDEPrintDialogType = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

// Key of summaryInfo whose value (a QStringList) lists the titles in display order.
inline constexpr const char* kPDESummaryDisplayOrder = "Summary Display Order";

// What the dialog gives each panel. Owned by the host; it outlives the panels.
class PDEPlugInCallbackProtocol {
public:
    virtual ~PDEPlugInCallbackProtocol() = default;

    // The current printer's PPD (opened and owned by the host), or null.
    virtual ppd_file_t* ppdFile() = 0;
    // The print settings (ticket) being edited, or null.
    virtual PrintSettings* printSettings() = 0;
    // The print session, whose current printer is the CUPS queue, or null.
    virtual PrintSession* printSession() = 0;
    // The page format of the job (paper rectangle, orientation), or null.
    virtual PageFormat* pageFormat() = 0;
    // A PPD-bound control reports its choice: option main keyword and choice
    // keyword. The host marks it and sends it with the job as a PPD option.
    // NO when the host refuses (unknown option or choice).
    virtual bool willChangePPDOptionKeyValue(const std::string& option,
                                             const std::string& choice) = 0;
};

// The panel protocol. Every request runs on the dialog's main thread.
class PDEPanel {
public:
    virtual ~PDEPanel() = default;

    // Title shown in the dialog's panel chooser.
    virtual QString panelName() = 0;
    // Identifier of the panel's kind, e.g. "com.kestrane.mtk.pde.WaterMarkKind".
    virtual std::string panelKind() = 0;
    // The panel's view (loaded the first time); owned by the panel. The host
    // may reparent it into its own window but never deletes it.
    virtual QWidget* panelView() = 0;
    // PPD main keywords the panel shows itself; the host hides them elsewhere.
    virtual std::vector<std::string> supportedPPDOptionKeys() = 0;
    // Another part of the dialog changed a PPD option.
    virtual void PPDOptionKeyValueDidChange(const std::string& option,
                                            const std::string& choice) = 0;
    virtual void willShow() = 0;
    virtual bool shouldHide() = 0;
    // Read the values from the print settings into the panel (the opening).
    // `error` may be null; on NO it may receive a text for the host's log.
    virtual bool restoreValuesAndReturnError(QString* error) = 0;
    // Write the panel's values into the print settings.
    virtual bool saveValuesAndReturnError(QString* error) = 0;
    // Last word before printing; NO stops the job.
    virtual bool shouldPrint() = 0;
    // NO when the panel has shown its own help.
    virtual bool shouldShowHelp() = 0;
    // Title → value text (QString) of every shown value, plus
    // kPDESummaryDisplayOrder → QStringList of the titles in panel order.
    // Empty when the panel has no summary.
    virtual QVariantMap summaryInfo() = 0;
};

using PDEPanelList = std::vector<std::unique_ptr<PDEPanel>>;

// The entry object of a plug-in.
class PDEPlugIn {
public:
    virtual ~PDEPlugIn() = default;

    // The plug-in's bundle (kept by the platform for the process's life).
    virtual bool initWithBundle(PluginBundle* bundle) = 0;
    // The panels offered for a dialog type; empty when there are none. The
    // host owns the panels and deletes them before the entry object.
    virtual PDEPanelList PDEPanelsForType(const std::string& type,
                                          PDEPlugInCallbackProtocol* hostInfo) = 0;
};

// The one exported function of a plug-in library. `className` names an entry
// class of the plug-in; null or empty asks for the bundle's principal class
// ("NSPrincipalClass" of Info.json). Returns a new entry object owned by the
// caller, or null for an unknown class.
#define KESTRANE_PDE_ENTRY_NAME "KestranePDEPlugInCreate"
using PDEPlugInEntryFunction = PDEPlugIn* (*)(const char* className);

#define KESTRANE_PDE_EXPORT extern "C" __attribute__((visibility("default")))

// Declares the entry function inside a plug-in's sources.
#define KESTRANE_PDE_DECLARE_ENTRY()                                                               \
    KESTRANE_PDE_EXPORT PDEPlugIn* KestranePDEPlugInCreate(const char* className)
