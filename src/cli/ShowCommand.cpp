#include "Commands.h"
#include "display/EntryDisplay.h"
#include "text/EntryIndex.h"

#include <cstdio>
#include <limits>

namespace wordhoard::cli {

namespace {

// '.' plain, 'b' bold, 'i' italic, 'B' bold italic; marks are listed apart.
QString styleLetters(const std::vector<std::uint8_t>& styles) {
    static constexpr char16_t kLetters[] = u".biB";
    QString letters(static_cast<qsizetype>(styles.size()), Qt::Uninitialized);
    QChar* out = letters.data();
    for (const std::uint8_t style : styles) *out++ = QChar(kLetters[style & (kStyleBold | kStyleItalic)]);
    return letters;
}

} // namespace

// The entry whose start offset is START, as the text pane shows it: tags removed, entities decoded,
// the file's own line breaks kept (a final '\n' is added only when the text lacks one).
// --json gives {"start":S,"page":"...","text":"...","styles":"..."} and, with
// --mark TERM, "marks":[[pos,len],...] (empty for an empty TERM); positions count UTF-16 units of
// the text. With --loose the marks are found as the viewer finds them with Loose Matching on.
int runShow(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const QString& arg = inv.args.value(0);
    bool ok = false;
    const qlonglong value = arg.toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<std::int32_t>::max()) {
        std::fprintf(stderr, "wordhoard-cli: show: START must be an offset, not '%s'\n", qPrintable(arg));
        return kUsageOrOpenError;
    }
    const auto start = static_cast<std::int32_t>(value);
    if (!isEntryStart(dictionary.index(), start)) {
        std::fprintf(stderr,
                     "wordhoard-cli: show: %d is not the start of an entry (see the headwords command)\n",
                     start);
        return kUsageOrOpenError;
    }

    const DisplayedEntry shown = displayEntry(dictionary.text(), start, inv.mark, inv.loose);
    const FormattedEntry& entry = shown.formatted;
    if (!inv.json) {
        out << QStringView(entry.text);
        if (!entry.text.endsWith(u'\n')) out << "\n";
        return kOk;
    }
    out << "{\"start\":" << static_cast<long long>(start) << ",\"page\":";
    out.json(shown.page) << ",\"text\":";
    out.json(entry.text) << ",\"styles\":";
    out.json(styleLetters(entry.styles));
    if (inv.markGiven) {
        out << ",\"marks\":[";
        for (std::size_t i = 0; i < entry.marks.size(); ++i) {
            out << (i ? ",[" : "[") << static_cast<long long>(entry.marks[i].pos) << ","
                << static_cast<long long>(entry.marks[i].len) << "]";
        }
        out << "]";
    }
    out << "}\n";
    return kOk;
}

} // namespace wordhoard::cli
