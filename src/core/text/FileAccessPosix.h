// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The POSIX implementation behind FileAccess.h, built only where the platform has it.
#include "text/FileAccess.h"

namespace wordhoard {

std::unique_ptr<MappedFile> mapFilePosix(const QString& path, bool writable, qint64 maxSize, QString& error);
std::unique_ptr<FileReader> openFileReaderPosix(const QString& path, QString& error);
qsizetype findBytesPosix(QByteArrayView haystack, QByteArrayView needle);
qsizetype findLastBytePosix(QByteArrayView haystack, char byte);

} // namespace wordhoard
