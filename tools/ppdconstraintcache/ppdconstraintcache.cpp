// ppdconstraintcache: writes the constraint cache file that a PPD names in
// "*KRVCDFSetting", and reads a section of one back.
//
//   ppdconstraintcache [-o CACHE] PPD SECTION=OPTION[,OPTION...] ...
//   ppdconstraintcache --check CACHE SECTION [PPD]
//
// An option list "*" stands for every option of the PPD. Without -o the file
// goes to the path the PPD's "*KRVCDFSetting" names. Exit status: 0 done,
// 1 bad arguments, 2 a file cannot be read or written or lacks the section,
// 3 the cache does not fit the PPD.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <cups/ppd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CQuickXPPD.h"
#include "XPPDConstraints.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace KESTRANE_NS;

namespace {

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDPtr = std::unique_ptr<ppd_file_t, PPDCloser>;

void PrintUsage(std::ostream& out) {
    out << "usage: ppdconstraintcache [-o CACHE] PPD SECTION=OPTION[,OPTION...] ...\n"
           "       ppdconstraintcache --check CACHE SECTION [PPD]\n"
           "       ppdconstraintcache --help | --version\n"
           "An option list \"*\" stands for every option of the PPD; at most "
        << kXPPDMaxSections
        << " sections.\n"
           "Exit status: 0 done, 1 bad arguments, 2 a file cannot be read or written or\n"
           "lacks the section, 3 the cache does not fit the PPD.\n";
}

int Usage() {
    PrintUsage(std::cerr);
    return 1;
}

// A section name is one line of the file: no line breaks or other controls.
bool UsableSectionName(const std::string& name) {
    if (name.empty()) {
        std::cerr << "ppdconstraintcache: a section needs a name\n";
        return false;
    }
    for (unsigned char c : name) {
        if (c < ' ' || c == 0x7f) {
            std::cerr << "ppdconstraintcache: a section name cannot hold line breaks or other "
                         "control characters\n";
            return false;
        }
    }
    return true;
}

// The cache file's section names: every other line, the last line being the
// PPD's stamp.
bool HasSection(std::istream& in, const std::string& section) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        if (lines[i] == section)
            return true;
    return false;
}

PPDPtr OpenPPD(const char* path) {
    PPDPtr ppd(ppdOpenFile(path));
    if (!ppd) {
        int line = 0;
        ppd_status_t status = ppdLastError(&line);
        std::cerr << "ppdconstraintcache: " << path << ": " << ppdErrorString(status) << " (line "
                  << line << ")\n";
    }
    return ppd;
}

std::vector<std::string> AllOptions(ppd_file_t* ppd) {
    std::vector<std::string> names;
    for (ppd_option_t* o = ppdFirstOption(ppd); o; o = ppdNextOption(ppd))
        names.emplace_back(o->keyword);
    return names;
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            names.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

int Write(const char* output, const char* ppdPath, const std::vector<std::string>& sections) {
    PPDPtr ppd = OpenPPD(ppdPath);
    if (!ppd)
        return 2;
    if (sections.empty() || sections.size() > static_cast<std::size_t>(kXPPDMaxSections))
        return Usage();

    std::vector<std::string> names;
    std::vector<std::vector<std::string>> lists;
    for (const std::string& section : sections) {
        std::size_t eq = section.find('=');
        if (eq == 0 || eq == std::string::npos) {
            std::cerr << "ppdconstraintcache: \"" << section << "\" is not SECTION=OPTIONS\n";
            return 1;
        }
        names.push_back(section.substr(0, eq));
        if (!UsableSectionName(names.back()))
            return 1;
        const std::string list = section.substr(eq + 1);
        lists.push_back(list == "*" ? AllOptions(ppd.get()) : SplitList(list));
        for (const std::string& option : lists.back()) {
            if (!ppdFindOption(ppd.get(), option.c_str())) {
                std::cerr << "ppdconstraintcache: " << ppdPath << " has no option \"" << option
                          << "\" (section " << names.back() << ")\n";
                return 1;
            }
        }
    }
    std::vector<x_PDEConstr> pairs;
    for (std::size_t i = 0; i < names.size(); ++i)
        pairs.push_back({names[i].c_str(), &lists[i]});
    pairs.push_back({nullptr, nullptr});

    std::string target;
    if (output) {
        target = output;
    } else {
        ppd_attr_t* attr = ppdFindAttr(ppd.get(), kCDFSettingKey, nullptr);
        if (!attr || !attr->value || !*attr->value) {
            std::cerr << "ppdconstraintcache: " << ppdPath << " names no cache file ("
                      << kCDFSettingKey << "); give one with -o\n";
            return 1;
        }
        target = attr->value;
    }

    // Written beside the target and renamed, so a panel never reads half a file.
    const std::string temporary = target + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        XPPDHashMap index;
        CQuickXPPD writer(ppd.get(), index, pairs.data(), ppdPath);
        writer.SetFileHead(out, ppd.get());
        out << writer;
        out.close();
        // Every user's dialog reads the file, whatever the umask of its maker.
        if (!out || chmod(temporary.c_str(), 0644) != 0) {
            std::cerr << "ppdconstraintcache: cannot write " << target << "\n";
            std::remove(temporary.c_str());
            return 2;
        }
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::perror(("ppdconstraintcache: " + target).c_str());
        std::remove(temporary.c_str());
        return 2;
    }
    return 0;
}

