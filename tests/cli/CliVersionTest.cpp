// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// wordhoard-cli --version, and its --help against the manual page written by hand.
#include "BuildInfo.h"

#include "CliRunner.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using wordhoard::kVersion;
using wordhoard::testing::cli;
using wordhoard::testing::CliRun;

TEST(CliVersion, PrintsItsNameAndTheProjectVersionWithOrWithoutACommand) {
    for (const QStringList& arguments :
         {QStringList{u"--version"_qs}, QStringList{u"headwords"_qs, u"--version"_qs}}) {
        const CliRun r = cli(arguments);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, u"wordhoard-cli %1\n"_qs.arg(QLatin1String(kVersion)));
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
}

TEST(CliVersion, EveryOptionOfTheHelpIsInTheManualPage) {
    const CliRun help = cli({u"--help"_qs});
    ASSERT_EQ(help.exitCode, 0);
    QFile page(wordhoard::testing::sourceDir() + u"/docs/man/wordhoard-cli.1.md"_qs);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll());
    int options = 0;
    // Option lines of Qt's help: "  -h, --help    Displays help ...", "  --dict <FILE>  ...".
    for (const auto& match :
         QRegularExpression(u"(?m)^ +((?:--?[\\w?][\\w-]*(?:, )?)+)"_qs).globalMatch(help.out)) {
        for (const QString& option : match.captured(1).split(u", "_qs)) {
            // Qt's own: -? is Windows' spelling of --help; --help-all lists Qt's options too.
            if (option == u"-?"_qs || option == u"--help-all"_qs) continue;
            ++options;
            EXPECT_TRUE(manual.contains(u"**"_qs + option + u"**"_qs)) << option.toStdString();
        }
    }
    EXPECT_GE(options, 7); // -h, --help, --version, --dict, --json, --mark, --loose
}
