#pragma once

#include "EntryIndex.h"
#include "MapTextfile.h"

#include <QString>

#include <future>
#include <memory>

namespace wordhoard {

// A dictionary text opened and indexed. When the text did not open, `text` is closed (its
// errorString() says why) and the index is empty.
struct LoadedText {
    std::unique_ptr<TMapTextfile> text;
    EntryIndex index;
};

// Opens (maps) the text and indexes it. Uses no QObject, so it may run on any thread, also
// before the application object exists.
LoadedText loadText(const QString& fileName);

// A text being loaded on another thread, for whoever opens that file next to take over.
struct PendingText {
    QString fileName;
    std::future<LoadedText> result; // get() rethrows what the load threw (std::bad_alloc)
};

// Starts loadText on a thread of its own.
PendingText loadTextInBackground(const QString& fileName);

} // namespace wordhoard
