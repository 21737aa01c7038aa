#include "PrinterOptionsPage.h"

#include "DialogSession.h"

#include <cups/cups.h>

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr const char* kCustomChoice = "Custom";

std::string UserLanguage() {
    cups_lang_t* lang = cupsLangDefault();
    return lang ? lang->language : "C";
}

bool IsCustomValue(const std::string& value) {
    return value.rfind("Custom.", 0) == 0 || value.rfind("{", 0) == 0;
}

} // namespace

PrinterOptionsPage::PrinterOptionsPage(DialogSession& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName("printerOptions");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    m_message = new QLabel;
    m_message->setObjectName("printerOptionsMessage");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("color: #b00020");
    outer->addWidget(m_message);
    m_content = new QWidget;
    m_groups = new QVBoxLayout(m_content);
    m_groups->addStretch(1);
    scroll->setWidget(m_content);
}

PrinterOptionsPage::~PrinterOptionsPage() = default;

void PrinterOptionsPage::Rebuild() {
    m_rows.clear();
    while (m_groups->count() > 1) {
        QLayoutItem* item = m_groups->takeAt(0);
        delete item->widget();
        delete item;
    }
    m_message->clear();
    const auto groups =
        UnownedPrinterOptions(m_session.ppdFile(), m_session.PanelOwnedOptions(), UserLanguage());
    for (const PrinterOptionGroup& g : groups) {
        auto* box = new QGroupBox(QString::fromStdString(g.text));
        box->setObjectName(QString::fromStdString(g.name));
        box->setLayout(new QFormLayout);
        for (const PrinterOption& o : g.options)
            AddRow(box, o);
        m_groups->insertWidget(m_groups->count() - 1, box);
    }
    Refresh();
}

void PrinterOptionsPage::AddRow(QWidget* group, const PrinterOption& option) {
    auto row = std::make_unique<Row>();
    row->option = option;
    auto* form = static_cast<QFormLayout*>(group->layout());
    auto* cell = new QWidget;
    auto* cellLayout = new QVBoxLayout(cell);
    cellLayout->setContentsMargins(0, 0, 0, 0);
    row->box = new QComboBox;
    row->box->setObjectName(QString::fromStdString(option.keyword));
    for (const PrinterChoice& c : option.choices)
        row->box->addItem(QString::fromStdString(c.text), QString::fromStdString(c.keyword));
    cellLayout->addWidget(row->box);
    if (!option.customParams.empty()) {
        row->customFields = new QWidget;
        auto* fields = new QFormLayout(row->customFields);
        fields->setContentsMargins(16, 0, 0, 0);
        for (const CustomParam& p : option.customParams) {
            auto* edit = new QLineEdit;
            edit->setObjectName(QString::fromStdString(option.keyword + "." + p.name));
            if (p.type == PPD_CUSTOM_PASSWORD || p.type == PPD_CUSTOM_PASSCODE)
                edit->setEchoMode(QLineEdit::Password);
            fields->addRow(QString::fromStdString(p.text.empty() ? p.name : p.text), edit);
            row->params.push_back(edit);
            Row* r = row.get();
            connect(edit, &QLineEdit::editingFinished, this, [this, r] {
                std::string message;
                if (r->box->currentData().toString() != kCustomChoice)
                    return;
                if (!Apply(*r, message))
                    m_message->setText(QString::fromStdString(message));
                Refresh();
            });
        }
        cellLayout->addWidget(row->customFields);
    }
    row->conflict = new QLabel;
    row->conflict->setStyleSheet("color: #b00020");
    row->conflict->hide();
    cellLayout->addWidget(row->conflict);
    form->addRow(QString::fromStdString(option.text) + ":", cell);

    Row* r = row.get();
    connect(row->box, &QComboBox::activated, this, [this, r](int) {
        std::string message;
        if (!Apply(*r, message) && !message.empty())
            m_message->setText(QString::fromStdString(message));
        Refresh();
    });
    m_rows.push_back(std::move(row));
}

PrinterOptionsPage::Row* PrinterOptionsPage::Find(const std::string& keyword) const {
    for (const auto& row : m_rows)
        if (row->option.keyword == keyword)
            return row.get();
    return nullptr;
}

