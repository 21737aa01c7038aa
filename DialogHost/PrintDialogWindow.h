// The dialog's window: destination, copies, paper and orientation at the top;
// a chooser between the dialog's own layout section, every plug-in panel and
// the summary; Print and Cancel.
#pragma once

#include "CupsQueue.h"

#include <QDialog>
#include <QImage>

#include <string>
#include <vector>

class DialogSession;
class QComboBox;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;
class QPushButton;
class QLabel;
class QCheckBox;
class QLineEdit;
class PrinterOptionsPage;

class PrintDialogWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrintDialogWindow(DialogSession& session, QWidget* parent = nullptr);
    ~PrintDialogWindow() override;

    // The destination chooser; `offlinePPD` names the PPD file when the
    // dialog works without a queue.
    void SetDestinations(const std::vector<Destination>& destinations, const std::string& current,
                         const std::string& offlinePPD);
    // Re-reads the session after a printer was opened: paper list, panels.
    void Rebuild();
    // Hands the panel views back to their panels (before the panels go).
    void ReleasePanelViews();

    // Chooser pages: 0 the layout section, 1..n the panels, then the
    // printer-options page when the printer has options no panel owns, and
    // the summary last.
    int PageCount() const;
    int CurrentPage() const;
    // Switches like a person would (the shown panel may refuse to hide).
    bool ChoosePage(int page);
    int LayoutPage() const { return 0; }
    int SummaryPage() const;
    int OptionsPage() const; // -1 when the printer has no such options
    PrinterOptionsPage& Options() { return *m_options; }
    // The widget shown for a page.
    QWidget* PageWidget(int page) const;
    QString PageTitle(int page) const;

    // The dialog's own controls, as a person sets them.
    bool ChooseCopies(int copies);
    bool ChoosePaper(const std::string& keyword);
    bool ChooseOrientation(int orientation);
    bool ChoosePagesPerSheet(int n);
    bool ChooseLayoutDirection(int direction);
    bool ChooseCollate(bool collate);
    // False with a message for text that names no pages.
    bool ChoosePageRanges(const std::string& text, std::string& message);
    // A line beside the buttons; an error shows in the error colour.
    void ShowStatus(const QString& text, bool error = false);
    // The first page of the document on the layout section; `note` instead
    // when there is no picture.
    void SetPreview(const QImage& page, const QString& note);
    // A picture of the whole dialog showing the page; no panel is told.
    QImage GrabPage(int page);

signals:
    void printerChosen(const QString& name);
    void printRequested();
    void cancelRequested();

private:
    void FillSummary();
    void SyncFromSession();

    DialogSession& m_session;
    QComboBox* m_printer = nullptr;
    QLabel* m_printerStatus = nullptr;
    QSpinBox* m_copies = nullptr;
    QCheckBox* m_collate = nullptr;
    QLineEdit* m_pageRanges = nullptr;
    QComboBox* m_paper = nullptr;
    QComboBox* m_orientation = nullptr;
    QComboBox* m_chooser = nullptr;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_layoutPage = nullptr;
    QComboBox* m_pagesPerSheet = nullptr;
    QComboBox* m_direction = nullptr;
    QLabel* m_preview = nullptr;
    QTreeWidget* m_summary = nullptr;
    PrinterOptionsPage* m_options = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_current = 0;
};
