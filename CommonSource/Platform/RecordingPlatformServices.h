// Services for tests: every request is recorded and answered at once from
// queues, so no test blocks on a person.
#pragma once

#include "PlatformServices.h"

#include <deque>
#include <functional>
#include <utility>

class KESTRANE_PLATFORM_EXPORT RecordingPlatformServices : public PlatformServices {
public:
    int RunAlert(const AlertRequest& request) override;
    int RunModal(QWidget* window) override;
    void StopModal(QWidget* window, int code) override;
    void Beep() override;
    int OpenHelpPage(const std::string& url) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    std::optional<ChosenColor> ChooseColor(const ColorChooserRequest& request) override;

    // What was asked, in order.
    std::vector<AlertRequest> alerts;
    std::vector<QWidget*> modalRuns;
    std::vector<std::pair<QWidget*, int>> modalStops;
    int beeps = 0;
    std::vector<std::string> helpPages;
    std::vector<FileChooserRequest> fileRequests;
    std::vector<ColorChooserRequest> colorRequests;

    // Answers, taken from the front. An empty queue answers button 0, a
    // cancelled chooser, and for a modal run the code of the last StopModal
    // made during it (else 0).
    std::deque<int> alertAnswers;
    // Plays the person at a modal window: it may change widgets and call
    // StopModal; it answers the run's code.
    std::deque<std::function<int(QWidget*)>> modalActions;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<ChosenColor>> colorAnswers;
    int helpStatus = 0;
};
