// The script language of the headless dialog: one command per line, words
// separated by blanks, "double quotes" around words with blanks (\" \\ \n \t
// inside), "#" starts a comment. A "modal" line opens a block, closed by
// "end", of commands played inside the next modal window.
#pragma once

#include <string>
#include <vector>

struct ScriptCommand {
    int line = 0;
    std::string name;
    std::vector<std::string> args;
    std::vector<ScriptCommand> block; // commands of a "modal" block
};

struct ScriptError {
    int line = 0;
    std::string message;
};

struct Script {
    std::vector<ScriptCommand> commands;
};

// Parses and checks a whole script (command names, argument counts, numbers);
// false with the first error.
bool ParseScript(const std::string& text, Script& out, ScriptError& error);

// Splits one line into words; false with a message for an open quote or a
// bad escape.
bool SplitScriptLine(const std::string& line, std::vector<std::string>& words,
                     std::string& message);

// Number checks shared with the runner.
bool ParseScriptInt(const std::string& text, int& out);

// "file:line: message", as every script error is reported.
std::string FormatScriptError(const std::string& file, const ScriptError& error);
