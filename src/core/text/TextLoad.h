// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/EntryIndex.h"
#include "text/FileAccess.h"
#include "text/MapTextfile.h"

#include <QString>

#include <functional>
#include <future>
#include <memory>

namespace wordhoard {

// A dictionary text mapped and indexed, both of one state of the file (the text's
// openedState()). When the text did not open, `text` is closed (its errorString() says why) and
// the index is empty.
struct LoadedText {
    std::unique_ptr<TMapTextfile> text;
    EntryIndex index;
};

// How a load reaches its file.
struct LoadOptions {
    static constexpr qint64 kPartSize = qint64{2} << 20;

    // The text is indexed in parts of this many bytes.
    qint64 partSize = kPartSize;
    FileApi api = defaultFileApi();
    // Opens the reader the text is read through (a test may hand out one that fails, or one that
    // changes the file while it is read); on failure says why in `error`.
    std::function<std::unique_ptr<FileReader>(const QString& fileName, FileApi api, QString& error)> openReader =
        [](const QString& fileName, FileApi fileApi, QString& error) { return openFileReader(fileName, fileApi, error); };
};

class TextLoadJob;

// A text being loaded on another thread. The text is indexed in parts that either thread may
// take: whoever takes the text over helps with the parts left instead of waiting for them. With
// the POSIX file API neither thread makes a QObject, so the load may begin before the
// application object exists.
class PendingText {
public:
    PendingText() = default;
    // Starts a thread that first runs `before` (if any), then loads the text.
    PendingText(const QString& fileName, std::function<void()> before, LoadOptions options = {});
    PendingText(PendingText&&) noexcept;
    PendingText& operator=(PendingText&&) noexcept;
    ~PendingText(); // waits for the thread

    const QString& fileName() const { return m_fileName; }
    bool valid() const { return m_job != nullptr; }
    // Once only, when valid(): helps index the parts left, waits for the others, joins them.
    // Rethrows what the load threw (std::bad_alloc), or else what `before` threw.
    LoadedText take();

private:
    QString m_fileName;
    std::shared_ptr<TextLoadJob> m_job;
    std::future<void> m_thread;
};

} // namespace wordhoard
