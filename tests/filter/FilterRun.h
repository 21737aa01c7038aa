// Runs the whole filter in-process: a ticket of option pairs, the job's user
// name and title, and a document; the printer stream comes back as a string.
#pragma once

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "ClientAddress.h"
#include "FilterEntry.h"
#include "FilterGlobals.h"
#include "UtilityFunctionFilter.h"

namespace filtertest {

// Option pairs in the order given; names without a "." get the driver's
// ticket-key prefix.
using Options = std::vector<std::pair<std::string, std::string>>;

// A text as the dialog stores it: "/" and the decimal value of each byte when
// it begins with "/" or holds an apostrophe, comma or backslash.
inline std::string Escaped(const std::string& text) {
    if (!text.empty() && text[0] != '/' && text.find_first_of("',\\") == std::string::npos)
        return text;
    std::string out;
    for (unsigned char c : text)
        out += "/" + std::to_string(c);
    return out;
}

inline std::string OptionString(const Options& options) {
    std::string out;
    for (const auto& [name, value] : options) {
        if (!out.empty())
            out += ' ';
        out += name.find('.') == std::string::npos && name != "number-up" ? KTICKET_PREFIX + name
                                                                          : name;
        out += '=';
        if (value.empty())
            out += "''";
        for (char c : value) {
            if (std::isspace(static_cast<unsigned char>(c)) || c == '\\' || c == '\'' || c == '"')
                out += '\\';
            out += c;
        }
    }
    return out;
}

// Addresses the host "resolves" to during a test run.
inline std::vector<std::string>& TestHostAddresses() {
    static std::vector<std::string> addresses;
    return addresses;
}
inline std::vector<std::string> ListTestHostAddresses() {
    return TestHostAddresses();
}

struct Job {
    std::string user = "kim";
    std::string title = "Report";
    Options options;
    std::string document = "%!PS\n";
    bool useFile = true;         // false: argument 6 names a missing file
    int argc = 7;                // 6 would read standard input
    std::string optionsOverride; // raw argument 5 when not empty
    std::string documentPath;    // argument 6 instead of a file of `document`
    FILE* output = nullptr;      // where the stream goes instead of memory
};

inline std::string TempPath(const char* stem) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/" + stem + "XXXXXX";
    int fd = mkstemp(path.data());
    if (fd >= 0)
        close(fd);
    return path;
}

// A private spool directory named by KESTRANE_SPOOL_DIR while it lives.
class SpoolDir {
public:
    SpoolDir() {
        char pattern[] = "/tmp/kestrane-spool-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("cannot make a spool directory");
        path_ = pattern;
        setenv("KESTRANE_SPOOL_DIR", path_.c_str(), 1);
    }
    ~SpoolDir() {
        unsetenv("KESTRANE_SPOOL_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    SpoolDir(const SpoolDir&) = delete;
    SpoolDir& operator=(const SpoolDir&) = delete;
    const std::string& path() const { return path_; }
    std::string Put(const std::string& name, const std::string& content) const {
        std::string file = path_ + "/" + name;
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

private:
    std::string path_;
};

inline std::string WriteTempFile(const std::string& content) {
    std::string path = TempPath("kestrane-doc-");
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

inline std::string CaptureOutput(void (*body)(void*), void* context) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    FILE* saved = gFilterOut;
    gFilterOut = out;
    body(context);
    std::fflush(out);
    gFilterOut = saved;
    std::fclose(out);
    std::string result(buffer, size);
    std::free(buffer);
    return result;
}

// Exit status of the last RunFilter.
inline int& LastStatus() {
    static int status = 0;
    return status;
}

inline std::string RunFilter(const Job& job) {
    std::string options =
        job.optionsOverride.empty() ? OptionString(job.options) : job.optionsOverride;
    const bool ownDoc = job.useFile && job.documentPath.empty();
    std::string docPath = !job.documentPath.empty() ? job.documentPath
                          : job.useFile             ? WriteTempFile(job.document)
                                        : std::string("/nonexistent/kestrane-missing.ps");
    std::vector<std::string> args = {"jobfilter", "42", job.user, job.title, "1", options, docPath};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.resize(static_cast<size_t>(job.argc));
    argv.push_back(nullptr);

    gHostAddressLister = ListTestHostAddresses;
    struct Context {
        std::vector<char*>* argv;
        int argc;
    } context{&argv, job.argc};
    auto body = [](void* c) {
        auto* ctx = static_cast<Context*>(c);
        LastStatus() = JobFilterMain(ctx->argc, ctx->argv->data());
    };
    std::string out;
    if (job.output) {
        FILE* saved = gFilterOut;
        gFilterOut = job.output;
        body(&context);
        gFilterOut = saved;
    } else {
        out = CaptureOutput(body, &context);
    }
    gHostAddressLister = GetHostAddressList;
    if (ownDoc)
        unlink(docPath.c_str());
    return out;
}

inline const std::string kHead = "\x1b%-12345X@PJL JOB MODE=PRINTER\r\n";
inline const std::string kEnterPS = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";

// The PJL lines between the head line and the enter-PostScript line.
inline std::string PJLBody(const std::string& out) {
    size_t head = out.find(kHead);
    size_t enter = out.find(kEnterPS);
    if (head == std::string::npos || enter == std::string::npos || enter < head)
        return "<no PJL header>";
    return out.substr(head + kHead.size(), enter - head - kHead.size());
}

// The document part: after the enter-PostScript line.
inline std::string PSPart(const std::string& out) {
    size_t enter = out.find(kEnterPS);
    return enter == std::string::npos ? "<no PostScript>" : out.substr(enter + kEnterPS.size());
}

// Identity lines for a job of user kim with nothing else set.
inline std::string Identity(const std::string& user = "kim", const std::string& nup = "1") {
    return "@PJL SET JOBATTR=\"@CNAM=UnknownHost\"\n"
           "@PJL SET JOBATTR=\"@LUNA=" +
           user +
           "\"\n"
           "@PJL SET JOBATTR=\"@NLPP=" +
           nup + "\"\n";
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace filtertest