int Check(const char* cachePath, const char* section, const char* ppdPath) {
    if (!UsableSectionName(section))
        return 1;
    struct stat st {};
    if (stat(cachePath, &st) == 0 && S_ISDIR(st.st_mode)) {
        std::cerr << "ppdconstraintcache: " << cachePath << " is a directory, not a cache file\n";
        return 2;
    }
    std::ifstream in(cachePath, std::ios::binary);
    if (!in.is_open()) {
        std::perror(("ppdconstraintcache: " + std::string(cachePath)).c_str());
        return 2;
    }
    if (!HasSection(in, section)) {
        std::cerr << "ppdconstraintcache: " << cachePath << " has no section " << section << "\n";
        return 2;
    }
    in.clear();
    in.seekg(0);
    PPDPtr ppd;
    if (ppdPath && !(ppd = OpenPPD(ppdPath)))
        return 2;

    XPPDHashMap index;
    CQuickXPPD reader(index, section);
    in >> reader;

    std::vector<std::string> lines;
    int outside = 0;
    for (const auto& [key, p] : index) {
        std::string line = key + "@" + std::to_string(p.group) + "@" + std::to_string(p.option) +
                           "@" + std::to_string(p.choice) + "@";
        if (ppd) {
            ppd_file_t* f = ppd.get();
            if (p.group >= 0 && p.group < f->num_groups && p.option >= 0 &&
                p.option < f->groups[p.group].num_options && p.choice >= 0 &&
                p.choice < f->groups[p.group].options[p.option].num_choices) {
                const ppd_option_t& o = f->groups[p.group].options[p.option];
                line +=
                    " forbidden by " + std::string(o.keyword) + "/" + o.choices[p.choice].choice;
            } else {
                line += " outside this PPD";
                ++outside;
            }
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        std::cout << line << "\n";
    std::cout << lines.size() << " entries in " << section << "\n";
    return outside ? 3 : 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        PrintUsage(std::cout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "ppdconstraintcache " KESTRANE_VERSION "\n";
        return 0;
    }
    if (!args.empty() && args[0] == "--check") {
        if (args.size() != 3 && args.size() != 4)
            return Usage();
        return Check(args[1].c_str(), args[2].c_str(),
                     args.size() == 4 ? args[3].c_str() : nullptr);
    }
    const char* output = nullptr;
    std::size_t i = 0;
    if (args.size() >= 2 && args[0] == "-o") {
        output = argv[2];
        i = 2;
    }
    if (args.size() < i + 2 || args[i].empty() || args[i][0] == '-')
        return Usage();
    return Write(output, args[i].c_str(),
                 std::vector<std::string>(args.begin() + i + 1, args.end()));
}
