#include "DialogSession.h"

#include "PageRanges.h"
#include "PlugInLoader.h"

#include <cups/ppd.h>

#include <QVariant>
#include <QWidget>

// The dialog reads the PPD through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

DialogSession::DialogSession() = default;

DialogSession::~DialogSession() {
    Close();
}

bool DialogSession::Open(const std::string& printerID, const std::string& ppdPath,
                         const OptionList& printerDefaults, std::string& error) {
    Close();
    ppd_file_t* ppd = ppdOpenFile(ppdPath.c_str());
    if (!ppd) {
        int line = 0;
        ppd_status_t status = ppdLastError(&line);
        error = ppdPath + ": " + ppdErrorString(status) + " (line " + std::to_string(line) + ")";
        return false;
    }
    m_ppd = ppd;
    ppdMarkDefaults(m_ppd);
    for (const auto& [option, choice] : printerDefaults)
        ppdMarkOption(m_ppd, option.c_str(), choice.c_str());
    m_printerID = printerID;
    m_settings = std::make_unique<PrintSettings>();
    m_session.SetCurrentPrinter(printerID);
    m_session.SetPPD(m_ppd);
    m_ppdChoices.clear();
    m_pageFormat = PageFormat();
    if (ppd_choice_t* marked = ppdFindMarkedChoice(m_ppd, "PageSize"))
        SetPaper(marked->choice);
    // The paper the printer defaults to is not a choice of the person.
    m_ppdChoices.clear();
    return true;
}

void DialogSession::Close() {
    // Panels go before the PPD and settings they point at.
    m_panels.clear();
    m_settings.reset();
    m_session.ClearCurrentPrinter();
    m_session.SetPPD(nullptr);
    if (m_ppd)
        ppdClose(m_ppd);
    m_ppd = nullptr;
    m_ppdChoices.clear();
    m_paper.clear();
}

void DialogSession::CollectPanels(std::vector<LoadedPlugIn>& plugins) {
    m_panels.clear();
    m_panelOptions.clear();
    for (LoadedPlugIn& plugin : plugins) {
        for (auto& entry : plugin.entries) {
            PDEPanelList offered = entry->PDEPanelsForType(kPDEPrintDialogType, this);
            for (auto& panel : offered) {
                if (!panel)
                    continue;
                PanelEntry e;
                e.name = panel->panelName();
                e.kind = panel->panelKind();
                panel->panelView();
                for (const std::string& key : panel->supportedPPDOptionKeys())
                    m_panelOptions.insert(key);
                e.panel = std::move(panel);
                m_panels.push_back(std::move(e));
            }
        }
    }
}

void DialogSession::RestoreAllPanels() {
    for (PanelEntry& e : m_panels) {
        e.panel->restoreValuesAndReturnError(nullptr);
        e.restored = true;
    }
}

int DialogSession::FindPanel(const std::string& nameOrKind) const {
    for (size_t i = 0; i < m_panels.size(); ++i) {
        if (m_panels[i].kind == nameOrKind || m_panels[i].name.toStdString() == nameOrKind)
            return static_cast<int>(i);
    }
    return -1;
}

bool DialogSession::HidePanel(int index) {
    if (index < 0 || index >= static_cast<int>(m_panels.size()))
        return true;
    PDEPanel* panel = m_panels[index].panel.get();
    if (!panel->shouldHide())
        return false;
    // Other panels read what this one wrote (the job type, for one).
    panel->saveValuesAndReturnError(nullptr);
    return true;
}

void DialogSession::ShowPanel(int index) {
    if (index < 0 || index >= static_cast<int>(m_panels.size()))
        return;
    PanelEntry& e = m_panels[index];
    if (!e.restored) {
        e.panel->restoreValuesAndReturnError(nullptr);
        e.restored = true;
    }
    e.panel->willShow();
}

void DialogSession::SaveAllPanels() {
    for (PanelEntry& e : m_panels)
        e.panel->saveValuesAndReturnError(nullptr);
}

