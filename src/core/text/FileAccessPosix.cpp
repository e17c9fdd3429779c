// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The POSIX side of the file-access unit: no QObject, so the text can be opened and read on a
// thread that runs before the application object exists.
#include "text/FileAccessPosix.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wordhoard {

namespace {

FileState stateOf(const struct stat& info) {
    return {static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            (static_cast<quint64>(info.st_dev) << 32) ^ static_cast<quint64>(info.st_ino)};
}

// ---- The guard against reads past the end of a file that shrank -----------------------------
//
// The kernel raises SIGBUS at a read of a mapped page that the file no longer reaches. The
// handler looks the address up among the guarded mappings; in one of them it maps zeros over the
// rest of that mapping and notes the fault, and the read runs again and finds zeros. Any other
// SIGBUS goes to the handler that was there before, or ends the process as it would have.

struct GuardedRange {
    std::atomic<std::uintptr_t> begin{0}; // 0: a free slot
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> faulted{false};
};

constexpr std::size_t kGuardedRanges = 64;
std::array<GuardedRange, kGuardedRanges> g_guarded;
std::mutex g_guardedSlots; // taken to claim or free a slot, never in the handler
struct sigaction g_previousHandler {};
std::uintptr_t g_pageSize = 4096;

void onBusError(int signal, siginfo_t* info, void* context) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardedRange& range : g_guarded) {
        const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = range.end.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= end) continue;
        const std::uintptr_t page = at & ~(g_pageSize - 1);
        const std::uintptr_t last = (end + g_pageSize - 1) & ~(g_pageSize - 1);
        // mmap is a plain system call here, safe in a handler on the platforms this builds on.
        if (::mmap(reinterpret_cast<void*>(page), last - page, PROT_READ, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS,
                   -1, 0) == MAP_FAILED) {
            break;
        }
        range.faulted.store(true, std::memory_order_release);
        return;
    }
    if ((g_previousHandler.sa_flags & SA_SIGINFO) != 0 && g_previousHandler.sa_sigaction != nullptr) {
        g_previousHandler.sa_sigaction(signal, info, context);
    } else if (g_previousHandler.sa_handler != SIG_DFL && g_previousHandler.sa_handler != SIG_IGN) {
        g_previousHandler.sa_handler(signal);
    } else {
        // The read runs again, faults again, and ends the process as it would have.
        ::signal(SIGBUS, SIG_DFL);
    }
}

void installGuard() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previousHandler);
    });
}

// A slot of g_guarded for [base, base + size); null when all are taken (the mapping then goes
// unguarded, as before there was a guard).
GuardedRange* guard(const void* base, qint64 size) {
    installGuard();
    const std::lock_guard lock(g_guardedSlots);
    for (GuardedRange& range : g_guarded) {
        if (range.begin.load(std::memory_order_relaxed) != 0) continue;
        range.faulted.store(false, std::memory_order_relaxed);
        range.end.store(reinterpret_cast<std::uintptr_t>(base) + static_cast<std::uintptr_t>(size),
                        std::memory_order_release);
        range.begin.store(reinterpret_cast<std::uintptr_t>(base), std::memory_order_release);
        return &range;
    }
    return nullptr;
}

void unguard(GuardedRange* range) {
    if (range == nullptr) return;
    const std::lock_guard lock(g_guardedSlots);
    range->begin.store(0, std::memory_order_release);
    range->end.store(0, std::memory_order_release);
}

class PosixMappedFile : public MappedFile {
public:
    PosixMappedFile(int fd, void* base, qint64 size) : m_fd(fd), m_base(base), m_size(size), m_guard(guard(base, size)) {}
    ~PosixMappedFile() override {
        unguard(m_guard);
        ::munmap(m_base, static_cast<std::size_t>(m_size));
        ::close(m_fd);
    }
    const unsigned char* data() const override { return static_cast<const unsigned char*>(m_base); }
    qint64 size() const override { return m_size; }
    FileState state() const override {
        struct stat info {};
        return ::fstat(m_fd, &info) == 0 ? stateOf(info) : FileState{};
    }
    bool faulted() const override { return m_guard && m_guard->faulted.load(std::memory_order_acquire); }

private:
    int m_fd; // kept open: its state is the mapped file's, whatever is renamed over its name
    void* m_base;
    qint64 m_size;
    GuardedRange* m_guard;
};

class PosixFileReader : public FileReader {
public:
    explicit PosixFileReader(int fd) : m_fd(fd) {}
    ~PosixFileReader() override { ::close(m_fd); }
    qint64 readAt(qint64 offset, char* buffer, qint64 size) override {
        for (;;) {
            const ssize_t got = ::pread(m_fd, buffer, static_cast<std::size_t>(size), static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            return got;
        }
    }
    FileState state() override {
        struct stat info {};
        return ::fstat(m_fd, &info) == 0 ? stateOf(info) : FileState{};
    }

private:
    int m_fd;
};

// Opens `path`, which must not be a folder, and tells what it is; -1 with `error` said when it
// can't be.
int openFile(const QString& path, int flags, struct stat& info, QString& error) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        error = qt_error_string(errno);
        ::close(fd);
        return -1;
    }
    if (S_ISDIR(info.st_mode)) {
        error = QStringLiteral("is a directory");
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::unique_ptr<MappedFile> mapFilePosix(const QString& path, bool writable, qint64 maxSize, QString& error) {
    struct stat info {};
    const int fd = openFile(path, writable ? O_RDWR : O_RDONLY, info, error);
    if (fd < 0) return nullptr;
    // Closed on failure; the mapping keeps it for telling its state.
    auto closeFd = qScopeGuard([fd] { ::close(fd); });
    if (info.st_size == 0) {
        error = QStringLiteral("the file is empty");
        return nullptr;
    }
    if (info.st_size > maxSize) {
        error = QStringLiteral("the file is 2 GiB or larger");
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* base = ::mmap(nullptr, size, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    if (base == MAP_FAILED) {
        error = qt_error_string(errno);
        return nullptr;
    }
    closeFd.dismiss();
    return std::make_unique<PosixMappedFile>(fd, base, static_cast<qint64>(size));
}

std::unique_ptr<FileReader> openFileReaderPosix(const QString& path, QString& error) {
    struct stat info {};
    const int fd = openFile(path, O_RDONLY, info, error);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixFileReader>(fd);
}

qsizetype findBytesPosix(QByteArrayView haystack, QByteArrayView needle) {
    if (needle.isEmpty()) return -1;
    const void* hit = ::memmem(haystack.data(), static_cast<std::size_t>(haystack.size()), needle.data(),
                               static_cast<std::size_t>(needle.size()));
    return hit == nullptr ? -1 : static_cast<const char*>(hit) - haystack.data();
}

qsizetype findLastBytePosix(QByteArrayView haystack, char byte) {
#if defined(__GLIBC__)
    // Backwards a window at a time: the sanitizers check the whole range memrchr is given, and
    // each search looks back from a hit over the text before it (quadratic, under them).
    constexpr qsizetype kWindow = 4096;
    for (qsizetype end = haystack.size(); end > 0;) {
        const qsizetype begin = std::max<qsizetype>(0, end - kWindow);
        const void* hit = ::memrchr(haystack.data() + begin, byte, static_cast<std::size_t>(end - begin));
        if (hit != nullptr) return static_cast<const char*>(hit) - haystack.data();
        end = begin;
    }
    return -1;
#else
    return haystack.lastIndexOf(byte);
#endif
}

} // namespace wordhoard