std::string PrinterOptionsPage::Marked(const Row& row) const {
    ppd_choice_t* marked = ppdFindMarkedChoice(m_session.ppdFile(), row.option.keyword.c_str());
    return marked ? marked->choice : std::string();
}

bool PrinterOptionsPage::Apply(Row& row, std::string& message) {
    std::string value = row.box->currentData().toString().toStdString();
    row.customPending = false;
    if (value == kCustomChoice && !row.params.empty()) {
        std::vector<std::string> values;
        for (QLineEdit* e : row.params)
            values.push_back(e->text().toStdString());
        // Until the fields hold values the printer's own choice stays.
        if (std::all_of(values.begin(), values.end(), [](auto& v) { return v.empty(); })) {
            row.customPending = true;
            return false;
        }
        if (!MakeCustomValue(row.option, values, value, message)) {
            row.customPending = true;
            return false;
        }
    }
    m_message->clear();
    if (!m_session.ChoosePPDOption(row.option.keyword, value)) {
        message = "the printer refuses " + row.option.keyword + "=" + value;
        return false;
    }
    return true;
}

void PrinterOptionsPage::Refresh() {
    ppd_file_t* ppd = m_session.ppdFile();
    if (!ppd)
        return;
    for (const auto& row : m_rows) {
        auto* model = qobject_cast<QStandardItemModel*>(row->box->model());
        const std::string marked = Marked(*row);
        QStringList markedConflicts;
        for (int i = 0; i < row->box->count(); ++i) {
            const std::string choice = row->box->itemData(i).toString().toStdString();
            const auto others = ConflictingOptions(ppd, row->option.keyword, choice);
            QStringList names;
            for (const std::string& o : others) {
                ppd_option_t* opt = ppdFindOption(ppd, o.c_str());
                names << QString::fromStdString(opt && opt->text[0] ? opt->text : o);
            }
            const bool forbidden = !names.isEmpty();
            if (QStandardItem* item = model ? model->item(i) : nullptr) {
                // The marked choice stays choosable so the person sees it.
                item->setEnabled(!forbidden || choice == marked);
                item->setToolTip(forbidden ? tr("Conflicts with %1").arg(names.join(", "))
                                           : QString());
            }
            if (choice == marked)
                markedConflicts = names;
        }
        const int index = row->box->findData(QString::fromStdString(marked));
        if (index >= 0 && !row->customPending)
            row->box->setCurrentIndex(index);
        if (row->customFields)
            row->customFields->setEnabled(marked == kCustomChoice || row->customPending);
        row->conflict->setVisible(!markedConflicts.isEmpty());
        row->conflict->setText(tr("Conflicts with %1").arg(markedConflicts.join(", ")));
    }
}

bool PrinterOptionsPage::Choose(const std::string& keyword, const std::string& value,
                                std::string& message) {
    Row* row = Find(keyword);
    if (!row) {
        message = "the printer-options page has no option \"" + keyword + "\"";
        return false;
    }
    std::string choice = value;
    if (IsCustomValue(value)) {
        std::vector<std::string> values;
        if (!ParseCustomValue(row->option, value, values)) {
            message = row->option.keyword + " takes no custom value \"" + value + "\"";
            return false;
        }
        for (size_t i = 0; i < values.size(); ++i)
            row->params[i]->setText(QString::fromStdString(values[i]));
        choice = kCustomChoice;
    }
    const int index = row->box->findData(QString::fromStdString(choice));
    if (index < 0) {
        message = "option " + keyword + " has no choice \"" + choice + "\"";
        return false;
    }
    const auto others = ConflictingOptions(m_session.ppdFile(), keyword, choice);
    if (!others.empty() && choice != Marked(*row)) {
        std::string names;
        for (const std::string& o : others)
            names += (names.empty() ? "" : ", ") + o;
        message = keyword + "=" + choice + " conflicts with " + names;
        return false;
    }
    row->box->setCurrentIndex(index);
    const bool ok = Apply(*row, message);
    Refresh();
    if (!ok && message.empty())
        message = "every field of " + keyword + " needs a value";
    return ok;
}

std::vector<std::pair<QString, QString>> PrinterOptionsPage::SummaryRows() const {
    std::vector<std::pair<QString, QString>> out;
    for (const auto& row : m_rows)
        out.emplace_back(QString::fromStdString(row->option.text), row->box->currentText());
    return out;
}
