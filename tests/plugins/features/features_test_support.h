// The finishing panel as the dialog loads it, for tests: the plug-ins of the
// build, a dialog session on a PPD variant, private preferences and the
// recording platform services that play the person at alerts and windows.
#pragma once

#include "DialogSession.h"
#include "PlugInLoader.h"
#include "RecordingPlatformServices.h"

#include <QTemporaryDir>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;

namespace featurestest {

inline const std::string kKey = "com.kestrane.mtz.printsettings.";
inline const char* kPanelKind = "com.kestrane.mtk.pde.PrintFeaturesKind";

// A copy of a PPD with each (old line start, new line) replacement applied to
// the first line that starts with it; an empty new line drops it.
std::string WritePPDVariant(const QTemporaryDir& dir, const std::string& source,
                            const std::vector<std::pair<std::string, std::string>>& edits,
                            const std::string& name);

PlugInLoadReport& PlugIns();

QWidget* Tagged(QWidget* root, int tag);
// Chooses list item `item` (from 1) as a person does.
void Choose(QWidget* root, int tag, int item);
void Click(QWidget* root, int tag);
// Types text into a field and leaves it.
void Type(QWidget* root, int tag, const std::string& text);
std::string Text(QWidget* root, int tag);
bool ItemEnabled(QWidget* root, int tag, int item);
int Current(QWidget* root, int tag); // item from 1

class FeaturesSession {
public:
    FeaturesSession();
    ~FeaturesSession();

    // Opens the printer on the PPD; `before` runs before the panels are
    // asked for (to put values into the settings or preferences). False when
    // no finishing panel is offered.
    bool Open(const std::string& ppd, const std::function<void()>& before = {});
    // A new dialog for the same printer, with the preferences kept so far.
    bool Reopen(const std::string& ppd);
    PDEPanel& Panel() { return *panel; }
    QWidget* View() { return view; }
    DialogSession& Session() { return session; }
    RecordingPlatformServices& Services() { return services; }
    void SetPreference(const std::string& key, const std::string& value);
    // Plays the person at the next modal window.
    void AtNextWindow(std::function<void(QWidget*)> play);
    // Saves the panel and answers the ticket value of a key (without prefix).
    std::string Saved(const std::string& key);
    std::string Marked(const char* option);
    const char* printer = "Finisher";

private:
    QTemporaryDir prefs;
    RecordingPlatformServices services;
    ScopedPlatformServices scope{&services};
    DialogSession session;
    PDEPanel* panel = nullptr;
    QWidget* view = nullptr;
};

} // namespace featurestest
