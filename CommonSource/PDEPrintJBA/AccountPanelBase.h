// What the job type and accounting panels share at the dialog boundary: the
// panel protocol over a base panel, the opening sequence, and the
// preference-first loading of values (the ticket overrides a preference only
// where it holds the key).
#pragma once

#include "BasePrintPanel.h"
#include "PDEPluginInterface.h"

#include <string>

namespace KESTRANE_NS {

class AccountPanelBase : public BasePrintPanel, public PDEPanel {
public:
    AccountPanelBase(PDECallbackRef callback, const char* titleKey, const char* kind);
    ~AccountPanelBase() override;

    void SetProductType(int32_t type) { productType = type; }
    int32_t GetProductType() const { return productType; }
    // Resource names from the PPD attribute value (part 0 and part 1).
    void SetResourceNames(std::string nibName, std::string helpPage);

    // Panel protocol.
    QString panelName() override;
    std::string panelKind() override { return kindName; }
    QWidget* panelView() override;
    std::vector<std::string> supportedPPDOptionKeys() override { return {}; }
    void PPDOptionKeyValueDidChange(const std::string&, const std::string&) override {}
    void willShow() override;
    bool shouldHide() override { return true; }
    bool restoreValuesAndReturnError(QString* error) override;
    bool saveValuesAndReturnError(QString* error) override;
    bool shouldPrint() override;
    bool shouldShowHelp() override;
    QVariantMap summaryInfo() override;

    // Values from the ticket where it has them; the others keep what the
    // preferences gave.
    bool GetValueFromPreset() override;
    // Opens the panel's help page.
    void ShowPanelHelp();
    bool IsFirstOpen() const { return firstOpen; }

protected:
    // Makes the controls and windows over the loaded view (first open).
    virtual void CreatePanelControls(ppd_file_t* ppd) = 0;
    // Writes the values: commit, preferences, ticket. The print path adds its
    // checks before it.
    virtual bool StoreValues(PMPrintSettings settings);
    // Runs the opening sequence; false without a PPD or view.
    bool OpenPanel();
    // Called each time the values have been shown.
    virtual void AfterValuesShown() {}
    // Reads every value again from the preferences and shows it.
    void ReloadFromPreferences();
    ppd_file_t* HostPPD() const;

    int32_t productType = 0;
    std::string nibName;
    std::string helpPage;
    const char* titleKey;
    std::string kindName;
    QWidget* view = nullptr;
    bool firstOpen = true;
    // Tags of the controls whose values go to the ticket in protected form.
    std::vector<int> scrambledControls;
};

} // namespace KESTRANE_NS
