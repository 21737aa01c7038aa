// The printer-options page of the dialog: one list per PPD option that no
// plug-in panel owns, grouped as the PPD groups them, with the fields of
// custom options. Choices the PPD's constraints forbid are greyed out, as the
// panels show them; every choice goes to the session as a PPD choice.
#pragma once

#include "PrinterOptions.h"

#include <QWidget>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class DialogSession;
class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

class PrinterOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit PrinterOptionsPage(DialogSession& session, QWidget* parent = nullptr);
    ~PrinterOptionsPage() override;

    // Reads the open printer's options anew.
    void Rebuild();
    bool IsEmpty() const { return m_rows.empty(); }
    bool HasOption(const std::string& keyword) const { return Find(keyword) != nullptr; }
    // Shows the marked choices and the conflicts of the moment.
    void Refresh();

    // Chooses as a person would: a choice keyword, or for a custom option
    // "Custom.VALUE" / "{PARAM=VALUE ...}". False with a message when the
    // choice is missing, forbidden by a constraint or out of range.
    bool Choose(const std::string& keyword, const std::string& value, std::string& message);

    // (option text, chosen text) of every option, for the summary.
    std::vector<std::pair<QString, QString>> SummaryRows() const;

private:
    struct Row {
        PrinterOption option;
        QComboBox* box = nullptr;
        QLabel* conflict = nullptr;
        QWidget* customFields = nullptr;
        std::vector<QLineEdit*> params;
        // "Custom" is shown while the person fills in its fields; the
        // printer's choice changes once they hold a value.
        bool customPending = false;
    };
    Row* Find(const std::string& keyword) const;
    void AddRow(QWidget* group, const PrinterOption& option);
    // The value of the row's shown choice (custom: from its fields).
    bool Apply(Row& row, std::string& message);
    std::string Marked(const Row& row) const;

    DialogSession& m_session;
    QVBoxLayout* m_groups = nullptr;
    QWidget* m_content = nullptr;
    QLabel* m_message = nullptr;
    std::vector<std::unique_ptr<Row>> m_rows;
};
