// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/SettingsStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <tuple>
#include <utility>

namespace wordhoard {

namespace {

constexpr int kReadingFormat = 1;

// The group of reading.conf that belongs to a dictionary folder: a path can't be a group name
// (its '/' would nest groups), so it is named by the path's hash, and holds the path itself.
//   "/home/r/oe" gives "dictionary-" + 16 hex digits
QString readingGroup(const QString& dictionaryFolder) {
    const QByteArray hash = QCryptographicHash::hash(dictionaryFolder.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("dictionary-") + QString::fromLatin1(hash.toHex().left(16));
}

// Why `settings`, opened on `file`, is not to be read: empty when it is fine or the file is
// missing or empty (a first start).
QString problemWith(const QSettings& settings, const QString& file) {
    const QFileInfo info(file);
    if (!info.exists() || (info.isFile() && info.size() == 0)) return {};
    switch (settings.status()) {
    case QSettings::AccessError:
        return QStringLiteral("cannot read %1").arg(file);
    case QSettings::FormatError:
        return QStringLiteral("%1 is damaged").arg(file);
    case QSettings::NoError:
        break;
    }
    const QVariant format = settings.value(QStringLiteral("format"));
    if (!format.isValid()) return QStringLiteral("%1 is damaged").arg(file);
    if (format.toString() != QString::number(kReadingFormat)) {
        return QStringLiteral("%1 was written by another version of Wordhoard").arg(file);
    }
    return {};
}

} // namespace

// One thread that writes, in the order asked, the latest content of each (file, group); a group
// asked for again before it was written is written once.
class SettingsStore::Writer {
public:
    struct Key {
        QString file;
        QString group; // empty: the whole file
        bool operator<(const Key& other) const {
            return std::tie(file, group) < std::tie(other.file, other.group);
        }
    };

    ~Writer() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable()) m_thread.join();
    }

    void write(Key key, QVariantMap values) {
        {
            std::lock_guard lock(m_mutex);
            m_latest[key] = values;
            m_pending[std::move(key)] = std::move(values);
            if (!m_thread.joinable()) m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_all();
    }

    // What was last asked to be written into (file, group) in this run, written yet or not.
    std::optional<QVariantMap> latest(const Key& key) const {
        std::lock_guard lock(m_mutex);
        const auto found = m_latest.find(key);
        if (found == m_latest.end()) return std::nullopt;
        return found->second;
    }

    void flush() {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_pending.empty() && !m_busy; });
    }

    void setErrorReporter(std::function<void(const QString&)> report) {
        std::lock_guard lock(m_mutex);
        m_report = std::move(report);
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
            if (m_pending.empty()) return; // stopping, with everything written
            auto job = m_pending.extract(m_pending.begin());
            m_busy = true;
            const auto report = m_report;
            lock.unlock();
            const QString error = store(job.key(), job.mapped());
            if (!error.isEmpty() && report) report(error);
            lock.lock();
            m_busy = false;
            m_idle.notify_all();
        }
    }

    static QString store(const Key& key, const QVariantMap& values) {
        QDir().mkpath(QFileInfo(key.file).absolutePath());
        QSettings settings(key.file, QSettings::IniFormat);
        // A damaged file was not read at start: it is replaced, not patched.
        if (key.group.isEmpty() || settings.status() == QSettings::FormatError) settings.clear();
        if (!key.group.isEmpty()) settings.remove(key.group);
        settings.setValue(QStringLiteral("format"), kReadingFormat);
        settings.beginGroup(key.group);
        for (auto it = values.cbegin(); it != values.cend(); ++it) settings.setValue(it.key(), it.value());
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError) return QStringLiteral("cannot write %1").arg(key.file);
        return {};
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::map<Key, QVariantMap> m_pending;
    std::map<Key, QVariantMap> m_latest;
    bool m_busy = false;
    bool m_stopping = false;
    std::function<void(const QString&)> m_report;
    std::thread m_thread; // started by the first write
};

QString SettingsStore::standardFolder() {
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/wordhoard"));
}

SettingsStore::SettingsStore(QString folder, bool readOnly)
    : m_folder(std::move(folder)), m_readOnly(readOnly), m_writer(std::make_unique<Writer>()) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::settingsFile() const { return m_folder + QStringLiteral("/wordhoard.conf"); }
QString SettingsStore::readingFile() const { return m_folder + QStringLiteral("/reading.conf"); }

SettingsStore::LoadedSettings SettingsStore::loadSettings() const {
    const QString file = settingsFile();
    if (const auto written = m_writer->latest({file, {}})) return {settingsFromMap(*written), {}};
    QSettings settings(file, QSettings::IniFormat);
    LoadedSettings loaded;
    loaded.problem = problemWith(settings, file);
    if (!loaded.problem.isEmpty()) return loaded;
    QVariantMap map;
    for (const QString& key : settings.allKeys()) map.insert(key, settings.value(key));
    loaded.settings = settingsFromMap(map);
    return loaded;
}

void SettingsStore::saveSettings(const ViewerSettings& settings) {
    if (m_readOnly) return;
    QVariantMap map = settingsToMap(settings);
    map.remove(QStringLiteral("format")); // the writer sets it
    m_writer->write({settingsFile(), {}}, std::move(map));
}

void SettingsStore::clearSettings() {
    if (m_readOnly) return;
    m_writer->write({settingsFile(), {}}, {});
}

SettingsStore::LoadedReading SettingsStore::loadReading(const QString& dictionaryFolder) const {
    const QString file = readingFile();
    const QString group = readingGroup(dictionaryFolder);
    LoadedReading loaded;
    const auto fromMap = [&](const QVariantMap& map) {
        if (map.value(QStringLiteral("folder")).toString() != dictionaryFolder) return; // another folder's hash
        loaded.reading = {map.value(QStringLiteral("history")).toString(),
                          map.value(QStringLiteral("favourites")).toString()};
    };
    if (const auto written = m_writer->latest({file, group})) {
        fromMap(*written);
        return loaded;
    }
    QSettings settings(file, QSettings::IniFormat);
    loaded.problem = problemWith(settings, file);
    if (!loaded.problem.isEmpty()) return loaded;
    settings.beginGroup(group);
    QVariantMap map;
    for (const QString& key : settings.childKeys()) map.insert(key, settings.value(key));
    fromMap(map);
    return loaded;
}

void SettingsStore::saveReading(const QString& dictionaryFolder, const Reading& reading) {
    if (m_readOnly) return;
    QVariantMap map;
    map.insert(QStringLiteral("folder"), dictionaryFolder);
    map.insert(QStringLiteral("history"), reading.history);
    map.insert(QStringLiteral("favourites"), reading.favourites);
    m_writer->write({readingFile(), readingGroup(dictionaryFolder)}, std::move(map));
}

void SettingsStore::flush() { m_writer->flush(); }

void SettingsStore::setErrorReporter(std::function<void(const QString&)> report) {
    m_writer->setErrorReporter(std::move(report));
}

} // namespace wordhoard
