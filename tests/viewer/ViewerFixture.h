// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/MainForm.h"
#include "window/MainUnit.h"
#include "QtPrinters.h"
#include "TempFiles.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <memory>

namespace wordhoard::testing {

// A main window started the way start-up starts it, over a dictionary text written into a
// temporary working directory. Error boxes are recorded instead of shown.
class ViewerTest : public ::testing::Test {
protected:
    ~ViewerTest() override;
    // Writes txt/WH-main_01.txt (unless `bytes` is null), makes the folder the working directory,
    // and runs the start-up steps.
    void start(const QByteArray* bytes);
    void start(const QByteArray& bytes) { start(&bytes); }

    // Clicks line `row` of a list with the mouse, as a reader would.
    void clickLine(class ListBox* list, int row);
    void pressKeyInSearchField(Qt::Key key);
    QString paneText() const;
    // One character per unit of the pane's plain text: '.', 'b', 'i', 'B', with '!' for red
    // underlined units (whatever their weight).
    QString paneStyles() const;

    TempDir dir;
    QString previousDir;
    MainUnit unit;
    std::unique_ptr<TMainForm> form;
    QStringList errors;
};

} // namespace wordhoard::testing
