// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's icon: an open book on a dark leather cover, lines of text on the left page,
// a red thorn (þ) on the right and a red ribbon below. The drawing is written once, as SVG, and
// the PNG sizes are rasterised from that same file, so the sizes can never drift apart.
//   render-icons NAME OUTDIR
//       OUTDIR/scalable/apps/NAME.svg and OUTDIR/<n>x<n>/apps/NAME.png for n = 48, 128, 256,
//       the layout of share/icons/hicolor
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// In a 256 x 256 box, the book filling the middle with room around it as icon themes expect.
constexpr const char* kIcon = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Wordhoard</title>
  <defs>
    <linearGradient id="leather" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#7a4526"/>
      <stop offset="1" stop-color="#4f2a15"/>
    </linearGradient>
    <linearGradient id="leftPage" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#fbf3dc"/>
      <stop offset="0.85" stop-color="#f3e6c0"/>
      <stop offset="1" stop-color="#d9c48f"/>
    </linearGradient>
    <linearGradient id="rightPage" x1="1" y1="0" x2="0" y2="0">
      <stop offset="0" stop-color="#fbf3dc"/>
      <stop offset="0.85" stop-color="#f3e6c0"/>
      <stop offset="1" stop-color="#d9c48f"/>
    </linearGradient>
  </defs>
  <path d="M16 70 Q16 60 26 60 Q78 58 128 74 Q178 58 230 60 Q240 60 240 70 L240 206
           Q240 216 230 216 Q178 214 128 230 Q78 214 26 216 Q16 216 16 206 Z" fill="url(#leather)"/>
  <path d="M26 60 Q80 40 126 62 L126 212 Q80 192 26 204 Z" fill="url(#leftPage)"
        stroke="#b89a5c" stroke-width="2" stroke-linejoin="round"/>
  <path d="M230 60 Q176 40 130 62 L130 212 Q176 192 230 204 Z" fill="url(#rightPage)"
        stroke="#b89a5c" stroke-width="2" stroke-linejoin="round"/>
  <g fill="none" stroke="#6b5536" stroke-width="7" stroke-linecap="round">
    <path d="M44 80 Q78 68 110 82"/>
    <path d="M44 104 Q78 92 110 106"/>
    <path d="M44 128 Q78 116 110 130"/>
    <path d="M44 152 Q78 140 110 154"/>
    <path d="M44 176 Q66 168 88 174"/>
  </g>
  <g fill="none" stroke="#9c2a1e" stroke-width="13" stroke-linecap="round" stroke-linejoin="round">
    <path d="M164 72 L164 186"/>
    <path d="M164 104 Q206 94 206 124 Q206 154 164 148"/>
  </g>
  <path d="M146 208 L146 246 L155 236 L164 246 L164 204 Z" fill="#9c2a1e"/>
</svg>
)svg";

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    // No display, and no fonts: the drawing holds no text.
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render-icons NAME OUTDIR\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QByteArray svg(kIcon);
    bool ok = writeFile(out.filePath(QStringLiteral("scalable/apps/%1.svg").arg(name)), svg);
    QSvgRenderer renderer(svg);
    ok = ok && renderer.isValid();
    for (const int size : {48, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path = out.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(name));
        QDir().mkpath(QFileInfo(path).path());
        ok = image.save(path, "PNG") && ok;
    }
    return ok ? 0 : 1;
}
