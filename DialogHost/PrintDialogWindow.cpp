#include "PrintDialogWindow.h"

#include "DialogSession.h"
#include "PageLayout.h"
#include "PrinterStatus.h"
#include "PrinterOptionsPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

struct OrientationItem {
    int code;
    const char* text;
};
constexpr OrientationItem kOrientations[] = {
    {kPMPortrait, "Portrait"},
    {kPMLandscape, "Landscape"},
    {kPMReversePortrait, "Reverse portrait"},
    {kPMReverseLandscape, "Reverse landscape"},
};

struct DirectionItem {
    LayoutDirection code;
    const char* text;
};
constexpr DirectionItem kDirections[] = {
    {kLayoutLeftRightTopBottom, "Left to right, top to bottom"},
    {kLayoutRightLeftTopBottom, "Right to left, top to bottom"},
    {kLayoutTopBottomLeftRight, "Top to bottom, left to right"},
    {kLayoutTopBottomRightLeft, "Top to bottom, right to left"},
};

// Chooses the item holding data as the user would, so that the same handler
// runs; false when no item holds it.
bool ChooseItem(QComboBox* box, const QVariant& data) {
    const int index = box->findData(data);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    emit box->activated(index);
    return true;
}

} // namespace

PrintDialogWindow::PrintDialogWindow(DialogSession& session, QWidget* parent)
    : QDialog(parent), m_session(session) {
    setWindowTitle(tr("Print"));
    auto* top = new QFormLayout;
    m_printer = new QComboBox;
    m_printer->setObjectName("printer");
    top->addRow(tr("Printer:"), m_printer);
    m_printerStatus = new QLabel;
    m_printerStatus->setObjectName("printerStatus");
    top->addRow(tr("Status:"), m_printerStatus);
    m_copies = new QSpinBox;
    m_copies->setObjectName("copies");
    m_copies->setRange(1, 9999);
    m_collate = new QCheckBox(tr("Collated"));
    m_collate->setObjectName("collate");
    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(m_copies);
    copiesRow->addWidget(m_collate);
    copiesRow->addStretch(1);
    top->addRow(tr("Copies:"), copiesRow);
    m_pageRanges = new QLineEdit;
    m_pageRanges->setObjectName("pageRanges");
    m_pageRanges->setPlaceholderText(tr("All pages, or e.g. 1-3, 5, 8-"));
    top->addRow(tr("Pages:"), m_pageRanges);
    m_paper = new QComboBox;
    m_paper->setObjectName("paper");
    top->addRow(tr("Paper size:"), m_paper);
    m_orientation = new QComboBox;
    m_orientation->setObjectName("orientation");
    for (const OrientationItem& o : kOrientations)
        m_orientation->addItem(tr(o.text), o.code);
    top->addRow(tr("Orientation:"), m_orientation);

    m_chooser = new QComboBox;
    m_chooser->setObjectName("panelChooser");
    m_pages = new QStackedWidget;

    m_layoutPage = new QWidget;
    auto* layoutForm = new QFormLayout(m_layoutPage);
    m_pagesPerSheet = new QComboBox;
    m_pagesPerSheet->setObjectName("pagesPerSheet");
    for (int n : kPagesPerSheetChoices)
        m_pagesPerSheet->addItem(QString::number(n), n);
    layoutForm->addRow(tr("Pages per sheet:"), m_pagesPerSheet);
    m_direction = new QComboBox;
    m_direction->setObjectName("layoutDirection");
    for (const DirectionItem& d : kDirections)
        m_direction->addItem(tr(d.text), static_cast<int>(d.code));
    layoutForm->addRow(tr("Layout direction:"), m_direction);
    m_preview = new QLabel;
    m_preview->setObjectName("preview");
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->hide();
    layoutForm->addRow(tr("Preview:"), m_preview);

    m_summary = new QTreeWidget;
    m_summary->setObjectName("summary");
    m_summary->setColumnCount(2);
    m_summary->setHeaderLabels({tr("Setting"), tr("Value")});
    m_summary->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    m_options = new PrinterOptionsPage(m_session);

    m_pages->addWidget(m_layoutPage);
    m_pages->addWidget(m_summary);

    m_status = new QLabel;
    m_status->setObjectName("status");
    m_print = new QPushButton(tr("Print"));
    m_print->setObjectName("print");
    m_print->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setObjectName("cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_print);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(m_chooser);
    main->addWidget(m_pages, 1);
    main->addLayout(buttons);

    connect(m_printer, &QComboBox::activated, this,
            [this](int index) { emit printerChosen(m_printer->itemData(index).toString()); });
    connect(m_copies, &QSpinBox::valueChanged, this, [this](int v) {
        m_session.SetCopies(v);
        m_collate->setEnabled(v > 1);
    });
    connect(m_collate, &QCheckBox::toggled, this, [this](bool on) { m_session.SetCollate(on); });
    connect(m_pageRanges, &QLineEdit::editingFinished, this, [this] {
        std::string message;
        if (m_session.SetPageRanges(m_pageRanges->text().toStdString(), message))
            ShowStatus(QString());
        else
            ShowStatus(QString::fromStdString(message), true);
    });
    connect(m_paper, &QComboBox::activated, this, [this](int index) {
        if (!m_session.SetPaper(m_paper->itemData(index).toString().toStdString()))
            SyncFromSession();
    });
    connect(m_orientation, &QComboBox::activated, this, [this](int index) {
        m_session.SetOrientation(
            static_cast<PMOrientation>(m_orientation->itemData(index).toInt()));
    });
    connect(m_pagesPerSheet, &QComboBox::activated, this, [this](int index) {
        m_session.Layout().pagesPerSheet = m_pagesPerSheet->itemData(index).toInt();
    });
    connect(m_direction, &QComboBox::activated, this, [this](int index) {
        m_session.Layout().direction =
            static_cast<LayoutDirection>(m_direction->itemData(index).toInt());
    });
    connect(m_chooser, &QComboBox::activated, this, [this](int index) {
        if (!ChoosePage(index))
            m_chooser->setCurrentIndex(m_current);
    });
    connect(m_print, &QPushButton::clicked, this, &PrintDialogWindow::printRequested);
    connect(m_cancel, &QPushButton::clicked, this, &PrintDialogWindow::cancelRequested);

    resize(640, 560);
}

PrintDialogWindow::~PrintDialogWindow() {
    ReleasePanelViews();
    if (m_pages->indexOf(m_options) < 0)
        delete m_options;
}

void PrintDialogWindow::ReleasePanelViews() {
    // Panel views belong to their panels; the layout and summary pages stay.
    for (int i = m_pages->count() - 1; i >= 0; --i) {
        QWidget* w = m_pages->widget(i);
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            m_pages->removeWidget(scroll);
            if (QWidget* view = scroll->takeWidget())
                view->setParent(nullptr);
            delete scroll;
        }
    }
}

