// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace wordhoard::testing {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs wordhoard-cli with `args` (in `workingDir` when given) and collects what it wrote.
inline CliRun cli(const QStringList& args, const QString& workingDir = {}) {
    QProcess p;
    if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(WORDHOARD_CLI), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace wordhoard::testing
