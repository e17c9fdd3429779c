// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's own artwork as JPEGs: the splash background and the two emblems of the
// splash, each painted over the stretch of the splash background it stands on (so they need no
// transparency), all baseline, as they are decoded during start-up and a progressive file
// takes half as long again; and the about-box title picture, progressive.
//   render-artwork OUTDIR
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

namespace {

const QColor kInk(60, 40, 20);
const QColor kGold(176, 132, 52);
const QColor kRed(140, 36, 28);

// Warm paper with a little grain, darker towards the edges.
void paintParchment(QPainter& p, QSize size, quint32 seed) {
    QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() * 0.75);
    glow.setColorAt(0, QColor(248, 238, 212));
    glow.setColorAt(1, QColor(222, 200, 156));
    p.fillRect(QRect(QPoint(), size), glow);
    QRandomGenerator rng(seed);
    for (int i = 0; i < size.width() * size.height() / 30; ++i) {
        const int shade = rng.bounded(40);
        p.setPen(QColor(120, 90, 50, 10 + shade));
        p.drawPoint(rng.bounded(size.width()), rng.bounded(size.height()));
    }
}

// A running band of interlaced loops, as on an illuminated border.
void paintInterlace(QPainter& p, QRectF band, double step) {
    p.save();
    for (int strand = 0; strand < 2; ++strand) {
        QPainterPath path;
        const double mid = band.center().y();
        const double amp = band.height() / 2.5;
        path.moveTo(band.left(), mid);
        for (double x = band.left(); x <= band.right(); x += 1.0) {
            const double phase = (x - band.left()) / step * 2 * M_PI + strand * M_PI;
            path.lineTo(x, mid + amp * std::sin(phase));
        }
        p.setPen(QPen(kGold.darker(130), 4.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(QPen(kGold.lighter(125), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
    p.restore();
}

// A double rule around `outer`, with an interlace band along its foot when asked for.
void paintFrame(QPainter& p, QRectF outer, bool band) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outer);
    p.setPen(QPen(kInk, 1));
    p.drawRect(outer.adjusted(5, 5, -5, -5));
    if (band) paintInterlace(p, QRectF(outer.left() + 10, outer.bottom() - 24, outer.width() - 20, 12), 18);
}

bool writeJpeg(const QImage& image, const QString& path, bool progressive) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image)) {
        std::fprintf(stderr, "render-artwork: %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

QImage splash() {
    QImage image(499, 339, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintParchment(p, image.size(), 17);
    // Inset so that the version line above it and "Loading..." below stay on plain paper.
    paintFrame(p, QRectF(12, 22, 475, 272), false);
    // A large pale wynn behind the text, the letter the dictionary's own script kept.
    QFont rune(QStringLiteral("Cardo"));
    rune.setPixelSize(250);
    p.setFont(rune);
    p.setPen(QColor(200, 170, 120, 70));
    p.drawText(QRect(0, -10, 499, 339), Qt::AlignCenter, QString(QChar(0x01BF)));
    return image;
}

QImage about() {
    QImage image(400, 358, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintParchment(p, image.size(), 29);
    paintFrame(p, QRectF(6, 6, 388, 346), true);
    // An illuminated initial W with the rest of the title set beside it.
    const QRectF initial(34, 40, 120, 130);
    p.setPen(QPen(kInk, 2));
    p.setBrush(kRed);
    p.drawRect(initial);
    QFont big(QStringLiteral("Cardo"));
    big.setPixelSize(120);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(250, 226, 160));
    p.drawText(initial, Qt::AlignCenter, QStringLiteral("W"));
    QFont title(QStringLiteral("Cardo"));
    title.setPixelSize(36);
    title.setLetterSpacing(QFont::PercentageSpacing, 96);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRectF(160, 70, 232, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ORDHOARD"));
    QFont sub(QStringLiteral("Cardo"));
    sub.setPixelSize(20);
    sub.setItalic(true);
    p.setFont(sub);
    p.drawText(QRectF(164, 124, 220, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("an Old English dictionary"));
    // A line of the old letters the viewer shows.
    QFont letters(QStringLiteral("Cardo"));
    letters.setPixelSize(34);
    p.setFont(letters);
    p.setPen(kRed.darker(110));
    p.drawText(QRectF(20, 200, 360, 50), Qt::AlignCenter,
               QString::fromUtf16(u"\u00FE \u00F0 \u00E6 \u0153 \u021D \u01BF \u0101"));
    paintInterlace(p, QRectF(40, 268, 320, 14), 22);
    QFont motto(QStringLiteral("Cardo"));
    motto.setPixelSize(22);
    motto.setItalic(true);
    p.setFont(motto);
    p.setPen(kInk);
    p.drawText(QRectF(20, 290, 360, 34), Qt::AlignCenter, QString::fromUtf16(u"word-hord onl\u0113ac"));
    return image;
}

// A hall with a steep roof and crossed gable ends.
QImage emblemHall() {
    QImage image(97, 81, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2));
    p.setBrush(kGold);
    QPainterPath roof;
    roof.moveTo(8, 44);
    roof.lineTo(48.5, 10);
    roof.lineTo(89, 44);
    roof.closeSubpath();
    p.drawPath(roof);
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(QRectF(16, 44, 65, 30));
    p.setBrush(kInk);
    p.drawRect(QRectF(42, 54, 13, 20));
    p.drawLine(QPointF(48.5, 10), QPointF(38, 2));
    p.drawLine(QPointF(48.5, 10), QPointF(59, 2));
    return image;
}

// A ship on a wave: the whale's road.
QImage emblemShip() {
    QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2));
    p.setBrush(kRed);
    QPainterPath hull;
    hull.moveTo(6, 48);
    hull.quadTo(40, 70, 74, 48);
    hull.lineTo(66, 46);
    hull.quadTo(40, 58, 14, 46);
    hull.closeSubpath();
    p.drawPath(hull);
    p.drawLine(QPointF(40, 54), QPointF(40, 10));
    p.setBrush(QColor(240, 226, 190));
    p.drawRect(QRectF(26, 14, 28, 28));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 80, 130), 3));
    QPainterPath sea;
    sea.moveTo(2, 66);
    for (int i = 0; i < 4; ++i) sea.quadTo(12 + i * 20, 58, 22 + i * 20, 66);
    p.drawPath(sea);
    return image;
}

// The emblem painted over the part of the splash background at `at`.
QImage onSplash(const QImage& emblem, QPoint at) {
    QImage image = splash().copy(QRect(at, emblem.size()));
    QPainter p(&image);
    p.drawImage(0, 0, emblem);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    // Offscreen: the tool draws into images and needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-artwork OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = writeJpeg(splash(), out.filePath(QStringLiteral("splash.jpg")), false);
    ok = writeJpeg(about(), out.filePath(QStringLiteral("about.jpg")), true) && ok;
    // Where the splash shows them (its Image2 and Image3).
    ok = writeJpeg(onSplash(emblemHall(), QPoint(91, 139)), out.filePath(QStringLiteral("emblem-hall.jpg")), false) && ok;
    ok = writeJpeg(onSplash(emblemShip(), QPoint(308, 140)), out.filePath(QStringLiteral("emblem-ship.jpg")), false) && ok;
    return ok ? 0 : 1;
}
