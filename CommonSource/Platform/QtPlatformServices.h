// The services on Qt Widgets: QMessageBox, QDialog::exec (or a local event
// loop for other windows), QApplication::beep, QDesktopServices, QFileDialog,
// QColorDialog.
// Without a QApplication alerts go to standard error and answer 0.
#pragma once

#include "PlatformServices.h"

class KESTRANE_PLATFORM_EXPORT QtPlatformServices : public PlatformServices {
public:
    int RunAlert(const AlertRequest& request) override;
    int RunModal(QWidget* window) override;
    void StopModal(QWidget* window, int code) override;
    void Beep() override;
    int OpenHelpPage(const std::string& url) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    std::optional<ChosenColor> ChooseColor(const ColorChooserRequest& request) override;
};
