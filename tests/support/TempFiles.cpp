// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace wordhoard::testing {

TempDir::TempDir() {
    if (!m_dir.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

QString TempDir::path(const QString& relative) const { return m_dir.filePath(relative); }

QString TempDir::write(const QString& relative, const QByteArray& bytes) const {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + full.toStdString());
    }
    return full;
}

QString sourceDir() {
    const QByteArray fromEnv = qgetenv("WORDHOARD_SOURCE_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(WORDHOARD_SOURCE_DIR_DEFAULT) : QString::fromLocal8Bit(fromEnv);
}

QString testDataPath(const QString& relative) { return sourceDir() + QStringLiteral("/tests/data/") + relative; }

QByteArray readTestData(const QString& relative) {
    QFile file(testDataPath(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the test file " + file.fileName().toStdString() + ": " +
                                 file.errorString().toStdString());
    }
    return file.readAll();
}

QByteArray generateDictionary(const TempDir& dir, int entries, int seed) {
    const QString out = dir.path(QStringLiteral("gen-%1-%2.txt").arg(entries).arg(seed));
    // Spawned here rather than through QProcess: ThreadSanitizer ignores what Qt's libraries call,
    // and a child started from inside them leaves it blind to the locks of later threads.
    std::vector<QByteArray> args = {"python3", (sourceDir() + QStringLiteral("/tools/gen-corpus")).toLocal8Bit(),
                                    "--entries", QByteArray::number(entries), "--seed", QByteArray::number(seed),
                                    "--out", out.toLocal8Bit()};
    std::vector<char*> argv;
    for (QByteArray& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("gen-corpus failed for " + out.toStdString());
    }
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + out.toStdString());
    return file.readAll();
}

} // namespace wordhoard::testing
