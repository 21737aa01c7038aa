#include "PSStreamScanner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "FilterEntry.h"
#include "FilterGlobals.h"
#include "PSInjectionPoints.h"

int32_t PSPageCounter;

namespace {

struct PSTrigger {
    const char* line;
    size_t length;
    int pointCode;
    bool beforeLine;
    bool endsPage;
    // The line only has to end with `line`; the point is fired just before
    // the next line, once that line shows whether a cell holds anything.
    bool suffixBeforeNext = false;
};

#define TRIGGER(text, code, before, page)                                                          \
    { text, sizeof(text) - 1, code, before, page, false }
const PSTrigger kGeneratorTriggers[] = {
    TRIGGER("%%BeginProlog", kPSPointBeginProlog, false, false),
    TRIGGER("%%EndProlog", kPSPointEndProlog, true, false),
    TRIGGER("%%EndSetup", kPSPointEndSetup, true, false),
    TRIGGER("userdict/setpagedevice{pop}bind put", kPSPointSetPageDeviceOff, true, false),
    TRIGGER("bp", kPSPointBeginPage, false, false),
    TRIGGER("%%EndPageSetup", kPSPointEndPageSetup, false, false),
    TRIGGER("ep", kPSPointEndPage, true, true),
    TRIGGER("endp", kPSPointEndPageNUp, true, true),
};
// What pstops writes: its own sheet setup, and around each logical page of an
// n-up sheet "userdict/ESPsave save put", the page's transform, a clip ending
// in " ESPrc", the page, and "userdict/ESPsave get restore".
const PSTrigger kCupsTriggers[] = {
    TRIGGER("%%EndProlog", kPSPointEndProlog, true, false),
    TRIGGER("%%EndSetup", kPSPointEndSetup, true, false),
    TRIGGER("userdict/setpagedevice{pop}bind put", kPSPointSetPageDeviceOff, true, false),
    TRIGGER("%%BeginPageSetup", kPSPointBeginPageSetup, false, false),
    TRIGGER("%%EndPageSetup", kPSPointEndPageSetup, false, false),
    TRIGGER("userdict/ESPsave save put", kPSPointCellSave, false, false),
    {" ESPrc", 6, kPSPointCellBegin, false, false, true},
    TRIGGER("userdict/ESPsave get restore", kPSPointCellEnd, true, false),
};
#undef TRIGGER

// Only lines this short can be trigger lines; they are the only ones looked
// at, and the only bytes ever held back from the output. A pstops clip line
// ("0.0 0.0 595.0 842.0 ESPrc") is longer than any exact trigger line.
constexpr size_t kGeneratorMaxTriggerLength = 35;
constexpr size_t kMaxTriggerLength = 64;
constexpr size_t kMinTriggerLength = 2;

// The line that fills an empty cell of a last n-up sheet.
constexpr char kEmptyCellLine[] = "showpage";
constexpr size_t kEmptyCellLength = sizeof kEmptyCellLine - 1;

struct PSTriggerSet {
    const PSTrigger* begin;
    const PSTrigger* end;
    size_t maxLength;
};

// The bytes a trigger line can start with, and those it can end with (for
// the triggers matched by their end): every other line is passed over
// without being looked at.
struct PSTriggerBytes {
    bool first[256] = {};
    bool last[256] = {};

