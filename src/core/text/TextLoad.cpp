#include "text/TextLoad.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <vector>

namespace wordhoard {

namespace {

// How often a text that changes while it is read is read again before the load gives up.
constexpr int kReadAttempts = 3;

const QString& changedWhileRead() {
    static const QString message = QStringLiteral("the file changed while it was read");
    return message;
}

// Why a file of `size` bytes can't be a text, or nothing.
QString unusableSize(qint64 size) {
    if (size < 0) return QStringLiteral("its size can't be read");
    if (size == 0) return QStringLiteral("the file is empty");
    if (size > std::numeric_limits<std::int32_t>::max()) return QStringLiteral("the file is 2 GiB or larger");
    return {};
}

} // namespace

// The shared state of one load: the copy being read, its parts, and who has done what.
//
// The file is read into a copy in parts that either thread may take; each part is indexed as it
// is read, from the copy, while its bytes are still in the cache.
//
// Exactly one join makes the index: that of whichever thread finishes the last part. When a part
// can't be read whole, or the file's size or time of change is not what it was when the load began
// (the file shrank, grew or was written meanwhile), that join reads the whole file again on its own and indexes
// what it read, so that the text and its index always describe one state of the file.
class TextLoadJob {
public:
    TextLoadJob(QString fileName, LoadOptions options)
        : m_fileName(std::move(fileName)), m_options(std::move(options)) {}

    // The loading thread: opens the text, then reads and indexes parts while any are left.
    void run() {
        bool inParts = false;
        try {
            inParts = open();
        } catch (...) {
            finishOpen(false, std::current_exception());
            return;
        }
        finishOpen(inParts, nullptr);
        if (inParts) indexParts();
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
        auto text = std::make_unique<TMapTextfile>();
        text->Adopt(std::move(m_copy), m_openError);
        return {std::move(text), std::move(m_index), m_state};
    }

private:
    // Whether there are parts to read; else m_openError says why the text did not open.
    bool open() {
        m_reader = m_options.openReader(m_fileName, m_options.api, m_openError);
        if (!m_reader) return false;
        m_state = m_reader->state();
        m_size = m_state.size;
        m_openError = unusableSize(m_size);
        if (!m_openError.isEmpty()) return false;
        m_copy = std::make_unique<FileCopy>(m_size);
        for (qint64 begin = 0; begin < m_size; begin += m_options.partSize) {
            const qint64 end = std::min(m_size, begin + m_options.partSize);
            m_parts.push_back({begin, end, EntryIndexBuilder(begin)});
        }
        m_partCount = m_parts.size();
        return true;
    }

    void finishOpen(bool inParts, std::exception_ptr error) {
        std::lock_guard lock(m_mutex);
        m_error = error;
        m_opened = true;
        m_joined = !inParts;
        m_changed.notify_all();
    }

    void join(bool readAgain) {
        std::exception_ptr error;
        try {
            if (!readAgain && !(m_reader->state() == m_state)) readAgain = true;
            if (readAgain) {
                m_parts.clear();
                readWhole();
            } else {
                m_index = joinParts(m_parts, QByteArrayView(m_copy->data(), m_copy->size()));
            }
        } catch (...) {
            error = std::current_exception();
        }
        m_parts.clear();
        m_reader.reset();
        std::lock_guard lock(m_mutex);
        if (error && !m_error) m_error = error;
        m_joined = true;
        m_changed.notify_all();
    }

    // Reads the file again from its start to its end, opened anew (it may have been replaced),
    // until one reading finds the size it began with; then indexes that copy.
    void readWhole() {
        m_copy.reset();
        for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
            std::unique_ptr<FileReader> reader = m_options.openReader(m_fileName, m_options.api, m_openError);
            if (!reader) return;
            const FileState state = reader->state();
            const qint64 size = state.size;
            m_openError = unusableSize(size);
            if (!m_openError.isEmpty()) return;
            auto copy = std::make_unique<FileCopy>(size);
            qint64 at = 0;
            while (at < size) {
                const qint64 got = reader->readAt(at, copy->bytes() + at, size - at);
                if (got <= 0) break;
                at += got;
            }
            if (at == size && reader->state() == state) {
                m_copy = std::move(copy);
                m_state = state;
                EntryIndexBuilder builder;
                builder.feed(QByteArrayView(m_copy->data(), m_copy->size()));
                m_index = builder.finish();
                return;
            }
        }
        m_openError = changedWhileRead();
    }

    void indexParts() {
        for (;;) {
            const std::size_t k = m_next.fetch_add(1);
            if (k >= m_partCount) return;
            bool readWhole = false;
            std::exception_ptr error;
            try {
                readWhole = indexPart(m_parts[k]);
            } catch (...) {
                error = std::current_exception();
            }
            bool last = false;
            bool readAgain = false;
            {
                std::lock_guard lock(m_mutex);
                if (!readWhole) m_readFailed = true;
                if (error && !m_error) m_error = error;
                last = ++m_partsDone == m_partCount;
                // Read under the lock by the last part's thread: every other part is done.
                readAgain = m_readFailed;
            }
            if (last) join(readAgain);
        }
    }

    // Reads a part into the copy in pieces small enough to be indexed while still in the cache.
    bool indexPart(IndexedPart& part) const {
        char* const copy = m_copy->bytes();
        for (qint64 at = part.begin; at < part.end;) {
            const qint64 want = std::min<qint64>(part.end - at, kPiece);
            const qint64 got = m_reader->readAt(at, copy + at, want);
            if (got <= 0) return false;
            part.builder.feed(QByteArrayView(copy + at, got));
            at += got;
        }
        return true;
    }

    static constexpr qint64 kPiece = 256 * 1024;

    const QString m_fileName;
    const LoadOptions m_options;
    // Fixed once opened, until the join.
    std::unique_ptr<FileReader> m_reader;
    FileState m_state; // when the load began
    qint64 m_size = 0;
    std::unique_ptr<FileCopy> m_copy; // parts write their own stretches of it
    QString m_openError;
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
