// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <vector>

using wordhoard::testing::TempDir;

namespace {

struct Finished {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        return {-1, {}, (program + u": "_qs + p.errorString()).toUtf8()};
    }
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// This process's environment with the locale chosen by LC_ALL alone (and LOCPATH when given).
QProcessEnvironment withLocale(const QString& lcAll, const QString& locPath = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : env.keys()) {
        if (key == u"LANG" || key == u"LANGUAGE" || key == u"LOCPATH" || key.startsWith(u"LC_")) env.remove(key);
    }
    env.insert(u"LC_ALL"_qs, lcAll);
    if (!locPath.isEmpty()) env.insert(u"LOCPATH"_qs, locPath);
    return env;
}

// Upper- and lower-case letters of Windows-1252 as raw bytes of the text.
const QByteArray kDict = "@wh_b0001\n"
                         "#<b>ba\x8Ao</b> one\n"    // Š
                         "#<b>ba\x9Ao</b> two\n"    // š
                         "#<b>bao</b> three\n"
                         "#<b>c\xC6" "d</b> four\n" // Æ
                         "#<b>c\xE6" "d</b> five\n" // æ
                         "#<b>y\x9F</b> six\n"      // Ÿ
                         "#<b>y\xFF</b> seven\n";   // ÿ

QByteArray hit(const QByteArray& head, const char* headUtf8) {
    return QByteArray::number(kDict.indexOf("#<b>" + head) + 4) + '\t' + headUtf8 + '\n';
}

} // namespace

// The CLI sets the locale from the environment (QCoreApplication does), and once PCRE2's tables
// followed it: under Latin-1 "c*\xC6d" found both "cÆd" and "cæd", under C only "cÆd".
TEST(CliLocale, CaselessSearchFindsTheSameHitsInEveryLocale) {
    TempDir dir;
    const QString dict = dir.write(u"d.txt"_qs, kDict);
    // No Latin-1 locale comes installed; localedef builds one from the "locales" package's sources.
    const QString locales = dir.path(u"locales"_qs);
    ASSERT_TRUE(QDir().mkpath(locales));
    const Finished made = run(u"localedef"_qs,
                              {u"--no-archive"_qs, u"-i"_qs, u"en_US"_qs, u"-f"_qs, u"ISO-8859-1"_qs,
                               locales + u"/en_US.ISO-8859-1"_qs},
                              withLocale(u"C"_qs));
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    struct Environment {
        QProcessEnvironment env;
        QByteArray charmap;
    };
    const std::vector<Environment> environments = {
        {withLocale(u"C"_qs), "ANSI_X3.4-1968"},
        {withLocale(u"C.UTF-8"_qs), "UTF-8"},
        {withLocale(u"en_US.ISO-8859-1"_qs, locales), "ISO-8859-1"},
    };
    const QByteArray scaron = hit("ba\x8A", "ba\u0160o") + hit("ba\x9A", "ba\u0161o");
    const QByteArray aelig = hit("c\xC6", "c\u00C6d") + hit("c\xE6", "c\u00E6d");
    const QByteArray yuml = hit("y\x9F", "y\u0178") + hit("y\xFF", "y\u00FF");
    // A typed 'Š' or 'Ÿ' stays a raw byte of the pattern; an escape stands for the letters that
    // the term's encoding would write as entities.
    const std::vector<std::pair<QString, QByteArray>> searches = {
        {u"a*\u0160o"_qs, scaron}, {u"a*\\x9Ao"_qs, scaron}, {u"c*\\xC6d"_qs, aelig},
        {u"c*\\xE6d"_qs, aelig},  {u"y*\u0178"_qs, yuml},    {u"y*\\xFF"_qs, yuml},
    };
    for (const auto& [env, charmap] : environments) {
        // The locale is really in force under this environment, not quietly replaced by "C".
        const Finished locale = run(u"locale"_qs, {u"charmap"_qs}, env);
        ASSERT_EQ(locale.out.trimmed(), charmap) << locale.err.toStdString();
        ASSERT_TRUE(locale.err.isEmpty()) << locale.err.toStdString();
        for (const auto& [term, expected] : searches) {
            const Finished r = run(QStringLiteral(WORDHOARD_CLI), {u"search"_qs, u"--dict"_qs, dict, term}, env);
            EXPECT_EQ(r.exitCode, 0) << charmap.toStdString() << ' ' << term.toStdString();
            EXPECT_EQ(r.out.toStdString(), expected.toStdString()) << charmap.toStdString() << ' ' << term.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        }
    }
}
