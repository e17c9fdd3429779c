#include "TextLoad.h"

#include <QFile>

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace wordhoard {

namespace {

// Reads the file in pieces through a buffer that stays in the cache. Indexing through the
// mapping instead would fault in every page of the text (about ten milliseconds for 60 MB) and
// leave them all to be unmapped at exit; read this way, the mapping's pages come in only when an
// entry or a search needs them. Nothing when the file can't be read to the mapped size.
std::optional<EntryIndex> indexFile(const QString& fileName, qint64 mappedSize) {
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    constexpr std::size_t kPiece = 256 * 1024;
    const auto buffer = std::make_unique<char[]>(kPiece);
    EntryIndexBuilder builder;
    qint64 total = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.get(), kPiece);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ::close(fd);
            if (got < 0 || total != mappedSize) return std::nullopt;
            return builder.finish();
        }
        builder.feed(QByteArrayView(buffer.get(), got));
        total += got;
    }
}

} // namespace

LoadedText loadText(const QString& fileName) {
    LoadedText loaded;
    loaded.text = std::make_unique<TMapTextfile>();
    if (loaded.text->Open(fileName, false) != 0) return loaded;
    std::optional<EntryIndex> index = indexFile(fileName, loaded.text->size());
    // A file that changed size under us is indexed as it was mapped.
    loaded.index = index ? std::move(*index) : buildEntryIndex(*loaded.text);
    return loaded;
}

PendingText loadTextInBackground(const QString& fileName) {
    return {fileName, std::async(std::launch::async, loadText, fileName)};
}

} // namespace wordhoard
