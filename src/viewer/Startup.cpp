#include "Startup.h"

#include "AboutBox.h"
#include "MainForm.h"
#include "SplashForm.h"

#include <QApplication>

namespace wordhoard {

Startup::Startup() {
    QApplication::setApplicationName(QStringLiteral("Wordhoard"));
    m_mainForm = std::make_unique<TMainForm>(m_unit);
    m_mainForm->hide();
    m_splash = std::make_unique<TSplashForm>();
    m_splash->showAndPaint();
    m_aboutBox = new TAboutBox(m_mainForm.get());
    m_mainForm->setAboutBox(m_aboutBox);
    m_mainForm->LoadFile(QStringLiteral("txt/WH-main_01.txt"));
    m_mainForm->FillCombo();
    m_mainForm->Wordlist();
    m_splash->hide();
    m_mainForm->show();
}

Startup::~Startup() = default;

} // namespace wordhoard
