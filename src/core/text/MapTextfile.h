// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/FileAccess.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>


namespace wordhoard {

// Read-only (or read-write) byte access to one whole file mapped into memory, addressed by
// 0-based offsets. Offsets are clamped, never rejected; a closed object answers every read with
// its "closed" value (null, 0, -1, true) so a viewer whose text failed to open runs on empty.
class TMapTextfile {
public:
    TMapTextfile();
    ~TMapTextfile();
    TMapTextfile(const TMapTextfile&) = delete;
    TMapTextfile& operator=(const TMapTextfile&) = delete;

    // 0 on success, -1 when the file is missing, unreadable, a directory, empty, or 2 GiB or
    // larger (offsets are 32-bit signed). Opening again closes what was open. With the POSIX
    // file API no QObject is made, so a text can be opened on any thread.
    std::int32_t Open(const QString& fileName, bool writable, FileApi api = defaultFileApi());
    // Serves the bytes of a file already mapped, and owns the mapping. With none it stays closed
    // and `reason` is its errorString().
    std::int32_t Open(std::unique_ptr<MappedFile> mapping, const QString& reason = {});
    // Serves bytes already in memory as if they were the mapped file (for tests and fuzzing);
    // the caller keeps them alive and unchanged until Close. Empty or 2 GiB and more gives -1.
    std::int32_t OpenBytes(QByteArrayView bytes);
    void Close();

    // Base + offset, the offset clamped to 0..Size; null when closed.
    const unsigned char* PointerAt(std::int32_t offset) const;
    // The byte at Cursor; advances Cursor. 0 at or past the end, and when closed.
    unsigned char NextChar();
    // The byte at the clamped offset; 0 at or past the end, and when closed.
    unsigned char CharAt(std::int32_t offset) const;
    void Seek(std::int32_t offset);
    bool AtEnd() const;

    // First offset >= start (a negative start means the cursor) where all of `pattern` (up to its
    // first zero byte) lies before `limit` (exclusive; <= 0 means the end of the file); -1 if none.
    std::int32_t Find(QByteArrayView pattern, std::int32_t start, std::int32_t limit) const;
    // As Find, but `wildcard` in the pattern matches any one byte, and the pattern ends before
    // the first `stop` character at index 1 or later ("ab*cd" looks for "ab").
    std::int32_t FindWild(QByteArrayView pattern, std::int32_t start, std::int32_t limit, char stop,
                          char wildcard) const;

    bool opened() const { return m_opened; }
    std::int32_t size() const { return m_size; }
    std::int32_t cursor() const { return m_cursor; }
    // The whole mapped text (empty when closed).
    QByteArrayView bytes() const;
    // Why the last Open failed, for messages ("No such file or directory", "is a directory", ...).
    QString errorString() const { return m_error; }
    // The file's state when it was opened.
    const FileState& openedState() const { return m_openedState; }
    // Whether the mapped file is no longer what was opened: it changed on disk, or shrank under a
    // read (which then read zeros, see MappedFile). Bytes in memory never change.
    bool changedOnDisk() const;

private:
    std::int32_t clamp(std::int32_t offset) const;
    bool resolveRange(QByteArrayView& pattern, std::int32_t& start, std::int32_t& limit) const;

    std::unique_ptr<MappedFile> m_mapping; // what Open mapped (null for OpenBytes)
    std::int32_t m_size = 0;
    const unsigned char* m_base = nullptr;
    const unsigned char* m_current = nullptr;
    std::int32_t m_cursor = 0;
    bool m_opened = false;
    QString m_error;
    FileState m_openedState;
};

} // namespace wordhoard
