#include "QtPlatformServices.h"

#include "PlatformStatus.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVariant>

#include <cstdio>

namespace {

// Alerts and windows need a widget application; a command-line caller gets
// its alert on standard error instead of a crash.
bool HaveWidgetApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

const char* const kModalLoopProperty = "kestraneModalLoop";

} // namespace

int QtPlatformServices::RunAlert(const AlertRequest& request) {
    if (!HaveWidgetApplication()) {
        std::fprintf(stderr, "%s\n", request.message.c_str());
        if (!request.informativeText.empty())
            std::fprintf(stderr, "%s\n", request.informativeText.c_str());
        return 0;
    }
    QMessageBox box(request.parent);
    box.setText(QString::fromStdString(request.message));
    if (!request.informativeText.empty())
        box.setInformativeText(QString::fromStdString(request.informativeText));
    QPixmap icon;
    if (!request.iconPath.empty() && icon.load(QString::fromStdString(request.iconPath)))
        box.setIconPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        box.setIcon(QMessageBox::Warning);

    std::vector<QPushButton*> buttons;
    if (request.buttons.empty()) {
        buttons.push_back(box.addButton(QMessageBox::Ok));
    } else {
        for (const std::string& text : request.buttons)
            buttons.push_back(box.addButton(QString::fromStdString(text), QMessageBox::AcceptRole));
    }
    box.setDefaultButton(buttons.front());
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    return 0;
}

int QtPlatformServices::RunModal(QWidget* window) {
    if (!window || !HaveWidgetApplication())
        return 0;
    if (auto* dialog = qobject_cast<QDialog*>(window))
        return dialog->exec();
    // Other windows run in a local loop that StopModal ends.
    QEventLoop loop;
    window->setProperty(kModalLoopProperty, QVariant::fromValue(static_cast<void*>(&loop)));
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    const int code = loop.exec();
    window->setProperty(kModalLoopProperty, QVariant());
    window->hide();
    return code;
}

void QtPlatformServices::StopModal(QWidget* window, int code) {
    if (!window)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->done(code);
        return;
    }
    const QVariant loop = window->property(kModalLoopProperty);
    if (loop.isValid())
        static_cast<QEventLoop*>(loop.value<void*>())->exit(code);
    window->hide();
}

void QtPlatformServices::Beep() {
    if (HaveWidgetApplication())
        QApplication::beep();
}

int QtPlatformServices::OpenHelpPage(const std::string& url) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return kStatusFileNotFound;
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url))) ? kStatusNoErr
                                                                        : kStatusFileNotFound;
}

std::optional<std::string> QtPlatformServices::ChooseFile(const FileChooserRequest& request) {
    if (!HaveWidgetApplication())
        return std::nullopt;
    const QString title = QString::fromStdString(request.title);
    QString dir = QString::fromStdString(request.directory);
    const QString filter = QString::fromStdString(request.nameFilter);
    QString chosen;
    if (request.save) {
        if (!request.defaultName.empty())
            dir = dir.isEmpty() ? QString::fromStdString(request.defaultName)
                                : dir + "/" + QString::fromStdString(request.defaultName);
        chosen = QFileDialog::getSaveFileName(request.parent, title, dir, filter);
    } else {
        chosen = QFileDialog::getOpenFileName(request.parent, title, dir, filter);
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

std::optional<ChosenColor> QtPlatformServices::ChooseColor(const ColorChooserRequest& request) {
    if (!HaveWidgetApplication())
        return std::nullopt;
    QColor initial;
    initial.setRgbF(static_cast<float>(request.initial.red),
                    static_cast<float>(request.initial.green),
                    static_cast<float>(request.initial.blue));
    const QColor chosen =
        QColorDialog::getColor(initial, request.parent, QString::fromStdString(request.title));
    if (!chosen.isValid())
        return std::nullopt;
    return ChosenColor{chosen.redF(), chosen.greenF(), chosen.blueF()};
}
