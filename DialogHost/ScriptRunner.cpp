#include "ScriptRunner.h"

#include "PrintDialogApp.h"
#include "PrintDialogWindow.h"
#include "PrinterOptionsPage.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QSpinBox>
#include <QStandardItemModel>

namespace {

struct NamedCode {
    const char* name;
    int code;
};
constexpr NamedCode kOrientationNames[] = {
    {"portrait", 1}, {"landscape", 2}, {"reverse-portrait", 3}, {"reverse-landscape", 4}};

QWidget* FindByTag(QWidget* root, int tag) {
    if (!root)
        return nullptr;
    if (root->property("tag").isValid() && root->property("tag").toInt() == tag)
        return root;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        QVariant v = w->property("tag");
        if (v.isValid() && v.toInt() == tag)
            return w;
    }
    return nullptr;
}

void SendKey(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}

bool ShowsDate(const QDateTimeEdit* edit) {
    return edit->displayedSections() & QDateTimeEdit::DateSections_Mask;
}

bool ShowsTime(const QDateTimeEdit* edit) {
    return edit->displayedSections() & QDateTimeEdit::TimeSections_Mask;
}

// A value in the field's display form, else in ISO form ("07:30",
// "2027-11-30", "2027-11-30 07:30"). Only the parts the field shows count.
QDateTime ReadDateTimeText(const QDateTimeEdit* edit, const QString& text) {
    QDateTime value = QDateTime::fromString(text, edit->displayFormat());
    if (value.isValid()) {
        if (!ShowsDate(edit))
            value.setDate(edit->date());
        if (!ShowsTime(edit))
            value.setTime(edit->time());
        return value;
    }
    // A date with an invalid time would pass as midnight: check each part.
    if (!ShowsDate(edit)) {
        const QTime time = QTime::fromString(text, Qt::ISODate);
        return time.isValid() ? QDateTime(edit->date(), time) : QDateTime();
    }
    if (!ShowsTime(edit)) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QDateTime(date, edit->time()) : QDateTime();
    }
    return QDateTime::fromString(QString(text).replace(QLatin1Char(' '), QLatin1Char('T')),
                                 Qt::ISODate);
}

// The runs of digits or letters a person types into the sections; the
// separators between them are the field's own.
QStringList SectionFields(const QString& text) {
    QStringList fields;
    QString field;
    for (QChar c : text) {
        if (c.isLetterOrNumber()) {
            field += c;
        } else if (!field.isEmpty()) {
            fields << field;
            field.clear();
        }
    }
    if (!field.isEmpty())
        fields << field;
    return fields;
}

// A menu item of a button's menu: top-level items by position from 1 (the
// first entry, a title, is 0), deeper items by their "tag" property.
QAction* FindMenuItem(QMenu* menu, int number) {
    const QList<QAction*> actions = menu->actions();
    if (number < 1000)
        return number >= 0 && number < actions.size() ? actions[number] : nullptr;
    for (QAction* action : actions) {
        if (action->property("tag").isValid() && action->property("tag").toInt() == number)
            return action;
        if (QMenu* sub = action->menu())
            if (QAction* found = FindMenuItem(sub, number))
                return found;
    }
    return nullptr;
}

// The submenu action that holds the item, or null at the top level.
QAction* ParentMenuAction(QMenu* menu, QAction* item) {
    for (QAction* action : menu->actions())
        if (QMenu* sub = action->menu(); sub && sub->actions().contains(item))
            return action;
    return nullptr;
}

bool SameSectionText(const QString& shown, const QString& typed) {
    bool shownNumber = false, typedNumber = false;
    const int a = shown.toInt(&shownNumber), b = typed.toInt(&typedNumber);
    if (shownNumber && typedNumber)
        return a == b;
    return shown.compare(typed, Qt::CaseInsensitive) == 0;
}

} // namespace

ScriptRunner::ScriptRunner(PrintDialogApp& app, std::string scriptName)
    : m_app(app), m_name(std::move(scriptName)) {}