void PrintDialogWindow::SetDestinations(const std::vector<Destination>& destinations,
                                        const std::string& current, const std::string& offlinePPD) {
    m_printer->clear();
    if (!offlinePPD.empty()) {
        m_printer->addItem(QString::fromStdString(current + " (" + offlinePPD + ")"),
                           QString::fromStdString(current));
        m_printer->setEnabled(false);
        m_printerStatus->setText(tr("Working on a PPD file, no printer"));
        return;
    }
    for (const Destination& d : destinations) {
        QString text = QString::fromStdString(d.name);
        if (!d.info.empty() && d.info != d.name)
            text += QStringLiteral(" — ") + QString::fromStdString(d.info);
        m_printer->addItem(text, QString::fromStdString(d.name));
        if (d.name == current) {
            m_printer->setCurrentIndex(m_printer->count() - 1);
            const PrinterStatus status = ReadPrinterStatus(d.options);
            m_printerStatus->setText(QString::fromStdString(DescribePrinterStatus(status)));
        }
    }
    m_printer->setEnabled(true);
}

void PrintDialogWindow::Rebuild() {
    ReleasePanelViews();
    m_pages->removeWidget(m_layoutPage);
    m_pages->removeWidget(m_summary);
    m_pages->removeWidget(m_options);
    m_chooser->clear();
    m_chooser->addItem(tr("Layout"));
    m_pages->addWidget(m_layoutPage);
    for (PanelEntry& e : m_session.Panels()) {
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        if (QWidget* view = e.panel->panelView())
            scroll->setWidget(view);
        m_chooser->addItem(e.name);
        m_pages->addWidget(scroll);
    }
    m_options->Rebuild();
    if (!m_options->IsEmpty()) {
        m_chooser->addItem(tr("Printer Options"));
        m_pages->addWidget(m_options);
    }
    m_chooser->addItem(tr("Summary"));
    m_pages->addWidget(m_summary);

    m_paper->clear();
    for (const PaperChoice& p : m_session.PaperChoices())
        m_paper->addItem(QString::fromStdString(p.text), QString::fromStdString(p.keyword));
    SyncFromSession();
    m_current = 0;
    m_chooser->setCurrentIndex(0);
    m_pages->setCurrentIndex(0);
}

void PrintDialogWindow::SyncFromSession() {
    m_copies->setValue(m_session.Copies());
    m_collate->setChecked(m_session.Collate());
    m_collate->setEnabled(m_session.Copies() > 1);
    int paper = m_paper->findData(QString::fromStdString(m_session.Paper()));
    if (paper >= 0)
        m_paper->setCurrentIndex(paper);
    int orientation = m_orientation->findData(static_cast<int>(m_session.Orientation()));
    if (orientation >= 0)
        m_orientation->setCurrentIndex(orientation);
    m_pagesPerSheet->setCurrentIndex(m_pagesPerSheet->findData(m_session.Layout().pagesPerSheet));
    m_direction->setCurrentIndex(
        m_direction->findData(static_cast<int>(m_session.Layout().direction)));
}

