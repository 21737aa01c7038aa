#include "RecordingPlatformServices.h"

int RecordingPlatformServices::RunAlert(const AlertRequest& request) {
    alerts.push_back(request);
    if (alertAnswers.empty())
        return 0;
    const int answer = alertAnswers.front();
    alertAnswers.pop_front();
    return answer;
}

int RecordingPlatformServices::RunModal(QWidget* window) {
    modalRuns.push_back(window);
    const std::size_t stopsBefore = modalStops.size();
    if (!modalActions.empty()) {
        auto action = std::move(modalActions.front());
        modalActions.pop_front();
        return action ? action(window) : 0;
    }
    if (modalStops.size() > stopsBefore)
        return modalStops.back().second;
    return 0;
}

void RecordingPlatformServices::StopModal(QWidget* window, int code) {
    modalStops.emplace_back(window, code);
}

void RecordingPlatformServices::Beep() {
    ++beeps;
}

int RecordingPlatformServices::OpenHelpPage(const std::string& url) {
    helpPages.push_back(url);
    return helpStatus;
}

std::optional<std::string>
RecordingPlatformServices::ChooseFile(const FileChooserRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<ChosenColor>
RecordingPlatformServices::ChooseColor(const ColorChooserRequest& request) {
    colorRequests.push_back(request);
    if (colorAnswers.empty())
        return std::nullopt;
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}
