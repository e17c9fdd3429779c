#include "TextLoad.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace wordhoard {

// The shared state of one load: the text, its parts, and who has done what.
//
// The parts are read with pread through a buffer that stays in the cache. Indexing through the
// mapping instead would fault in every page of the text (about ten milliseconds for 60 MB) and
// leave them all to be unmapped at exit; read this way, the mapping's pages come in only when
// an entry or a search needs them.
class TextLoadJob {
public:
    TextLoadJob(QString fileName, qint64 partSize) : m_fileName(std::move(fileName)), m_partSize(partSize) {}
    ~TextLoadJob() {
        if (m_fd >= 0) ::close(m_fd);
    }

    // The loading thread: opens the text, then indexes parts while any are left.
    void run() {
        try {
            open();
        } catch (...) {
            finishOpen(std::current_exception());
            return;
        }
        finishOpen(nullptr);
        if (m_readFailed) {
            join(); // the file could not be opened for reading: index the mapping
        } else {
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
    void open() {
        m_text = std::make_unique<TMapTextfile>();
        if (m_text->Open(m_fileName, false) != 0) return;
        m_fd = ::open(QFile::encodeName(m_fileName).constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            m_readFailed = true;
            return;
        }
        const qint64 size = m_text->size();
        for (qint64 begin = 0; begin < size; begin += m_partSize) {
            const qint64 end = std::min(size, begin + m_partSize);
            m_parts.push_back({begin, end, EntryIndexBuilder(begin)});
        }
        m_partCount = m_parts.size();
    }

    void finishOpen(std::exception_ptr error) {
        std::lock_guard lock(m_mutex);
        m_error = error;
        m_opened = true;
        m_joined = m_partCount == 0 && !m_readFailed; // nothing to index
        m_changed.notify_all();
    }

    // By whichever thread finished the last part, most often the loading one.
    void join() {
        std::exception_ptr error;
        try {
            // A part that could not be read whole (the file shrank, or an I/O error): index what
            // is mapped.
            m_index = m_readFailed ? buildEntryIndex(*m_text) : joinParts(m_parts, m_text->bytes());
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
            bool ok = false;
            std::exception_ptr error;
            try {
                if (buffer.empty()) buffer.resize(kBuffer);
                ok = indexPart(m_parts[k], buffer);
            } catch (...) {
                error = std::current_exception();
            }
            bool last = false;
            {
                std::lock_guard lock(m_mutex);
                if (!ok) m_readFailed = true;
                if (error && !m_error) m_error = error;
                last = ++m_partsDone == m_partCount;
            }
            if (last) join();
        }
    }

    bool indexPart(IndexedPart& part, std::vector<char>& buffer) const {
        for (qint64 at = part.begin; at < part.end;) {
            const auto want = static_cast<std::size_t>(std::min<qint64>(part.end - at, static_cast<qint64>(buffer.size())));
            const ssize_t got = ::pread(m_fd, buffer.data(), want, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            part.builder.feed(QByteArrayView(buffer.data(), got));
            at += got;
        }
        return true;
    }

    static constexpr std::size_t kBuffer = 256 * 1024;

    const QString m_fileName;
    const qint64 m_partSize;
    std::unique_ptr<TMapTextfile> m_text;
    int m_fd = -1;
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
    bool m_joined = false;
    EntryIndex m_index; // once joined
    bool m_readFailed = false;
    std::exception_ptr m_error;
};

LoadedText loadText(const QString& fileName) {
    TextLoadJob job(fileName, PendingText::kPartSize);
    job.run();
    return job.take();
}

PendingText::PendingText(const QString& fileName, std::function<void()> before, qint64 partSize)
    : m_fileName(fileName), m_job(std::make_shared<TextLoadJob>(fileName, partSize)) {
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
