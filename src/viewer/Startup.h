#pragma once

#include "MainUnit.h"

#include <memory>
#include <optional>

namespace wordhoard {

class TAboutBox;
class TMainForm;
class TSplashForm;

// Starts reading and indexing the dictionary text on a second thread. main() calls it before it
// makes the QApplication, so the reading overlaps Qt's own start and the making of the windows.
PendingText preloadDictionary();

// The program's start-up, step by step: the title; the main window, created and hidden; the
// splash, shown and painted at once; the about box; then, with the splash on screen, the
// dictionary text is mapped, the palette filled and the word list built; the splash goes and
// the main window shows. main() adds only the preload and the event loop. A QApplication must
// exist.
class Startup {
public:
    // `preloaded`: the dictionary text from preloadDictionary(), taken over by the mapping step;
    // without it that step reads the text itself.
    explicit Startup(std::optional<PendingText> preloaded = std::nullopt);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    TMainForm& mainForm() { return *m_mainForm; }
    TSplashForm& splash() { return *m_splash; }

private:
    MainUnit m_unit;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TSplashForm> m_splash;
    TAboutBox* m_aboutBox = nullptr; // owned by the main window
};

} // namespace wordhoard
