#include "features_test_support.h"

#include "PreferenceStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QWidget>

#include <cups/ppd.h>

#include <fstream>
#include <sstream>

// The test reads the marked PPD choice through libcups, as the dialog does.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace featurestest {

std::string WritePPDVariant(const QTemporaryDir& dir, const std::string& source,
                            const std::vector<std::pair<std::string, std::string>>& edits,
                            const std::string& name) {
    std::ifstream in(source);
    std::ostringstream out;
    std::vector<bool> done(edits.size(), false);
    for (std::string line; std::getline(in, line);) {
        bool replaced = false;
        for (size_t i = 0; i < edits.size() && !replaced; ++i) {
            if (!done[i] && line.rfind(edits[i].first, 0) == 0) {
                done[i] = replaced = true;
                if (!edits[i].second.empty())
                    out << edits[i].second << '\n';
            }
        }
        if (!replaced)
            out << line << '\n';
    }
    const std::string path = (dir.path() + "/").toStdString() + name;
    std::ofstream(path) << out.str();
    return path;
}

PlugInLoadReport& PlugIns() {
    static PlugInLoadReport report = LoadPlugIns(FEATURES_PLUGIN_DIR);
    return report;
}

QWidget* Tagged(QWidget* root, int tag) {
    if (!root)
        return nullptr;
    if (root->property("tag").isValid() && root->property("tag").toInt() == tag)
        return root;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->property("tag").isValid() && w->property("tag").toInt() == tag)
            return w;
    return nullptr;
}

void Choose(QWidget* root, int tag, int item) {
    auto* combo = qobject_cast<QComboBox*>(Tagged(root, tag));
    if (!combo)
        return;
    combo->setCurrentIndex(item - 1);
    emit combo->activated(item - 1);
}

void Click(QWidget* root, int tag) {
    if (auto* button = qobject_cast<QAbstractButton*>(Tagged(root, tag)))
        button->click();
}

void Type(QWidget* root, int tag, const std::string& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(Tagged(root, tag))) {
        edit->setText(QString::fromStdString(text));
        emit edit->editingFinished();
    }
}

std::string Text(QWidget* root, int tag) {
    auto* edit = qobject_cast<QLineEdit*>(Tagged(root, tag));
    return edit ? edit->text().toStdString() : std::string("<no field>");
}

bool ItemEnabled(QWidget* root, int tag, int item) {
    auto* combo = qobject_cast<QComboBox*>(Tagged(root, tag));
    auto* model = combo ? qobject_cast<QStandardItemModel*>(combo->model()) : nullptr;
    return model && model->item(item - 1) && model->item(item - 1)->isEnabled();
}

int Current(QWidget* root, int tag) {
    auto* combo = qobject_cast<QComboBox*>(Tagged(root, tag));
    return combo ? combo->currentIndex() + 1 : -1;
}

FeaturesSession::FeaturesSession() {
    setenv("KESTRANE_PREFS_USER_ROOT", (prefs.path() + "/user").toUtf8().constData(), 1);
    setenv("KESTRANE_PREFS_SYSTEM_ROOT", (prefs.path() + "/system").toUtf8().constData(), 1);
    PreferenceStore::Shared().Reset();
}

FeaturesSession::~FeaturesSession() {
    session.Close();
}

void FeaturesSession::SetPreference(const std::string& key, const std::string& value) {
    PreferenceStore::Shared().SetValue(key, value, kPreferencesCurrentUser);
    PreferenceStore::Shared().Synchronize(kPreferencesCurrentUser);
}

bool FeaturesSession::Open(const std::string& ppd, const std::function<void()>& before) {
    std::string error;
    if (!session.Open(printer, ppd, {}, error))
        return false;
    if (before)
        before();
    session.CollectPanels(PlugIns().plugins);
    const int index = session.FindPanel(kPanelKind);
    if (index < 0)
        return false;
    panel = session.Panels().at(index).panel.get();
    panel->restoreValuesAndReturnError(nullptr);
    panel->willShow();
    view = panel->panelView();
    return true;
}

bool FeaturesSession::Reopen(const std::string& ppd) {
    session.Close();
    panel = nullptr;
    view = nullptr;
    return Open(ppd);
}

void FeaturesSession::AtNextWindow(std::function<void(QWidget*)> play) {
    services.modalActions.push_back([play](QWidget* window) {
        play(window);
        return 0;
    });
}

std::string FeaturesSession::Saved(const std::string& key) {
    panel->saveValuesAndReturnError(nullptr);
    std::string value;
    if (session.printSettings()->GetText(kKey + key, value) != 0)
        return "<none>";
    return value;
}

std::string FeaturesSession::Marked(const char* option) {
    ppd_choice_t* choice = ppdFindMarkedChoice(session.ppdFile(), option);
    return choice ? choice->choice : "<none>";
}

} // namespace featurestest
