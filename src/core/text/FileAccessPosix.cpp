// The POSIX side of the file-access unit: no QObject, so the text can be opened and read on a
// thread that runs before the application object exists.
#include "text/FileAccessPosix.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wordhoard {

namespace {

class PosixMappedFile : public MappedFile {
public:
    PosixMappedFile(void* base, qint64 size) : m_base(base), m_size(size) {}
    ~PosixMappedFile() override { ::munmap(m_base, static_cast<std::size_t>(m_size)); }
    const unsigned char* data() const override { return static_cast<const unsigned char*>(m_base); }
    qint64 size() const override { return m_size; }

private:
    void* m_base;
    qint64 m_size;
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
        if (::fstat(m_fd, &info) != 0) return {};
        return {static_cast<qint64>(info.st_size),
                static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
    }

private:
    int m_fd;
};

int openPath(const QString& path, int flags) {
    return ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
}

} // namespace

std::unique_ptr<MappedFile> mapFilePosix(const QString& path, bool writable, qint64 maxSize, QString& error) {
    const int fd = openPath(path, writable ? O_RDWR : O_RDONLY);
    if (fd < 0) {
        error = qt_error_string(errno);
        return nullptr;
    }
    // The mapping outlives the descriptor.
    const auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = qt_error_string(errno);
        return nullptr;
    }
    if (S_ISDIR(info.st_mode)) {
        error = QStringLiteral("is a directory");
        return nullptr;
    }
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
    return std::make_unique<PosixMappedFile>(base, static_cast<qint64>(size));
}

std::unique_ptr<FileReader> openFileReaderPosix(const QString& path, QString& error) {
    const int fd = openPath(path, O_RDONLY);
    if (fd < 0) {
        error = qt_error_string(errno);
        return nullptr;
    }
    auto reader = std::make_unique<PosixFileReader>(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        error = qt_error_string(errno);
        return nullptr;
    }
    if (S_ISDIR(info.st_mode)) {
        error = QStringLiteral("is a directory");
        return nullptr;
    }
    return reader;
}

qsizetype findBytesPosix(QByteArrayView haystack, QByteArrayView needle) {
    if (needle.isEmpty()) return -1;
    const void* hit = ::memmem(haystack.data(), static_cast<std::size_t>(haystack.size()), needle.data(),
                               static_cast<std::size_t>(needle.size()));
    return hit == nullptr ? -1 : static_cast<const char*>(hit) - haystack.data();
}

qsizetype findLastBytePosix(QByteArrayView haystack, char byte) {
#if defined(__GLIBC__)
    const void* hit = ::memrchr(haystack.data(), byte, static_cast<std::size_t>(haystack.size()));
    return hit == nullptr ? -1 : static_cast<const char*>(hit) - haystack.data();
#else
    return haystack.lastIndexOf(byte);
#endif
}

} // namespace wordhoard
