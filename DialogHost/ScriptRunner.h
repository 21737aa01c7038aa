// Plays a parsed script against the dialog as a person would: every control
// is reached by its tag inside the shown panel (or the modal window a
// "modal" block plays in), and changed through the widget so the panel sees
// its usual user action.
#pragma once

#include "HostScript.h"

#include <string>

class PrintDialogApp;
class QDateTimeEdit;
class QWidget;

class ScriptRunner {
public:
    ScriptRunner(PrintDialogApp& app, std::string scriptName);

    // Runs to the end, or to the first error (then false and Error()).
    bool Run(const Script& script);
    const ScriptError& Error() const { return m_error; }

private:
    bool RunCommands(const std::vector<ScriptCommand>& commands, QWidget* modalWindow);
    bool RunOne(const ScriptCommand& cmd, QWidget* modalWindow);
    bool Fail(const ScriptCommand& cmd, const std::string& message);
    // The control with the tag in the scope; null after reporting why.
    QWidget* FindControl(const ScriptCommand& cmd, QWidget* modalWindow);
    bool SetControl(const ScriptCommand& cmd, QWidget* w, const std::string& value);
    bool TypeInto(const ScriptCommand& cmd, QWidget* w, const std::string& text);
    // Date and time fields: set takes the field's own display form or the
    // ISO form; typing goes section by section as a person tabs through.
    bool SetDateTime(const ScriptCommand& cmd, QDateTimeEdit* edit, const std::string& value);
    bool TypeDateTime(const ScriptCommand& cmd, QDateTimeEdit* edit, const std::string& text);
    bool ChooseIn(const ScriptCommand& cmd, QWidget* w, const std::string& item);
    bool Click(const ScriptCommand& cmd, QWidget* w);
    bool Screenshot(const ScriptCommand& cmd, QWidget* modalWindow);

    PrintDialogApp& m_app;
    std::string m_name;
    ScriptError m_error;
    bool m_failed = false;
};
