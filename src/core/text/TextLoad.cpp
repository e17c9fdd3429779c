#include "text/TextLoad.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

namespace wordhoard {

// The shared state of one load: the text, its parts, and who has done what.
//
// The parts are read through a buffer that stays in the cache. Indexing through the mapping
// instead would fault in every page of the text (about ten milliseconds for 60 MB) and leave them
// all to be unmapped at exit; read this way, the mapping's pages come in only when an entry or a
// search needs them.
//
// Exactly one join makes the index: the loading thread's when the text maps but can't be read
// (there are no parts then), else that of whichever thread finishes the last part. A part that
// can't be read whole (the file shrank, an I/O error) makes that join index the mapping instead.
class TextLoadJob {
public:
    TextLoadJob(QString fileName, LoadOptions options)
        : m_fileName(std::move(fileName)), m_options(std::move(options)) {}

    // The loading thread: opens the text, then indexes parts while any are left.
    void run() {
        Opened opened = Opened::Closed;
        try {
            opened = open();
        } catch (...) {
            finishOpen(Opened::Closed, std::current_exception());
            return;
        }
        finishOpen(opened, nullptr);
        if (opened == Opened::MappedOnly) {
            join(true);
        } else if (opened == Opened::InParts) {
            indexParts();
        }
    }

    // The taking thread: helps with the parts left and waits until they are joined.
    LoadedText take() {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_opened; });
        }
        indexParts();
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_joined; });
        }
        if (m_error) std::rethrow_exception(m_error);
        return {std::move(m_text), std::move(m_index)};
    }

private:
    enum class Opened {
        Closed,     // the text did not open: nothing to index
        MappedOnly, // it maps, but can't be opened for reading: index the mapping
        InParts,    // read and index it in parts
    };

    Opened open() {
        m_text = std::make_unique<TMapTextfile>();
        if (m_text->Open(m_fileName, false, m_options.api) != 0) return Opened::Closed;
        m_reader = m_options.openReader(m_fileName, m_options.api);
        if (!m_reader) return Opened::MappedOnly;
        const qint64 size = m_text->size();
        for (qint64 begin = 0; begin < size; begin += m_options.partSize) {
            const qint64 end = std::min(size, begin + m_options.partSize);
            m_parts.push_back({begin, end, EntryIndexBuilder(begin)});
        }
        m_partCount = m_parts.size();
        return Opened::InParts;
    }

    void finishOpen(Opened opened, std::exception_ptr error) {
        std::lock_guard lock(m_mutex);
        m_error = error;
        m_opened = true;
        m_joined = opened == Opened::Closed || (opened == Opened::InParts && m_partCount == 0);
        m_changed.notify_all();
    }

    void join(bool indexMapping) {
        std::exception_ptr error;
        try {
            m_index = indexMapping ? buildEntryIndex(*m_text) : joinParts(m_parts, m_text->bytes());
        } catch (...) {
            error = std::current_exception();
        }
        m_parts.clear();
        std::lock_guard lock(m_mutex);
        if (error && !m_error) m_error = error;
        m_joined = true;
        m_changed.notify_all();
    }

    void indexParts() {
        std::vector<char> buffer;
        for (;;) {
            const std::size_t k = m_next.fetch_add(1);
            if (k >= m_partCount) return;
            bool readWhole = false;
            std::exception_ptr error;
            try {
                if (buffer.empty()) buffer.resize(kBuffer);
                readWhole = indexPart(m_parts[k], buffer);
            } catch (...) {
                error = std::current_exception();
            }
            bool last = false;
            bool indexMapping = false;
            {
                std::lock_guard lock(m_mutex);
                if (!readWhole) m_readFailed = true;
                if (error && !m_error) m_error = error;
                last = ++m_partsDone == m_partCount;
                // Read under the lock by the last part's thread: every other part is done.
                indexMapping = m_readFailed;
            }
            if (last) join(indexMapping);
        }
    }

    bool indexPart(IndexedPart& part, std::vector<char>& buffer) const {
        for (qint64 at = part.begin; at < part.end;) {
            const qint64 want = std::min<qint64>(part.end - at, static_cast<qint64>(buffer.size()));
            const qint64 got = m_reader->readAt(at, buffer.data(), want);
            if (got <= 0) return false;
            part.builder.feed(QByteArrayView(buffer.data(), got));
            at += got;
        }
        return true;
    }

    static constexpr std::size_t kBuffer = 256 * 1024;

    const QString m_fileName;
    const LoadOptions m_options;
    std::unique_ptr<TMapTextfile> m_text;
    std::unique_ptr<FileReader> m_reader;
    // Fixed once opened; part k belongs to whoever drew k from m_next until it is done, and all
    // of them to the one who joins them. Threads that find no part left read only m_partCount,
    // as the joiner empties m_parts.
    std::vector<IndexedPart> m_parts;
    std::size_t m_partCount = 0;
    std::atomic<std::size_t> m_next{0};

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_opened = false;
    std::size_t m_partsDone = 0;
    bool m_readFailed = false;
    bool m_joined = false;
    EntryIndex m_index; // once joined
    std::exception_ptr m_error;
};

PendingText::PendingText(const QString& fileName, std::function<void()> before, LoadOptions options)
    : m_fileName(fileName), m_job(std::make_shared<TextLoadJob>(fileName, std::move(options))) {
    m_thread = std::async(std::launch::async, [job = m_job, before = std::move(before)] {
        // The load runs whatever `before` does; its error, if any, comes back from take().
        std::exception_ptr error;
        if (before) {
            try {
                before();
            } catch (...) {
                error = std::current_exception();
            }
        }
        job->run();
        if (error) std::rethrow_exception(error);
    });
}

PendingText::PendingText(PendingText&&) noexcept = default;
PendingText& PendingText::operator=(PendingText&&) noexcept = default;
PendingText::~PendingText() = default;

LoadedText PendingText::take() {
    const std::shared_ptr<TextLoadJob> job = std::move(m_job);
    LoadedText loaded = job->take();
    m_thread.get();
    return loaded;
}

} // namespace wordhoard
