// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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

QString changedWhileRead() { return QStringLiteral("the file changed while it was read"); }

// Offsets are 32-bit signed: a file of 2 GiB or more can't be addressed whole.
constexpr qint64 kMaxSize = std::numeric_limits<std::int32_t>::max();

} // namespace

// The shared state of one load: the mapped text, its parts, and who has done what.
//
// The parts are read through a buffer that stays in the cache. Indexing through the mapping
// instead would fault in every page of the text (about ten milliseconds for 60 MB) and leave them
// all to be unmapped at exit; read this way, the mapping's pages come in only when an entry or a
// search needs them. The reader reads the mapped file itself: when the name has come to name
// another file between the two openings, both are opened again.
//
// Exactly one join makes the index: that of whichever thread finishes the last part. When a part
// can't be read whole, or the file is not in the state it was mapped in (it shrank, grew or was
// written meanwhile), that join maps the file again and indexes the mapping, until one mapping
// outlasts its indexing unchanged; so the text and its index always describe one state of the
// file.
class TextLoadJob {
public:
    TextLoadJob(QString fileName, LoadOptions options)
        : m_fileName(std::move(fileName)), m_options(std::move(options)) {}

    // The loading thread: opens the text, then indexes parts while any are left.
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
        text->Open(std::move(m_mapping), m_openError);
        return {std::move(text), std::move(m_index)};
    }

private:
    // Whether there are parts to read; else m_openError says why the text did not open.
    bool open() {
        for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
            m_mapping = mapFile(m_fileName, false, kMaxSize, m_options.api, m_openError);
            if (!m_mapping) return false;
            m_state = m_mapping->state();
            m_reader = m_options.openReader(m_fileName, m_options.api, m_openError);
            if (!m_reader) {
                m_mapping.reset();
                return false;
            }
            if (m_reader->state() == m_state) break;
            m_reader.reset();
            m_mapping.reset();
        }
        if (!m_mapping) {
            m_openError = changedWhileRead();
            return false;
        }
        const qint64 size = m_mapping->size();
        for (qint64 begin = 0; begin < size; begin += m_options.partSize) {
            const qint64 end = std::min(size, begin + m_options.partSize);
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
            if (readAgain || !(m_reader->state() == m_state)) {
                m_parts.clear();
                indexAgain();
            } else {
                m_index = joinParts(m_parts, QByteArrayView(m_mapping->data(), m_mapping->size()));
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

    // Maps the file again (it may have been replaced) and indexes the mapping, until the file
    // stays as it was mapped while it is indexed. A mapping that shrinks meanwhile reads zeros
    // and says so, see MappedFile.
    void indexAgain() {
        m_mapping.reset();
        for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
            std::unique_ptr<MappedFile> mapping = mapFile(m_fileName, false, kMaxSize, m_options.api, m_openError);
            if (!mapping) return;
            const FileState state = mapping->state();
            EntryIndexBuilder builder;
            builder.feed(QByteArrayView(mapping->data(), mapping->size()));
            if (!mapping->faulted() && mapping->state() == state) {
                m_index = builder.finish();
                m_mapping = std::move(mapping);
                return;
            }
        }
        m_openError = changedWhileRead();
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
    // Fixed once opened, until the join.
    std::unique_ptr<MappedFile> m_mapping;
    FileState m_state; // the mapped file's, when it was mapped
    std::unique_ptr<FileReader> m_reader;
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