bool ScriptRunner::Run(const Script& script) {
    m_failed = false;
    return RunCommands(script.commands, nullptr);
}

bool ScriptRunner::Fail(const ScriptCommand& cmd, const std::string& message) {
    if (!m_failed)
        m_error = {cmd.line, message};
    m_failed = true;
    return false;
}

bool ScriptRunner::RunCommands(const std::vector<ScriptCommand>& commands, QWidget* modalWindow) {
    for (const ScriptCommand& cmd : commands) {
        if (!RunOne(cmd, modalWindow) || m_failed)
            return false;
        QApplication::processEvents();
    }
    return true;
}

bool ScriptRunner::RunOne(const ScriptCommand& cmd, QWidget* modalWindow) {
    if (m_app.Finished())
        return Fail(cmd, "the dialog is already closed");
    PrintDialogWindow& window = m_app.Window();
    DialogSession& session = m_app.Session();
    const std::string& name = cmd.name;
    auto arg = [&](size_t i) -> const std::string& { return cmd.args[i]; };
    int number = 0;
    if (!cmd.args.empty())
        ParseScriptInt(arg(0), number);

    if (name == "printer") {
        if (m_app.Offline())
            return Fail(cmd, "the dialog works on a PPD file and has no printers to choose");
        std::string error;
        if (!m_app.OpenPrinter(arg(0), error))
            return Fail(cmd, error);
        return true;
    }
    if (name == "copies")
        return window.ChooseCopies(number) || Fail(cmd, "copies must be 1 to 9999");
    if (name == "paper")
        return window.ChoosePaper(arg(0)) ||
               Fail(cmd, "the printer has no paper size \"" + arg(0) + "\"");
    if (name == "orientation") {
        for (const NamedCode& o : kOrientationNames)
            if (arg(0) == o.name)
                return window.ChooseOrientation(o.code);
        return Fail(cmd, "orientation is portrait, landscape, reverse-portrait or "
                         "reverse-landscape, not \"" +
                             arg(0) + "\"");
    }
    if (name == "pages-per-sheet")
        return window.ChoosePagesPerSheet(number) ||
               Fail(cmd, "pages per sheet is 1, 2, 4, 6, 9 or 16");
    if (name == "layout-direction") {
        auto direction = ParseLayoutDirection(arg(0));
        if (!direction)
            return Fail(cmd,
                        "layout direction is z, reverse-z, n or reverse-n, not \"" + arg(0) + "\"");
        return window.ChooseLayoutDirection(*direction);
    }
    if (name == "ppd") {
        // Options of the printer-options page are chosen there, under its rules.
        std::string message;
        if (window.Options().HasOption(arg(0)))
            return window.Options().Choose(arg(0), arg(1), message) || Fail(cmd, message);
        return session.ChoosePPDOption(arg(0), arg(1)) ||
               Fail(cmd, "the PPD has no option \"" + arg(0) + "\" with choice \"" + arg(1) + "\"");
    }
    if (name == "page-ranges") {
        std::string message;
        return window.ChoosePageRanges(arg(0), message) || Fail(cmd, message);
    }
    if (name == "collate")
        return ((number == 0 || number == 1) && window.ChooseCollate(number == 1)) ||
               Fail(cmd, "collate takes 0 or 1, with more than one copy");
    if (name == "panel") {
        int page = -1;
        if (arg(0) == "Layout")
            page = window.LayoutPage();
        else if (arg(0) == "Summary")
            page = window.SummaryPage();
        else if (arg(0) == "Printer Options")
            page = window.OptionsPage();
        else if (int index = session.FindPanel(arg(0)); index >= 0)
            page = index + 1;
        if (page < 0)
            return Fail(cmd, "no panel \"" + arg(0) + "\"");
        return window.ChoosePage(page) ||
               Fail(cmd, "the shown panel does not let itself be hidden");
    }
    if (name == "set" || name == "type" || name == "choose" || name == "click") {
        QWidget* w = FindControl(cmd, modalWindow);
        if (!w)
            return false;
        if (name == "set")
            return SetControl(cmd, w, arg(1));
        if (name == "type")
            return TypeInto(cmd, w, arg(1));
        if (name == "choose")
            return ChooseIn(cmd, w, arg(1));
        return Click(cmd, w);
    }
    if (name == "alert-answer") {
        if (number < 0)
            return Fail(cmd, "an alert button is counted from 0");
        m_app.Scripted()->alertAnswers.push_back(number);
        return true;
    }
    if (name == "file-answer") {
        // The next file chooser answers this path; "-" cancels it.
        m_app.Scripted()->fileAnswers.push_back(arg(0) == "-" ? std::nullopt
                                                              : std::optional<std::string>(arg(0)));
        return true;
    }
    if (name == "color-answer") {
        double rgb[3];
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            rgb[i] = QString::fromStdString(arg(i)).toDouble(&ok);
            if (!ok || rgb[i] < 0 || rgb[i] > 1)
                return Fail(cmd, "a colour is red, green and blue from 0 to 1");
        }
        m_app.Scripted()->colorAnswers.push_back(ChosenColor{rgb[0], rgb[1], rgb[2]});
        return true;
    }
    if (name == "modal") {
        // The block plays inside the next modal window; its answer is the code
        // the window stopped with.
        ScriptedServices* services = m_app.Scripted();
        const std::vector<ScriptCommand>* block = &cmd.block;
        services->modalActions.push_back([this, services, block](QWidget* modal) {
            const size_t stopsBefore = services->modalStops.size();
            RunCommands(*block, modal);
            for (size_t i = services->modalStops.size(); i > stopsBefore; --i)
                if (services->modalStops[i - 1].first == modal)
                    return services->modalStops[i - 1].second;
            return 0;
        });
        return true;
    }
    if (name == "screenshot")
        return Screenshot(cmd, modalWindow);
    if (name == "print") {
        // A refusal or a failed submission is the dialog's result, not a
        // fault of the script.
        m_app.Print();
        return true;
    }
    if (name == "cancel") {
        m_app.Cancel();
        return true;
    }
    return Fail(cmd, "unknown command \"" + name + "\"");
}

