// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/AboutBox.h"

#include "dialogs/Artwork.h"
#include "BuildInfo.h"
#include "dialogs/Labels.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace wordhoard {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(450, 586);
    setModal(true);
    setFont(designFont("DejaVu Sans", -11));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 449, 585);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Base);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(20, 12, 400, 358); // the picture is decoded when the box first shows

    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    Version = placedLabel(Panel1, "Version", tr("AN ELECTRONIC APPLICATION ON CD-ROM"), {67, 386, 334, 17},
                          designFont(kSerifFace, 18, true), centred, Fit::WhenShown);
    Comments = placedLabel(Panel1, "Comments", tr("ver. 0.2b"), {188, 409, 52, 17},
                           designFont(kSerifFace, 18), centred, Fit::WhenShown);
    Comments->setWordWrap(true);
    CreditLabel = placedLabel(Panel1, "CreditLabel", tr("Text: Hoard Press, 2024-2026"),
                              {109, 446, 232, 17}, designFont(kSerifFace, 18), centred, Fit::WhenShown);
    Label1 = placedLabel(Panel1, "Label1", tr("Program: Wordhoard, 2026"), {121, 469, 212, 17},
                         designFont(kSerifFace, 18), centred, Fit::WhenShown);

    BrowseURL1 = new QAction(tr("&Browse URL"), this);
    BrowseURL1->setObjectName(QStringLiteral("BrowseURL1"));
    BrowseURL1->setToolTip(tr("Browse URL"));
    BrowseURL1->setData(pageAddress());
    BrowseURL1->setEnabled(!pageAddress().isEmpty());
    // The desktop's answer is not looked at: a page that can't be opened reports nothing.
    connect(BrowseURL1, &QAction::triggered, this, [] { QDesktopServices::openUrl(pageUrl()); });

    Label2 = placedLabel(Panel1, "Label2", pageAddress(), {144, 502, 172, 17}, QFont(), centred, Fit::WhenShown);
    QFont linkFont = designFont(kSerifFace, 17, false, true);
    linkFont.setUnderline(true);
    Label2->setFont(linkFont);
    // Blue as a link is; through the palette, as a style sheet would wrap the box in a style
    // of its own.
    QPalette linkColour = Label2->palette();
    linkColour.setColor(QPalette::WindowText, Qt::blue);
    Label2->setPalette(linkColour);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);

    ProgramVersion = placedLabel(Panel1, "ProgramVersion", tr("Wordhoard %1").arg(QLatin1String(kVersion)),
                                 {12, 546, 150, 15}, font(), Qt::AlignLeft | Qt::AlignTop, Fit::WhenShown);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(205, 537, 65, 33);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    OKButton->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString TAboutBox::pageAddress() { return QStringLiteral("docs/index.html"); }

QUrl TAboutBox::pageUrl() { return QUrl::fromLocalFile(documentationPage(QCoreApplication::applicationDirPath())); }

QString TAboutBox::documentationPage(const QString& programDir) {
    const QDir dir(programDir);
    const QString installed =
        QDir::cleanPath(dir.filePath(QLatin1String(kDocDirFromBinDir) + QStringLiteral("/index.html")));
    return QFileInfo(installed).isFile() ? installed : dir.filePath(pageAddress());
}

void TAboutBox::Label2Click() { BrowseURL1->trigger(); }

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) {
        Label2Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // The box is made at start-up but seldom opened: decode its picture and fit its labels (which
    // loads their fonts) only when it is.
    if (ProgramIcon->pixmap().isNull()) {
        ProgramIcon->setPixmap(QPixmap::fromImage(bundledPicture(QStringLiteral(":/art/about.jpg"))));
        for (QLabel* label : {Version, Comments, CreditLabel, Label1, Label2, ProgramVersion}) growToFit(label);
    }
    QDialog::showEvent(event);
    OKButton->setFocus(); // Enter closes the box at once
}

} // namespace wordhoard
