// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace wordhoard {

// The splash's pictures, decoded apart from the window so that start-up can decode them on
// another thread (they are JPEGs: decoding them makes no QObject).
struct SplashPictures {
    QImage art;
    QImage hall;
    QImage ship;

    static SplashPictures load();
};

// The window shown while the dictionary loads: frameless, on top, translucent, fixed content.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(const SplashPictures& pictures = SplashPictures::load(), QWidget* parent = nullptr);

    // Shows the window centred on the screen and paints it at once (the event loop isn't running
    // yet during start-up).
    void showAndPaint();

    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* CreditLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label5 = nullptr;
};

} // namespace wordhoard