QWidget* ScriptRunner::FindControl(const ScriptCommand& cmd, QWidget* modalWindow) {
    int tag = 0;
    ParseScriptInt(cmd.args[0], tag);
    QWidget* scope = modalWindow;
    PrintDialogWindow& window = m_app.Window();
    if (!scope) {
        const int page = window.CurrentPage();
        if (page == window.LayoutPage() || page == window.SummaryPage()) {
            Fail(cmd, "no panel is shown; choose one with \"panel\"");
            return nullptr;
        }
        scope = window.PageWidget(page);
    }
    QWidget* w = FindByTag(scope, tag);
    if (!w) {
        Fail(cmd,
             "no control with tag " + cmd.args[0] + " in " +
                 (modalWindow
                      ? std::string("the modal window")
                      : "panel \"" + window.PageTitle(window.CurrentPage()).toStdString() + "\""));
        return nullptr;
    }
    // A person cannot reach a control that is greyed out or hidden.
    if (!w->isEnabled()) {
        Fail(cmd, "control " + cmd.args[0] + " is disabled");
        return nullptr;
    }
    if (!w->isVisibleTo(scope) && w != scope) {
        Fail(cmd, "control " + cmd.args[0] + " is hidden");
        return nullptr;
    }
    return w;
}

bool ScriptRunner::SetControl(const ScriptCommand& cmd, QWidget* w, const std::string& value) {
    int n = 0;
    const bool numeric = ParseScriptInt(value, n);
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable()) {
        if (!numeric || (n != 0 && n != 1))
            return Fail(cmd, "a switch is set to 0 or 1");
        if (button->isChecked() == (n == 1))
            return true;
        if (n == 0 && button->autoExclusive())
            return Fail(cmd, "a radio button is switched off by choosing another one");
        button->click();
        return true;
    }
    if (auto* button = qobject_cast<QPushButton*>(w); button && button->menu()) {
        // A paper-selection menu: the item a person would choose.
        QAction* item = numeric ? FindMenuItem(button->menu(), n) : nullptr;
        if (!item || item->isSeparator() || item->menu())
            return Fail(cmd, "menu " + cmd.args[0] + " has no item " + value);
        QAction* parent = ParentMenuAction(button->menu(), item);
        if (!item->isVisible() || (parent && !parent->isVisible()))
            return Fail(cmd, "item " + value + " of menu " + cmd.args[0] + " is hidden");
        if (!item->isEnabled() || (parent && !parent->isEnabled()))
            return Fail(cmd, "item " + value + " of menu " + cmd.args[0] + " is disabled");
        item->trigger();
        return true;
    }
    if (auto* table = qobject_cast<QTableWidget*>(w)) {
        // Record-table rows from 1, "2,3": exactly those rows are selected.
        QItemSelection selection;
        for (const QString& part :
             QString::fromStdString(value).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int row = part.trimmed().toInt(&ok);
            if (!ok || row < 1 || row > table->rowCount())
                return Fail(cmd, "table " + cmd.args[0] + " has rows 1 to " +
                                     std::to_string(table->rowCount()) + ", not \"" +
                                     part.toStdString() + "\"");
            selection.select(table->model()->index(row - 1, 0),
                             table->model()->index(row - 1, table->columnCount() - 1));
        }
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (!numeric || n < 1 || n > combo->count())
            return Fail(cmd, "a list is set to an item number from 1 to " +
                                 std::to_string(combo->count()));
        if (auto* view = qobject_cast<QListView*>(combo->view()); view && view->isRowHidden(n - 1))
            return Fail(cmd, "item " + value + " is hidden");
        if (auto* model = qobject_cast<QStandardItemModel*>(combo->model())) {
            QStandardItem* item = model->item(n - 1);
            if (item && !item->isEnabled())
                return Fail(cmd, "item " + value + " is disabled");
        }
        combo->setCurrentIndex(n - 1);
        emit combo->activated(n - 1);
        return true;
    }
    if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        if (!numeric || n < spin->minimum() || n > spin->maximum())
            return Fail(cmd, "the value lies outside " + std::to_string(spin->minimum()) + " to " +
                                 std::to_string(spin->maximum()));
        spin->setValue(n);
        return true;
    }
    if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) {
        bool ok = false;
        double d = QString::fromStdString(value).toDouble(&ok);
        if (!ok || d < dspin->minimum() || d > dspin->maximum())
            return Fail(cmd, "the value lies outside the control's range");
        dspin->setValue(d);
        return true;
    }
    if (auto* slider = qobject_cast<QSlider*>(w)) {
        if (!numeric || n < slider->minimum() || n > slider->maximum())
            return Fail(cmd, "the value lies outside the control's range");
        slider->setValue(n);
        return true;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(QString::fromStdString(value));
        emit edit->editingFinished();
        return true;
    }
    if (auto* edit = qobject_cast<QDateTimeEdit*>(w))
        return SetDateTime(cmd, edit, value);
    return Fail(cmd, "control " + cmd.args[0] + " holds no value to set");
}