std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> DialogSession::Summary() {
    std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> out;
    for (PanelEntry& e : m_panels) {
        QVariantMap info = e.panel->summaryInfo();
        std::vector<std::pair<QString, QString>> rows;
        const QStringList order = info.value(kPDESummaryDisplayOrder).toStringList();
        for (const QString& title : order)
            rows.emplace_back(title, info.value(title).toString());
        // Entries the order list forgot still show, after the ordered ones.
        for (auto it = info.cbegin(); it != info.cend(); ++it) {
            if (it.key() != kPDESummaryDisplayOrder && !order.contains(it.key()))
                rows.emplace_back(it.key(), it.value().toString());
        }
        out.emplace_back(e.name, std::move(rows));
    }
    return out;
}

std::vector<PaperChoice> DialogSession::PaperChoices() const {
    std::vector<PaperChoice> out;
    if (!m_ppd)
        return out;
    ppd_option_t* option = ppdFindOption(m_ppd, "PageSize");
    if (!option)
        return out;
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t& c = option->choices[i];
        ppd_size_t* size = ppdPageSize(m_ppd, c.choice);
        if (!size || size->width <= 0 || size->length <= 0)
            continue; // "Custom" and sizes without dimensions
        out.push_back({c.choice, c.text[0] ? c.text : c.choice, size->width, size->length});
    }
    return out;
}

bool DialogSession::SetPaper(const std::string& keyword) {
    for (const PaperChoice& p : PaperChoices()) {
        if (p.keyword != keyword)
            continue;
        if (!MarkAndRecord("PageSize", keyword))
            return false;
        m_pageFormat.SetPaper(keyword, p.width, p.length, false);
        m_paper = keyword;
        return true;
    }
    return false;
}

bool DialogSession::SetPageRanges(const std::string& text, std::string& message) {
    std::string ranges;
    if (!NormalizePageRanges(text, ranges, message))
        return false;
    m_pageRanges = ranges;
    return true;
}

void DialogSession::SetOrientation(PMOrientation orientation) {
    m_pageFormat.SetOrientation(orientation);
    m_layout.landscape = orientation == kPMLandscape || orientation == kPMReverseLandscape;
}

bool DialogSession::ChoosePPDOption(const std::string& option, const std::string& choice) {
    return willChangePPDOptionKeyValue(option, choice);
}

bool DialogSession::MarkAndRecord(const std::string& option, const std::string& choice) {
    if (!m_ppd)
        return false;
    ppd_option_t* o = ppdFindOption(m_ppd, option.c_str());
    if (!o)
        return false;
    const bool custom = (choice.rfind("Custom.", 0) == 0 || choice.rfind("{", 0) == 0) &&
                        ppdFindCustomOption(m_ppd, option.c_str());
    if (!custom && !ppdFindChoice(o, choice.c_str()))
        return false;
    ppdMarkOption(m_ppd, option.c_str(), choice.c_str());
    m_ppdChoices.emplace_back(option, choice);
    return true;
}

bool DialogSession::willChangePPDOptionKeyValue(const std::string& option,
                                                const std::string& choice) {
    if (!MarkAndRecord(option, choice))
        return false;
    // Tell the panels; a panel that reports back while being told does not
    // start a second round.
    if (m_notifying)
        return true;
    m_notifying = true;
    for (PanelEntry& e : m_panels)
        e.panel->PPDOptionKeyValueDidChange(option, choice);
    m_notifying = false;
    return true;
}

bool DialogSession::ShouldPrint(std::string& refusedBy) {
    for (PanelEntry& e : m_panels) {
        if (!e.panel->shouldPrint()) {
            refusedBy = e.name.toStdString();
            return false;
        }
    }
    if (m_settings)
        WritePageLayout(m_layout, *m_settings);
    return true;
}

JobRequest DialogSession::MakeJobRequest() const {
    JobRequest r;
    if (m_settings)
        r.settingsText = m_settings->TextValues();
    r.ppdChoices = m_ppdChoices;
    r.copies = m_copies;
    r.collate = m_collate;
    r.pageRanges = m_pageRanges;
    r.orientation = m_pageFormat.GetOrientation();
    r.pagesPerSheet = m_layout.pagesPerSheet;
    r.layoutDirection = m_layout.direction;
    return r;
}
