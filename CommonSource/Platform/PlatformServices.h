// The services that need a person: alerts, modal runs of a window, beeps,
// the help viewer and the file chooser. One implementation is installed at a
// time; tests install a recording one so nothing ever blocks.
#pragma once

#include "PlatformExport.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

struct AlertRequest {
    std::string message;              // main text (already localised)
    std::string informativeText;      // may be empty
    std::string iconPath;             // image file; empty for the standard icon
    std::vector<std::string> buttons; // first is the default; empty means "OK"
    QWidget* parent = nullptr;
};

struct FileChooserRequest {
    bool save = false; // save chooser (else open)
    std::string title;
    std::string directory;   // start directory; may be empty
    std::string nameFilter;  // e.g. "Images (*.png *.jpg)"; may be empty
    std::string defaultName; // proposed file name for a save chooser
    QWidget* parent = nullptr;
};

// A colour as the colour chooser answers it: components from 0 to 1.
struct ChosenColor {
    double red = 0;
    double green = 0;
    double blue = 0;
};

struct ColorChooserRequest {
    std::string title;
    ChosenColor initial;
    QWidget* parent = nullptr;
};

class KESTRANE_PLATFORM_EXPORT PlatformServices {
public:
    virtual ~PlatformServices();

    // Shows the alert and answers the index of the button chosen (0: first).
    virtual int RunAlert(const AlertRequest& request) = 0;
    // Runs the window modally until StopModal; answers the code given there.
    virtual int RunModal(QWidget* window) = 0;
    virtual void StopModal(QWidget* window, int code) = 0;
    virtual void Beep() = 0;
    // Opens a help page URL ("file:///...#anchor"); 0 or a status.
    virtual int OpenHelpPage(const std::string& url) = 0;
    // The chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;
    // The chosen colour, or nullopt when cancelled (also where no chooser
    // can be shown).
    virtual std::optional<ChosenColor> ChooseColor(const ColorChooserRequest& request);
};

// The installed services; the Qt implementation when none was installed.
KESTRANE_PLATFORM_EXPORT PlatformServices& Services();
// Installs services (not owned; null restores the Qt implementation) and
// answers the ones installed before.
KESTRANE_PLATFORM_EXPORT PlatformServices* InstallPlatformServices(PlatformServices* services);

// Installs services for a scope and restores the previous ones after it.
class ScopedPlatformServices {
public:
    explicit ScopedPlatformServices(PlatformServices* services)
        : m_previous(InstallPlatformServices(services)) {}
    ~ScopedPlatformServices() { InstallPlatformServices(m_previous); }
    ScopedPlatformServices(const ScopedPlatformServices&) = delete;
    ScopedPlatformServices& operator=(const ScopedPlatformServices&) = delete;

private:
    PlatformServices* m_previous;
};