    explicit PSTriggerBytes(const PSTriggerSet& set) {
        for (const PSTrigger* t = set.begin; t != set.end; ++t) {
            if (t->suffixBeforeNext)
                last[static_cast<unsigned char>(t->line[t->length - 1])] = true;
            else
                first[static_cast<unsigned char>(t->line[0])] = true;
        }
    }
    bool MayMatch(const char* line, size_t length) const {
        return first[static_cast<unsigned char>(line[0])] ||
               last[static_cast<unsigned char>(line[length - 1])];
    }
};

PSTriggerSet TriggersOf(PSPageHooks hooks) {
    if (hooks == PSPageHooks::Cups)
        return {std::begin(kCupsTriggers), std::end(kCupsTriggers), kMaxTriggerLength};
    return {std::begin(kGeneratorTriggers), std::end(kGeneratorTriggers),
            kGeneratorMaxTriggerLength};
}

const PSTrigger* MatchTrigger(const PSTriggerSet& set, const char* line, size_t length) {
    if (length < kMinTriggerLength || length > set.maxLength)
        return nullptr;
    for (const PSTrigger* t = set.begin; t != set.end; ++t) {
        if (t->suffixBeforeNext) {
            if (length > t->length &&
                std::memcmp(t->line, line + length - t->length, t->length) == 0)
                return t;
        } else if (t->length == length && std::memcmp(t->line, line, length) == 0) {
            return t;
        }
    }
    return nullptr;
}

void Write(const char* bytes, size_t count, FILE* out) {
    if (count)
        std::fwrite(bytes, 1, count, out);
}

const char* FindByte(const char* from, const char* end, char byte) {
    const void* hit = std::memchr(from, byte, static_cast<size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
}

// Reads one block, again after an interruption.
ssize_t ReadBlock(int fd, char* block) {
    for (;;) {
        ssize_t got = read(fd, block, kPSBlockSize);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

} // namespace

PSDocument::~PSDocument() {
    if (ownsFd && fd >= 0)
        close(fd);
    delete[] firstBlock;
}

int OpenPSDocument(int argc, char* const argv[], PSDocument* document) {
    if (argc <= 6) {
        document->fd = STDIN_FILENO;
    } else {
        document->fd = open(argv[6], O_RDONLY | O_CLOEXEC);
        if (document->fd < 0)
            return errno;
        document->ownsFd = true;
    }
    document->firstBlock = new char[kPSBlockSize];
    ssize_t got = ReadBlock(document->fd, document->firstBlock);
    if (got < 0)
        return errno;
    document->firstLength = static_cast<size_t>(got);
    return 0;
}

int ScanPSStream(int fd, FILE* out, PSInjectionFunc inject, int32_t* pageCounter, char* first,
                 size_t firstLength, PSPageHooks hooks) {
    const PSTriggerSet triggers = TriggersOf(hooks);
    const size_t maxTrigger = triggers.maxLength;
    const PSTriggerBytes triggerBytes(triggers);
    // A point waiting for the next line: fired before it unless that line is
    // the lone "showpage" of an empty cell.
    int deferred = 0;
    // The caller's block, already read once, serves for every later read.
    std::unique_ptr<char[]> owned;
    char* const block = first ? first : (owned.reset(new char[kPSBlockSize]), owned.get());
    bool firstPending = first != nullptr;
    // The start of the current piece when it is still short enough to be a
    // trigger line and began in an earlier block; not yet written.
    char carry[kMaxTriggerLength];
    size_t carryLength = 0;
    // Bytes in the current piece: since the last line end or piece cut.
    size_t pieceLength = 0;
    char line[kMaxTriggerLength];

    int status = 0;
    for (;;) {
        ssize_t got;
        const char* p = block;
        if (firstPending) {
            // An empty first block is the end.
            got = static_cast<ssize_t>(firstLength);
            firstPending = false;
        } else {
            got = ReadBlock(fd, block);
        }
        if (got < 0)
            status = errno;
        if (got <= 0)
            break;
        const char* const end = p + got;
        const char* span = p; // first byte of this block not yet written
        const char* nextCR = FindByte(p, end, '\r');
        const char* nextLF = FindByte(p, end, '\n');

        while (p < end) {
            if (nextCR < p)
                nextCR = FindByte(p, end, '\r');
            if (nextLF < p)
                nextLF = FindByte(p, end, '\n');
            const char* eol = std::min(nextCR, nextLF);
            // Whole lines of this block that cannot be trigger lines (too
            // long or short, or starting and ending with the wrong bytes)
            // stay in the span untouched; nothing is held back or deferred.
            while (!deferred && pieceLength == 0 && eol != end) {
                const size_t length = static_cast<size_t>(eol - p);
                if (length >= static_cast<size_t>(kPSLinePieceSize) ||
                    (length >= kMinTriggerLength && length <= maxTrigger &&
                     triggerBytes.MayMatch(p, length)))
                    break;
                p = eol + 1;
                if (nextCR < p)
                    nextCR = FindByte(p, end, '\r');
                if (nextLF < p)
                    nextLF = FindByte(p, end, '\n');
                eol = std::min(nextCR, nextLF);
            }

            if (deferred) {
                // Everything before this line is out; its start may still be
                // held in carry.
                const size_t length = pieceLength + static_cast<size_t>(eol - p);
                bool emptyCell = length <= kEmptyCellLength;
                if (emptyCell) {
                    char head[kEmptyCellLength];
                    std::memcpy(head, carry, carryLength);
                    std::memcpy(head + carryLength, p, length - carryLength);
                    emptyCell = std::memcmp(head, kEmptyCellLine, length) == 0;
                }
                if (eol != end || !emptyCell) {
                    if (!(emptyCell && length == kEmptyCellLength)) {
                        Write(span, static_cast<size_t>(p - span), out);
                        span = p;
                        inject(deferred, *pageCounter);
                    }
                    deferred = 0;
                }
            }

            size_t total = pieceLength + static_cast<size_t>(eol - p);
            if (total >= static_cast<size_t>(kPSLinePieceSize)) {
                // The piece was cut (written as it is); the rest starts anew.
                pieceLength = total % kPSLinePieceSize;
                Write(carry, carryLength, out);
                carryLength = 0;
            } else {
                pieceLength = total;
                if (carryLength && pieceLength > maxTrigger) {
                    Write(carry, carryLength, out);
                    carryLength = 0;
                }
            }
            if (eol == end)
                break;

            // A line ends here: the piece, without its terminator.
            const char* lineStart = eol - (pieceLength - carryLength);
            const PSTrigger* trigger = nullptr;
            if (pieceLength >= kMinTriggerLength && pieceLength <= maxTrigger) {
                std::memcpy(line, carry, carryLength);
                std::memcpy(line + carryLength, lineStart, static_cast<size_t>(eol - lineStart));
                trigger = MatchTrigger(triggers, line, pieceLength);
            }
            if (trigger && carryLength == 0) {
                // The line lies whole in this block: it stays in the span,
                // which is cut only where a point writes.
                if (trigger->endsPage)
                    *pageCounter = static_cast<int32_t>(static_cast<uint32_t>(*pageCounter) + 1u);
                if (trigger->suffixBeforeNext) {
                    deferred = trigger->pointCode;
                } else {
                    const char* at = trigger->beforeLine ? lineStart : eol + 1;
                    Write(span, static_cast<size_t>(at - span), out);
                    span = at;
                    inject(trigger->pointCode, *pageCounter);
                }
            } else if (trigger) {
                Write(span, static_cast<size_t>(lineStart - span), out);
                if (trigger->endsPage)
                    *pageCounter = static_cast<int32_t>(static_cast<uint32_t>(*pageCounter) + 1u);
                if (trigger->beforeLine)
                    inject(trigger->pointCode, *pageCounter);
                Write(line, pieceLength, out);
                std::fputc(*eol, out);
                if (trigger->suffixBeforeNext)
                    deferred = trigger->pointCode;
                else if (!trigger->beforeLine)
                    inject(trigger->pointCode, *pageCounter);
                span = eol + 1;
            } else {
                // Not a trigger: the held-back start goes out ahead of this
                // block's bytes.
                Write(carry, carryLength, out);
            }
            carryLength = 0;
            pieceLength = 0;
            p = eol + 1;
        }

        // Hold back a short unfinished piece: its line may still turn out to
        // be a trigger line whose point fires before it.
        if (pieceLength > 0 && pieceLength <= maxTrigger) {
            size_t inBlock = pieceLength - carryLength;
            Write(span, static_cast<size_t>((end - inBlock) - span), out);
            std::memcpy(carry + carryLength, end - inBlock, inBlock);
            carryLength = pieceLength;
        } else {
            Write(span, static_cast<size_t>(end - span), out);
        }
    }
    // A last line without terminator is still written.
    Write(carry, carryLength, out);
    if (status == 0)
        std::fputc(0x04, out);
    return status;
}

int OutputPSStream(PSDocument& document, PSPageHooks hooks) {
    return ScanPSStream(document.fd, gFilterOut, OutputPSCommandFromFilter, &PSPageCounter,
                        document.firstBlock, document.firstLength, hooks);
}
