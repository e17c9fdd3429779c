// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QPushButton;

namespace wordhoard {

// Help > About: fixed content, a link to the bundled documentation page, and OK.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The documentation page the link names, as shown ("docs/index.html"), and where it lies:
    // documentationPage() of the program's folder.
    static QString pageAddress();
    static QUrl pageUrl();
    // The page in the installed documentation when the program is installed
    // (/usr/bin gives /usr/share/doc/wordhoard/index.html), else the one beside it in the build
    // tree (build/src/viewer gives build/src/viewer/docs/index.html).
    static QString documentationPage(const QString& programDir);

    void Label2Click();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* CreditLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    // Beside the designed captions: the program's version ("Wordhoard 0.2").
    QLabel* ProgramVersion = nullptr;
    QPushButton* OKButton = nullptr;
    QAction* BrowseURL1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace wordhoard
