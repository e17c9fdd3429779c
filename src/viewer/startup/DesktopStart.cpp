// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/DesktopStart.h"

#include "display/PageFiles.h"

#include <QDir>
#include <QFileInfo>

namespace wordhoard {

QStringList desktopDictionaryPlaces(const QString& dataHome, const QString& dataDirs, const QString& home) {
    QStringList roots;
    roots << (QDir::isAbsolutePath(dataHome) ? dataHome : QDir(home).filePath(QStringLiteral(".local/share")));
    QStringList systemRoots;
    for (const QString& dir : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir)) systemRoots << dir;
    }
    if (systemRoots.isEmpty()) systemRoots = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    roots << systemRoots;
    QStringList places;
    for (const QString& root : roots) places << QDir::cleanPath(root + QStringLiteral("/wordhoard"));
    return places;
}

QStringList desktopDictionaryPlaces(const ViewerSettings& settings) {
    QStringList places = desktopDictionaryPlaces(qEnvironmentVariable("XDG_DATA_HOME"),
                                                 qEnvironmentVariable("XDG_DATA_DIRS"), QDir::homePath());
    if (!settings.recent.empty() && QFileInfo(dictionaryTextPath(settings.recent.front().folder)).isFile()) {
        places.prepend(settings.recent.front().folder);
    }
    return places;
}

DesktopFolder findDesktopDictionary(const QStringList& places) {
    for (const QString& place : places) {
        if (QFileInfo(dictionaryTextPath(place)).isFile()) return {place, {}};
    }
    return {places.value(0), QStringLiteral("No dictionary found: none of these folders holds %1: %2")
                                 .arg(dictionaryTextPath(QString()), places.join(QStringLiteral(", ")))};
}

} // namespace wordhoard