bool ScriptRunner::SetDateTime(const ScriptCommand& cmd, QDateTimeEdit* edit,
                               const std::string& value) {
    const QDateTime wanted = ReadDateTimeText(edit, QString::fromStdString(value));
    const std::string form = edit->displayFormat().toStdString();
    if (!wanted.isValid())
        return Fail(cmd, "control " + cmd.args[0] + " takes a value of the form " + form +
                             ", not \"" + value + "\"");
    if (wanted < edit->minimumDateTime() || wanted > edit->maximumDateTime())
        return Fail(cmd, "the value lies outside " +
                             edit->minimumDateTime().toString(edit->displayFormat()).toStdString() +
                             " to " +
                             edit->maximumDateTime().toString(edit->displayFormat()).toStdString());
    edit->setDateTime(wanted);
    emit edit->editingFinished();
    return true;
}

bool ScriptRunner::TypeDateTime(const ScriptCommand& cmd, QDateTimeEdit* edit,
                                const std::string& text) {
    const QStringList fields = SectionFields(QString::fromStdString(text));
    if (fields.size() != edit->sectionCount())
        return Fail(cmd, "control " + cmd.args[0] + " takes " +
                             std::to_string(edit->sectionCount()) + " fields of the form " +
                             edit->displayFormat().toStdString() + ", not \"" + text + "\"");
    edit->setFocus();
    for (int i = 0; i < fields.size(); ++i) {
        edit->setCurrentSectionIndex(i);
        edit->setSelectedSection(edit->sectionAt(i));
        for (QChar c : fields[i])
            SendKey(edit, 0, QString(c));
    }
    edit->interpretText();
    // Keys the field refused leave another value than the one typed.
    for (int i = 0; i < fields.size(); ++i) {
        if (!SameSectionText(edit->sectionText(edit->sectionAt(i)), fields[i]))
            return Fail(cmd, "control " + cmd.args[0] + " shows \"" + edit->text().toStdString() +
                                 "\" after typing \"" + text + "\"");
    }
    emit edit->editingFinished();
    return true;
}

