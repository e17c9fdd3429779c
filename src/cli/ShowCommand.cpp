// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Commands.h"
#include "display/EntryDisplay.h"
#include "language/LinkIndex.h"

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
// --mark TERM, "marks":[[pos,len],...] (empty for an empty TERM), with --links
// "links":[[pos,len,target],...] (the cross-references, page markers left out); positions count
// UTF-16 units of the text. With --loose the marks are found as the viewer finds them with Loose
// Matching on.
int runShow(const Invocation& inv, const Dictionary& dictionary, Output& out) {
    const std::optional<std::int32_t> given = entryStartArgument(inv.args.value(0), "show", dictionary);
    if (!given) return kUsageOrOpenError;
    const std::int32_t start = *given;

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
    if (inv.links) {
        out << ",\"links\":[";
        bool first = true;
        for (const LinkIndex::Link& link : dictionary.links().linksOf(start)) {
            if (link.isPage()) continue;
            out << (first ? "[" : ",[") << static_cast<long long>(link.pos) << ","
                << static_cast<long long>(link.len) << "," << static_cast<long long>(link.target) << "]";
            first = false;
        }
        out << "]";
    }
    out << "}\n";
    return kOk;
}

} // namespace wordhoard::cli
