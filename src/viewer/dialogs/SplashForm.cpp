// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/SplashForm.h"

#include "dialogs/Artwork.h"
#include "dialogs/Labels.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace wordhoard {

namespace {
constexpr QSize kSize(499, 339);
constexpr double kOpacity = 220.0 / 255.0;
} // namespace

SplashPictures SplashPictures::load() {
    return {bundledPicture(QStringLiteral(":/art/splash.jpg")), bundledPicture(QStringLiteral(":/art/emblem-hall.jpg")),
            bundledPicture(QStringLiteral(":/art/emblem-ship.jpg"))};
}

TSplashForm::TSplashForm(const SplashPictures& pictures, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("SplashForm"));
    setFixedSize(kSize);
    setWindowOpacity(kOpacity);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFont(designFont("DejaVu Sans", -11));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kSize.width(), kSize.height());
    Image1->setPixmap(QPixmap::fromImage(pictures.art));

    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    Label3 = placedLabel(this, "Label3", tr("WORDHOARD"), {75, 25, 364, 27}, designFont(kSerifFace, -24),
                         centred);
    Label4 = placedLabel(this, "Label4", tr("an Old English dictionary"), {123, 50, 251, 19},
                         designFont(kSerifFace, -17, false, true), centred);
    Version = placedLabel(this, "Version", tr("AN ELECTRONIC APPLICATION ON CD-ROM"), {91, 85, 334, 17},
                          designFont(kSerifFace, 18, true), centred);
    Comments = placedLabel(this, "Comments", tr("ver. 0.2b"), {411, 2, 53, 17}, designFont(kSerifFace, -13));
    Comments->setWordWrap(true);
    CreditLabel = placedLabel(this, "CreditLabel", tr("Text: Hoard Press"), {75, 108, 140, 15},
                              designFont(kSerifFace, -12));
    Label1 = placedLabel(this, "Label1", tr("Program: Wordhoard"), {273, 108, 142, 15},
                         designFont(kSerifFace, -12));

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(91, 139, 97, 81);
    Image2->setPixmap(QPixmap::fromImage(pictures.hall));
    Label6 = placedLabel(this, "Label6", tr("Hoard"), {115, 226, 51, 15}, designFont(kSerifFace, -13),
                         centred);
    Label8 = placedLabel(this, "Label8", tr("Society of Letters"), {75, 241, 128, 15},
                         designFont(kSerifFace, -13), centred);

    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(308, 140, 80, 80);
    Image3->setPixmap(QPixmap::fromImage(pictures.ship));
    Label2 = placedLabel(this, "Label2", tr("Whaleroad"), {308, 226, 81, 15}, designFont(kSerifFace, -13),
                         centred);
    Label7 = placedLabel(this, "Label7", tr("Early English Trust"), {273, 241, 152, 15},
                         designFont(kSerifFace, -13), centred);

    Label5 = placedLabel(this, "Label5", tr("Loading..."), {341, 300, 47, 15}, designFont(kSerifFace, -12));
}

void TSplashForm::showAndPaint() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    repaint(); // synchronous: loading runs before the event loop does
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace wordhoard