bool ScriptRunner::TypeInto(const ScriptCommand& cmd, QWidget* w, const std::string& text) {
    if (auto* edit = qobject_cast<QDateTimeEdit*>(w))
        return TypeDateTime(cmd, edit, text);
    QWidget* target = nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        target = edit;
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        spin->selectAll();
        target = spin;
    } else {
        return Fail(cmd, "control " + cmd.args[0] + " takes no typing");
    }
    target->setFocus();
    SendKey(target, Qt::Key_Delete);
    // Key by key, so validators and formatters see what a person types.
    for (QChar c : QString::fromStdString(text))
        SendKey(target, 0, QString(c));
    // Editing ends as when the person moves on (Return would also press the
    // dialog's default button, Print).
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        if (edit->hasAcceptableInput())
            emit edit->editingFinished();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(target)) {
        spin->interpretText();
        emit spin->editingFinished();
    }
    return true;
}

bool ScriptRunner::ChooseIn(const ScriptCommand& cmd, QWidget* w, const std::string& item) {
    auto* combo = qobject_cast<QComboBox*>(w);
    if (!combo)
        return Fail(cmd, "control " + cmd.args[0] + " is no list");
    int index = combo->findText(QString::fromStdString(item));
    if (index < 0)
        return Fail(cmd, "list " + cmd.args[0] + " has no item \"" + item + "\"");
    if (auto* model = qobject_cast<QStandardItemModel*>(combo->model())) {
        QStandardItem* entry = model->item(index);
        if (entry && !entry->isEnabled())
            return Fail(cmd, "item \"" + item + "\" is disabled");
    }
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return true;
}

bool ScriptRunner::Click(const ScriptCommand& cmd, QWidget* w) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button)
        return Fail(cmd, "control " + cmd.args[0] + " is no button");
    button->click();
    return true;
}

bool ScriptRunner::Screenshot(const ScriptCommand& cmd, QWidget* modalWindow) {
    const std::string& dir = m_app.Options().screenshots;
    if (cmd.args[0].find('/') != std::string::npos)
        return Fail(cmd, "a screenshot name is a file name without \"/\"");
    if (dir.empty())
        return true; // pictures only when asked for with --screenshot
    QDir().mkpath(QString::fromStdString(dir));
    const QString file =
        QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(cmd.args[0]) + ".png");
    QImage image = modalWindow ? modalWindow->grab().toImage()
                               : m_app.Window().GrabPage(m_app.Window().CurrentPage());
    if (!image.save(file, "PNG"))
        return Fail(cmd, "cannot write " + file.toStdString());
    return true;
}
