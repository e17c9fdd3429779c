#pragma once

#include "MainUnit.h"

#include <memory>

namespace wordhoard {

class TAboutBox;
class TMainForm;
class TSplashForm;

// The program's start-up, step by step: the title; the main window, created and hidden; the
// splash, shown and painted at once; the about box; then, with the splash on screen, the
// dictionary text is mapped, the palette filled and the word list built; the splash goes and
// the main window shows. main() adds only the event loop. A QApplication must exist.
class Startup {
public:
    Startup();
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    TMainForm& mainForm() { return *m_mainForm; }

private:
    MainUnit m_unit;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TSplashForm> m_splash;
    TAboutBox* m_aboutBox = nullptr; // owned by the main window
};

} // namespace wordhoard
