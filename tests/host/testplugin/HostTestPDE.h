// The test panel of the dialog host's test plug-in: a few controls of every
// kind the host drives, a child window, a help button, and a trace of the
// opening sequence written into the print settings so that the host's tests
// see which steps ran.
#pragma once

#include "PDEPrintPanel.h"
#include "RadioButton.h"

#include <QDateTimeEdit>
#include <QPointer>

namespace KESTRANE_NS {

class PopupWinInPanel;

class HostTestPDE : public PDEPrintPanel {
public:
    // A panel keeping its values in the preferences has a title of its own
    // and no help button: it opens its help page itself.
    HostTestPDE(PDEPlugInCallbackProtocol* callback, const char* kind, bool keepsValues = false);
    ~HostTestPDE() override;

    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    bool SimulationOpenPDE() override;

protected:
    bool LoadPanelControls() override;
    std::vector<std::string> PanelPPDOptionKeys() override;
    BaseControl* GetHelpButtonControl() override {
        return KeepsValuesInPreferences() ? nullptr : helpButton;
    }
    void SaveValuesToTicket(PrintSettings* settings) override;

private:
    BaseControl* helpButton = nullptr;
    PopupWinInPanel* child = nullptr;
    int loads = 0;
    int opens = 0;
    int conflictChecks = 0;
    int lastAlertAnswer = -1;
    // Date and time fields without a control of their own: the panel writes
    // what they show, so the host's tests see what a script entered.
    QPointer<QDateTimeEdit> timeField;
    QPointer<QDateTimeEdit> dateTimeField;
};

} // namespace KESTRANE_NS
