// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/FileAccess.h"
#if defined(WORDHOARD_POSIX_FILES)
#include "text/FileAccessPosix.h"
#endif

#include <QFile>
#include <QDateTime>
#include <QFileInfo>

#include <mutex>

namespace wordhoard {

namespace {

FileState stateOf(const QFileInfo& info) {
    if (!info.exists()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch(), 0};
}

class QtMappedFile : public MappedFile {
public:
    QtMappedFile(std::unique_ptr<QFile> file, uchar* data, qint64 size)
        : m_file(std::move(file)), m_data(data), m_size(size) {}
    ~QtMappedFile() override { m_file->unmap(m_data); }
    const unsigned char* data() const override { return m_data; }
    qint64 size() const override { return m_size; }
    FileState state() const override { return stateOf(QFileInfo(m_file->fileName())); }

private:
    std::unique_ptr<QFile> m_file; // the mapping lives as long as the file object
    uchar* m_data;
    qint64 m_size;
};

// A QFile reads from its own position, so one read at a time.
class QtFileReader : public FileReader {
public:
    explicit QtFileReader(std::unique_ptr<QFile> file) : m_file(std::move(file)) {}
    qint64 readAt(qint64 offset, char* buffer, qint64 size) override {
        std::lock_guard lock(m_mutex);
        if (!m_file->seek(offset)) return -1;
        return m_file->read(buffer, size);
    }
    FileState state() override {
        std::lock_guard lock(m_mutex);
        return stateOf(QFileInfo(m_file->fileName()));
    }

private:
    std::mutex m_mutex;
    std::unique_ptr<QFile> m_file;
};

std::unique_ptr<MappedFile> mapFileQt(const QString& path, bool writable, qint64 maxSize, QString& error) {
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("is a directory");
        return nullptr;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(writable ? QIODevice::ReadWrite | QIODevice::ExistingOnly : QIODevice::ReadOnly)) {
        error = file->errorString();
        return nullptr;
    }
    const qint64 size = file->size();
    if (size == 0) {
        error = QStringLiteral("the file is empty");
        return nullptr;
    }
    if (size > maxSize) {
        error = QStringLiteral("the file is 2 GiB or larger");
        return nullptr;
    }
    uchar* data = file->map(0, size);
    if (data == nullptr) {
        error = file->errorString();
        return nullptr;
    }
    return std::make_unique<QtMappedFile>(std::move(file), data, size);
}

std::unique_ptr<FileReader> openFileReaderQt(const QString& path, QString& error) {
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("is a directory");
        return nullptr;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = file->errorString();
        return nullptr;
    }
    return std::make_unique<QtFileReader>(std::move(file));
}

} // namespace

FileApi defaultFileApi() {
#if defined(WORDHOARD_POSIX_FILES)
    return FileApi::Posix;
#else
    return FileApi::Qt;
#endif
}

std::vector<FileApi> availableFileApis() {
#if defined(WORDHOARD_POSIX_FILES)
    return {FileApi::Posix, FileApi::Qt};
#else
    return {FileApi::Qt};
#endif
}

std::unique_ptr<MappedFile> mapFile(const QString& path, bool writable, qint64 maxSize, FileApi api,
                                    QString& error) {
#if defined(WORDHOARD_POSIX_FILES)
    if (api == FileApi::Posix) return mapFilePosix(path, writable, maxSize, error);
#endif
    (void)api;
    return mapFileQt(path, writable, maxSize, error);
}

std::unique_ptr<FileReader> openFileReader(const QString& path, FileApi api, QString& error) {
#if defined(WORDHOARD_POSIX_FILES)
    if (api == FileApi::Posix) return openFileReaderPosix(path, error);
#endif
    (void)api;
    return openFileReaderQt(path, error);
}

FileState fileStateOf(const QString& path, FileApi api) {
    const std::unique_ptr<FileReader> reader = openFileReader(path, api);
    return reader ? reader->state() : FileState{};
}

std::unique_ptr<FileReader> openFileReader(const QString& path, FileApi api) {
    QString error;
    return openFileReader(path, api, error);
}

qsizetype findBytesPortable(QByteArrayView haystack, QByteArrayView needle) {
    if (needle.isEmpty()) return -1;
    return haystack.indexOf(needle);
}

qsizetype findLastBytePortable(QByteArrayView haystack, char byte) {
    return haystack.lastIndexOf(byte);
}

qsizetype findBytes(QByteArrayView haystack, QByteArrayView needle) {
#if defined(WORDHOARD_POSIX_FILES)
    return findBytesPosix(haystack, needle);
#else
    return findBytesPortable(haystack, needle);
#endif
}

qsizetype findLastByte(QByteArrayView haystack, char byte) {
#if defined(WORDHOARD_POSIX_FILES)
    return findLastBytePosix(haystack, byte);
#else
    return findLastBytePortable(haystack, byte);
#endif
}

} // namespace wordhoard
