#include "HostScript.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

namespace {

struct CommandSpec {
    const char* name;
    int minArgs;
    int maxArgs;
    bool numericFirst; // the first argument is an integer (a tag or a count)
    bool insideModal;  // allowed inside a modal block
};

constexpr CommandSpec kCommands[] = {
    {"printer", 1, 1, false, false},
    {"copies", 1, 1, true, false},
    {"paper", 1, 1, false, false},
    {"orientation", 1, 1, false, false},
    {"pages-per-sheet", 1, 1, true, false},
    {"layout-direction", 1, 1, false, false},
    {"ppd", 2, 2, false, false},
    {"page-ranges", 1, 1, false, false},
    {"collate", 1, 1, true, false},
    {"panel", 1, 1, false, false},
    {"set", 2, 2, true, true},
    {"type", 2, 2, true, true},
    {"choose", 2, 2, true, true},
    {"click", 1, 1, true, true},
    {"alert-answer", 1, 1, true, true},
    {"file-answer", 1, 1, false, true},
    {"color-answer", 3, 3, false, true},
    {"modal", 0, 0, false, true},
    {"screenshot", 1, 1, false, true},
    {"print", 0, 0, false, false},
    {"cancel", 0, 0, false, false},
};

// Windows open inside windows only a few levels deep; the limit keeps a
// runaway script from exhausting the stack of the player.
constexpr size_t kMaxModalDepth = 32;

const CommandSpec* FindCommand(const std::string& name) {
    for (const CommandSpec& spec : kCommands)
        if (name == spec.name)
            return &spec;
    return nullptr;
}

std::string ArgCountMessage(const CommandSpec& spec) {
    std::ostringstream s;
    s << "\"" << spec.name << "\" takes ";
    if (spec.minArgs == spec.maxArgs)
        s << spec.minArgs << (spec.minArgs == 1 ? " argument" : " arguments");
    else
        s << spec.minArgs << " to " << spec.maxArgs << " arguments";
    return s.str();
}

} // namespace

bool ParseScriptInt(const std::string& text, int& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool SplitScriptLine(const std::string& line, std::vector<std::string>& words,
                     std::string& message) {
    words.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= n || line[i] == '#')
            break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (i >= n) {
                        message = "backslash at the end of the line";
                        return false;
                    }
                    char e = line[i++];
                    switch (e) {
                    case '"':
                    case '\\':
                        word += e;
                        break;
                    case 'n':
                        word += '\n';
                        break;
                    case 't':
                        word += '\t';
                        break;
                    default:
                        message = std::string("unknown escape \\") + e;
                        return false;
                    }
                } else {
                    word += c;
                }
            }
            if (!closed) {
                message = "missing closing quote";
                return false;
            }
            if (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                message = "a quoted word must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return true;
}

bool ParseScript(const std::string& text, Script& out, ScriptError& error) {
    out.commands.clear();
    // Stack of open blocks; the bottom is the script itself.
    std::vector<std::vector<ScriptCommand>*> stack{&out.commands};
    std::vector<int> openLines;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::vector<std::string> words;
        std::string message;
        if (!SplitScriptLine(line, words, message)) {
            error = {lineNo, message};
            return false;
        }
        if (words.empty())
            continue;
        if (words[0] == "end") {
            if (words.size() != 1) {
                error = {lineNo, "\"end\" takes no arguments"};
                return false;
            }
            if (stack.size() == 1) {
                error = {lineNo, "\"end\" without \"modal\""};
                return false;
            }
            stack.pop_back();
            openLines.pop_back();
            continue;
        }
        const CommandSpec* spec = FindCommand(words[0]);
        if (!spec) {
            error = {lineNo, "unknown command \"" + words[0] + "\""};
            return false;
        }
        const int argc = static_cast<int>(words.size()) - 1;
        if (argc < spec->minArgs || argc > spec->maxArgs) {
            error = {lineNo, ArgCountMessage(*spec)};
            return false;
        }
        int number = 0;
        if (spec->numericFirst && !ParseScriptInt(words[1], number)) {
            error = {lineNo, "\"" + words[1] + "\" is not a number"};
            return false;
        }
        if (stack.size() > 1 && !spec->insideModal) {
            error = {lineNo, "\"" + words[0] + "\" cannot be used inside a modal block"};
            return false;
        }
        ScriptCommand cmd;
        cmd.line = lineNo;
        cmd.name = words[0];
        cmd.args.assign(words.begin() + 1, words.end());
        stack.back()->push_back(std::move(cmd));
        if (spec->name == std::string("modal") && stack.size() > kMaxModalDepth) {
            error = {lineNo, "\"modal\" blocks nest deeper than " + std::to_string(kMaxModalDepth)};
            return false;
        }
        if (spec->name == std::string("modal")) {
            stack.push_back(&stack.back()->back().block);
            openLines.push_back(lineNo);
        }
    }
    if (stack.size() > 1) {
        error = {openLines.back(), "\"modal\" block without \"end\""};
        return false;
    }
    return true;
}

std::string FormatScriptError(const std::string& file, const ScriptError& error) {
    return file + ":" + std::to_string(error.line) + ": " + error.message;
}