int PrintDialogWindow::PageCount() const {
    return m_pages->count();
}

int PrintDialogWindow::CurrentPage() const {
    return m_current;
}

int PrintDialogWindow::SummaryPage() const {
    return m_pages->count() - 1;
}

int PrintDialogWindow::OptionsPage() const {
    return m_pages->indexOf(m_options);
}

QWidget* PrintDialogWindow::PageWidget(int page) const {
    QWidget* w = m_pages->widget(page);
    if (auto* scroll = qobject_cast<QScrollArea*>(w))
        return scroll->widget();
    return w;
}

QString PrintDialogWindow::PageTitle(int page) const {
    return m_chooser->itemText(page);
}

bool PrintDialogWindow::ChoosePage(int page) {
    if (page < 0 || page >= m_pages->count())
        return false;
    if (page == m_current && page != SummaryPage())
        return true;
    // Panels are pages 1..n; their index in the session is page - 1.
    if (m_current >= 1 && m_current < SummaryPage() && !m_session.HidePanel(m_current - 1))
        return false;
    m_current = page;
    m_chooser->setCurrentIndex(page);
    if (page == SummaryPage())
        FillSummary();
    else if (page == OptionsPage())
        m_options->Refresh(); // panels may have changed PPD choices meanwhile
    else if (page >= 1)
        m_session.ShowPanel(page - 1);
    m_pages->setCurrentIndex(page);
    return true;
}

void PrintDialogWindow::FillSummary() {
    m_session.SaveAllPanels();
    m_summary->clear();
    auto* layout = new QTreeWidgetItem(m_summary, {tr("Layout")});
    new QTreeWidgetItem(layout, {tr("Copies"), QString::number(m_session.Copies())});
    new QTreeWidgetItem(layout, {tr("Paper size"), m_paper->currentText()});
    new QTreeWidgetItem(layout, {tr("Orientation"), m_orientation->currentText()});
    new QTreeWidgetItem(layout, {tr("Pages per sheet"), m_pagesPerSheet->currentText()});
    new QTreeWidgetItem(layout, {tr("Layout direction"), m_direction->currentText()});
    for (const auto& [panel, rows] : m_session.Summary()) {
        auto* item = new QTreeWidgetItem(m_summary, {panel});
        for (const auto& [title, text] : rows)
            new QTreeWidgetItem(item, {title, text});
    }
    if (!m_options->IsEmpty()) {
        auto* item = new QTreeWidgetItem(m_summary, {tr("Printer Options")});
        for (const auto& [title, text] : m_options->SummaryRows())
            new QTreeWidgetItem(item, {title, text});
    }
    m_summary->expandAll();
}

bool PrintDialogWindow::ChooseCopies(int copies) {
    if (copies < m_copies->minimum() || copies > m_copies->maximum())
        return false;
    m_copies->setValue(copies);
    return true;
}

bool PrintDialogWindow::ChoosePaper(const std::string& keyword) {
    return ChooseItem(m_paper, QString::fromStdString(keyword)) && m_session.Paper() == keyword;
}

bool PrintDialogWindow::ChooseOrientation(int orientation) {
    return ChooseItem(m_orientation, orientation);
}

bool PrintDialogWindow::ChoosePagesPerSheet(int n) {
    return ChooseItem(m_pagesPerSheet, n);
}

bool PrintDialogWindow::ChooseLayoutDirection(int direction) {
    return ChooseItem(m_direction, direction);
}

bool PrintDialogWindow::ChooseCollate(bool collate) {
    if (!m_collate->isEnabled())
        return false;
    m_collate->setChecked(collate);
    return true;
}

bool PrintDialogWindow::ChoosePageRanges(const std::string& text, std::string& message) {
    m_pageRanges->setText(QString::fromStdString(text));
    emit m_pageRanges->editingFinished();
    return m_session.SetPageRanges(text, message);
}

void PrintDialogWindow::SetPreview(const QImage& page, const QString& note) {
    m_preview->show();
    if (page.isNull()) {
        m_preview->setText(note);
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(page));
    m_preview->setFrameShape(QFrame::Box);
}

void PrintDialogWindow::ShowStatus(const QString& text, bool error) {
    m_status->setStyleSheet(error ? QStringLiteral("color: #b00020") : QString());
    m_status->setWordWrap(true);
    m_status->setText(text);
}

QImage PrintDialogWindow::GrabPage(int page) {
    const int shown = m_pages->currentIndex();
    const int chosen = m_chooser->currentIndex();
    if (page >= 0 && page < m_pages->count()) {
        m_pages->setCurrentIndex(page);
        m_chooser->setCurrentIndex(page);
    }
    QApplication::processEvents();
    QImage image = grab().toImage();
    m_pages->setCurrentIndex(shown);
    m_chooser->setCurrentIndex(chosen);
    return image;
}
