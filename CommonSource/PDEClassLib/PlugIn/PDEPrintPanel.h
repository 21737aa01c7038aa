// What every plug-in panel does at the dialog's boundary: the panel protocol
// answered by means of the base panel, and the opening sequence that loads
// the interface file, builds the controls on the first open and reads the
// values from the print settings on every open.
#pragma once

#include "BasePrintPanel.h"

#include "PDEPluginInterface.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

namespace KESTRANE_NS {

class BaseControl;

class PDEPrintPanel : public PDEPanel, public BasePrintPanel {
public:
    // initWithCallback: the dialog's callback object and the panel's kind.
    // A bundle with two panels names each panel's title by its own key.
    PDEPrintPanel(PDEPlugInCallbackProtocol* callback, const char* kind,
                  const char* titleKey = "PDE Title");
    ~PDEPrintPanel() override;

    // Panel protocol.
    QString panelName() override;
    std::string panelKind() override { return m_panelKind; }
    QWidget* panelView() override;
    std::vector<std::string> supportedPPDOptionKeys() override;
    void PPDOptionKeyValueDidChange(const std::string&, const std::string&) override {}
    void willShow() override;
    bool shouldHide() override { return true; }
    bool restoreValuesAndReturnError(QString* error) override;
    bool saveValuesAndReturnError(QString* error) override;
    bool shouldPrint() override;
    bool shouldShowHelp() override;
    QVariantMap summaryInfo() override;

    // The opening sequence; NO only when the first open could not register
    // the help book.
    virtual bool SimulationOpenPDE();
    // With preferences kept, the ticket overrides a kept value only where it
    // holds the control's key.
    bool GetValueFromPreset() override;

    // Set by the entry object when it makes the panel.
    void SetPanelResources(const std::string& interfacePath, const std::string& nibName,
                           const std::string& helpPage);
    const std::string& GetHelpPageName() const { return m_helpPage; }
    virtual void SetProductType(int productType) { currentProductType = productType; }
    int GetProductType() const { return currentProductType; }
    bool IsFirstInitialize() const { return bFirstInitialzePDE; }

protected:
    // Panel-specific loading of the first open: create the controls and
    // child windows and register them. The view is loaded and CreatePanel:
    // has run.
    virtual bool LoadPanelControls() { return true; }
    // The PPD main keywords the panel shows.
    virtual std::vector<std::string> PanelPPDOptionKeys() { return {}; }
    // The panel's help button control, when it has one.
    virtual BaseControl* GetHelpButtonControl() { return nullptr; }
    // Writes the committed values into the settings (not locked).
    virtual void SaveValuesToTicket(PrintSettings* settings);
    // Builds the constraint index from the cache file the PPD names
    // ("KRVCDFSetting"); false when the PPD names none or it cannot be read.
    bool LoadConstraintIndexFromCache(const char* baseName);

    // Loads the interface file the first time; the view, or null.
    QWidget* LoadPanelView();

    // Panels whose values live on in the user's preferences: the first open
    // reads them after the initial data, every later show reads them again,
    // and saving keeps them before writing the ticket. A panel never opened
    // has nothing of its own to keep, so saving it writes nothing.
    void SetKeepsValuesInPreferences(bool keeps) { m_keepsPreferences = keeps; }
    bool KeepsValuesInPreferences() const { return m_keepsPreferences; }
    // Reads the kept values again and shows them.
    void ReloadFromPreferences();
    // Called each time the values have been shown, for what depends on them.
    virtual void ValuesShown() {}
    // Tags of the controls whose values go to the ticket in protected form.
    void SetScrambledControls(std::vector<int> tags) { m_scrambledControls = std::move(tags); }
    // Without a help button, shouldShowHelp opens the panel's own help page
    // from the help book named by this key (none: nothing to show).
    void SetHelpBookNameKey(const char* key) { m_helpBookNameKey = key; }

    bool bFirstInitialzePDE = true;
    int currentProductType = -1;
    std::string currentPDENibFileName;

private:
    PDEPlugInCallbackProtocol* m_callback;
    std::string m_panelKind;
    const char* m_titleKey;
    const char* m_helpBookNameKey = nullptr;
    bool m_keepsPreferences = false;
    std::vector<int> m_scrambledControls;
    std::string m_interfacePath;
    std::string m_helpPage;
    QPointer<QWidget> m_view;
    std::unique_ptr<CQuickXPPDIndex> m_cacheIndex;
};

} // namespace KESTRANE_NS
