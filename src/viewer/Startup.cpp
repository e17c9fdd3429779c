#include "Startup.h"

#include "AboutBox.h"
#include "MainForm.h"
#include "SplashForm.h"

#include <QApplication>
#include <QThread>

#include <future>

namespace wordhoard {

namespace {
// Beside the program's working directory.
QString dictionaryText() { return QStringLiteral("txt/WH-main_01.txt"); }
} // namespace

PendingText preloadDictionary() {
    // Qt takes the first thread that asks for its thread data as the main one; ask here, before
    // the second thread runs (the load itself makes no QObject).
    (void)QThread::currentThread();
    return loadTextInBackground(dictionaryText());
}

Startup::Startup(std::optional<PendingText> preloaded) {
    m_unit.pendingText = std::move(preloaded);
    // Decoded on another thread while the main window is made.
    std::future<SplashPictures> pictures = std::async(std::launch::async, SplashPictures::load);
    QApplication::setApplicationName(QStringLiteral("Wordhoard"));
    m_mainForm = std::make_unique<TMainForm>(m_unit);
    m_mainForm->hide();
    m_splash = std::make_unique<TSplashForm>(pictures.get());
    m_splash->showAndPaint();
    m_aboutBox = new TAboutBox(m_mainForm.get());
    m_mainForm->setAboutBox(m_aboutBox);
    m_mainForm->LoadFile(dictionaryText());
    m_mainForm->FillCombo();
    m_mainForm->Wordlist();
    m_splash->hide();
    m_mainForm->show();
}

Startup::~Startup() = default;

} // namespace wordhoard
