// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

namespace wordhoard {

// Every call that reaches the dictionary file goes through this unit. Two implementations stand
// side by side: POSIX (open, mmap, pread), which POSIX builds use because it makes no QObject and
// so may run before the application object exists, and Qt's (QFile::map, QFile::read), which
// every other build uses. The tests run both.
enum class FileApi { Posix, Qt };

// POSIX where the platform has it, else Qt.
FileApi defaultFileApi();
// The implementations this build has: both on POSIX platforms, Qt's alone elsewhere.
std::vector<FileApi> availableFileApis();

// What tells whether a file changed: a file whose state is the same as before holds what it held,
// but for a rewrite of the same length within one tick of the system's clock (a few
// milliseconds), which no state shows.
struct FileState {
    qint64 size = -1;
    qint64 modified = 0;  // in the platform's finest unit
    quint64 identity = 0; // which file it is (device and inode), where the platform tells
    friend bool operator==(const FileState&, const FileState&) = default;
};

// A whole file mapped into memory; unmapped when destroyed.
//
// A file that shrinks while it is mapped would end the process at the next read past its new
// end (SIGBUS). The POSIX mapping is guarded: such a read gets zeros in place of the bytes that
// are gone, and faulted() tells that it happened, so that the reader can stop trusting the
// mapping and read the file again. (Windows refuses to shorten a mapped file, so Qt's mapping
// needs no guard there.)
class MappedFile {
public:
    virtual ~MappedFile() = default;
    virtual const unsigned char* data() const = 0;
    virtual qint64 size() const = 0;
    // The mapped file's state now (it may have changed since it was mapped).
    virtual FileState state() const = 0;
    // A read reached past the end of the file after it shrank.
    virtual bool faulted() const { return false; }
};

// Maps the whole file at `path`, read-only unless `writable`. On failure gives null and says why
// in `error`: the system's reason ("No such file or directory"), "is a directory", "the file is
// empty", or, for a file larger than `maxSize` bytes, "the file is 2 GiB or larger".
std::unique_ptr<MappedFile> mapFile(const QString& path, bool writable, qint64 maxSize, FileApi api,
                                    QString& error);

// Reads stretches of one file by their offset; several threads may read at once.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Up to `size` bytes at `offset` into `buffer`: the count read, 0 at the end of the file, -1
    // on an error.
    virtual qint64 readAt(qint64 offset, char* buffer, qint64 size) = 0;
    // The file's size and time of last change now (both may change while it is read); size -1
    // when they can't be told.
    virtual FileState state() = 0;
};

// The state of the file at `path` now; size -1 when it can't be read.
FileState fileStateOf(const QString& path, FileApi api = defaultFileApi());

// Opens `path` for reading; null when it can't be opened, and `error` says why: the system's
// reason ("No such file or directory") or "is a directory".
std::unique_ptr<FileReader> openFileReader(const QString& path, FileApi api, QString& error);
std::unique_ptr<FileReader> openFileReader(const QString& path, FileApi api);

// Byte searches over mapped text, memmem and memrchr where the C library has them.
// The first offset of `needle` in `haystack`, or -1 (also for an empty needle).
qsizetype findBytes(QByteArrayView haystack, QByteArrayView needle);
// The last offset of `byte` in `haystack`, or -1.
qsizetype findLastByte(QByteArrayView haystack, char byte);

// The portable versions of the two searches, which non-POSIX builds use; the tests hold the
// others to them.
qsizetype findBytesPortable(QByteArrayView haystack, QByteArrayView needle);
qsizetype findLastBytePortable(QByteArrayView haystack, char byte);

} // namespace wordhoard
