// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aids/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace wordhoard {

namespace {

// Where the build puts the compiled translations (qt_add_translations' RESOURCE_PREFIX).
constexpr const char* kTranslations = ":/i18n/wordhoard_%1.qm";

// The translators in force: one language at a time.
QPointer<QTranslator> g_ours;
QPointer<QTranslator> g_qts;

} // namespace

std::vector<WindowLanguage> windowLanguages() {
    return {{QString(), QStringLiteral("English")}, {QStringLiteral("de"), QStringLiteral("Deutsch")}};
}

bool installLanguage(const QString& code) {
    delete g_ours; // removed from the application as it goes
    delete g_qts;
    if (code.isEmpty()) return false;
    auto* ours = new QTranslator(QCoreApplication::instance());
    if (!ours->load(QString::fromLatin1(kTranslations).arg(code))) {
        delete ours;
        return false;
    }
    QCoreApplication::installTranslator(ours);
    g_ours = ours;
    // Qt's own texts (the file dialog, the text pane's Copy and Select All) when the system has
    // their translation; our window is complete without it.
    auto* qts = new QTranslator(QCoreApplication::instance());
    if (qts->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qts);
        g_qts = qts;
    } else {
        delete qts;
    }
    return true;
}

} // namespace wordhoard
