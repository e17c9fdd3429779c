// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Sets each printed page of a dictionary text as a scanned-looking greyscale page picture:
// the page's entries in Cardo, bold headwords and italics, two columns with a running head, on
// slightly uneven paper, written as JPEG through libjpeg (baseline, some pages progressive).
//
//   render-pages data/sample/txt/WH-main_01.txt data/sample/img
//       one OUTDIR/<page name>.jpg per page marker, 1200 x 1800
//   render-pages --size 2480x3508 --page wh_b0001 --colour --progressive-every 1 TEXT OUTDIR
//       one 300-dpi A4 colour progressive page, for benchmarks
#include "text/EntityDecoding.h"
#include "JpegWriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace {

using wordhoard::decodeEntityBytes;

constexpr qsizetype kMaxPageBytes = 300 * 1024;

struct Paragraph {
    QString text;
    QList<QTextLayout::FormatRange> styles;
    bool entry = false; // begins with '#'; a continuation from the previous page does not
};

struct Page {
    QByteArray name;
    std::vector<Paragraph> paragraphs;
    QStringList headwords;
};

// "<b>ab</b> <i>adj.</i> x" becomes "ab adj. x" with a bold range over "ab" and an italic one
// over "adj.". Tags are read after entities are decoded, as the viewer does.
Paragraph styledParagraph(const QString& decoded, bool entry) {
    Paragraph paragraph;
    paragraph.entry = entry;
    int bold = 0, italic = 0;
    qsizetype runStart = 0;
    const auto closeRun = [&] {
        const qsizetype end = paragraph.text.size();
        if (end > runStart && (bold > 0 || italic > 0)) {
            QTextCharFormat format;
            if (bold > 0) format.setFontWeight(QFont::Bold);
            if (italic > 0) format.setFontItalic(true);
            paragraph.styles.append({static_cast<int>(runStart), static_cast<int>(end - runStart), format});
        }
        runStart = end;
    };
    for (qsizetype i = 0; i < decoded.size();) {
        int* counter = nullptr;
        int delta = 0;
        qsizetype length = 0;
        for (const auto& [tag, target, change] : {std::tuple{u"<b>", &bold, 1}, std::tuple{u"</b>", &bold, -1},
                                                   std::tuple{u"<i>", &italic, 1}, std::tuple{u"</i>", &italic, -1}}) {
            const QStringView t(tag);
            if (QStringView(decoded).sliced(i).startsWith(t)) {
                counter = target;
                delta = change;
                length = t.size();
                break;
            }
        }
        if (counter != nullptr) {
            closeRun();
            *counter = std::max(0, *counter + delta);
            i += length;
            continue;
        }
        const QChar c = decoded[i++];
        paragraph.text.append(c == u'\n' || c == u'\r' || c == u'\t' ? QChar(u' ') : c);
    }
    closeRun();
    return paragraph;
}

QString headwordOf(const QByteArray& entry) {
    const qsizetype end = entry.indexOf('<', 3);
    return decodeEntityBytes(QByteArrayView(entry).sliced(3, (end < 0 ? entry.size() : end) - 3)).trimmed();
}

// Cuts the text at its page markers ('@' and an 8-byte name) and each page at its entries ('#').
// Pages of the same name are joined.
std::vector<Page> readPages(const QByteArray& text) {
    std::vector<Page> pages;
    std::map<QByteArray, std::size_t> byName;
    qsizetype at = text.indexOf('@');
    while (at >= 0 && at + 9 <= text.size()) {
        const QByteArray name = text.mid(at + 1, 8);
        const qsizetype next = text.indexOf('@', at + 9);
        const QByteArray body = text.mid(at + 9, (next < 0 ? text.size() : next) - at - 9);
        auto [it, fresh] = byName.try_emplace(name, pages.size());
        if (fresh) pages.push_back(Page{name, {}, {}});
        Page& page = pages[it->second];
        const QList<QByteArray> parts = body.split('#');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const bool entry = i > 0;
            const QByteArray& part = parts[i];
            if (!entry && part.trimmed().isEmpty()) continue;
            Paragraph p = styledParagraph(decodeEntityBytes(part), entry);
            if (p.text.trimmed().isEmpty()) continue;
            page.paragraphs.push_back(std::move(p));
            if (entry && part.size() > 3) page.headwords.append(headwordOf(part));
        }
        at = next;
    }
    return pages;
}

bool isPlainName(const QByteArray& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && !name.contains('\0') &&
           !name.contains("..");
}

struct Geometry {
    QRectF columns[2];
    double fontPx;
    double indent;
};

struct PlacedLayout {
    std::unique_ptr<QTextLayout> layout;
    std::vector<std::pair<int, QPointF>> lines; // line index and where it is drawn
};

// Lays the paragraphs into the two columns with a hanging indent; false when they do not fit.
bool layOut(const std::vector<Paragraph>& paragraphs, const QFont& font, const Geometry& g,
            std::vector<PlacedLayout>& placed) {
    placed.clear();
    QTextOption option;
    option.setAlignment(Qt::AlignJustify);
    option.setWrapMode(QTextOption::WordWrap);
    int column = 0;
    double y = g.columns[0].top();
    const double gap = g.fontPx * 0.25;
    for (const Paragraph& paragraph : paragraphs) {
        PlacedLayout out;
        out.layout = std::make_unique<QTextLayout>(paragraph.text, font);
        out.layout->setTextOption(option);
        out.layout->setFormats(paragraph.styles);
        out.layout->setCacheEnabled(true);
        out.layout->beginLayout();
        for (bool first = true;; first = false) {
            QTextLine line = out.layout->createLine();
            if (!line.isValid()) break;
            const double indent = first ? 0.0 : g.indent;
            line.setLineWidth(g.columns[column].width() - indent);
            if (y + line.height() > g.columns[column].bottom()) {
                if (++column == 2) {
                    out.layout->endLayout();
                    return false;
                }
                y = g.columns[column].top();
                line.setLineWidth(g.columns[column].width() - indent);
            }
            line.setPosition(QPointF(0, 0));
            out.lines.emplace_back(line.lineNumber(), QPointF(g.columns[column].left() + indent, y));
            y += line.height();
        }
        out.layout->endLayout();
        placed.push_back(std::move(out));
        y += gap;
    }
    return true;
}

// Paper: a faint vignette, large soft blotches and fine grain, all from `seed`.
QImage paper(QSize size, quint32 seed, bool colour) {
    QImage image(size, QImage::Format_RGB32);
    const QColor base = colour ? QColor(238, 228, 204) : QColor(232, 232, 232);
    QPainter p(&image);
    QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.height() * 0.8);
    glow.setColorAt(0, base.lighter(104));
    glow.setColorAt(1, base.darker(108));
    p.fillRect(image.rect(), glow);
    p.end();

    std::mt19937 rng(seed);
    // Blotches: a coarse random field, smoothly enlarged.
    QImage coarse(24, 36, QImage::Format_Grayscale8);
    std::uniform_int_distribution<int> blotch(0, 255);
    for (int y = 0; y < coarse.height(); ++y) {
        for (int x = 0; x < coarse.width(); ++x) coarse.scanLine(y)[x] = static_cast<uchar>(blotch(rng));
    }
    const QImage field = coarse.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::uniform_int_distribution<int> grain(-2, 2);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* f = field.constScanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const int shift = (f[x] - 128) / 24 + ((x ^ y) % 7 == 0 ? grain(rng) : 0);
            const auto clamp = [](int v) { return std::clamp(v, 0, 255); };
            row[x] = qRgb(clamp(qRed(row[x]) + shift), clamp(qGreen(row[x]) + shift), clamp(qBlue(row[x]) + shift));
        }
    }
    return image;
}

QImage renderPage(const Page& page, int number, QSize size, bool colour) {
    QImage image = paper(size, static_cast<quint32>(number) * 7919u + 17u, colour);
    const double unit = size.width() / 1200.0; // lengths below are for a 1200-pixel-wide page
    const double margin = 90 * unit, top = 150 * unit, bottom = size.height() - 100 * unit, gutter = 50 * unit;
    const double columnWidth = (size.width() - 2 * margin - gutter) / 2;

    QFont font(QStringLiteral("Cardo"));
    font.setStyleStrategy(QFont::PreferAntialias);
    std::vector<PlacedLayout> placed;
    Geometry g{};
    for (double px = 30 * unit; px >= 14 * unit; px -= unit) {
        font.setPixelSize(static_cast<int>(std::lround(px)));
        g = Geometry{{QRectF(margin, top, columnWidth, bottom - top),
                      QRectF(margin + columnWidth + gutter, top, columnWidth, bottom - top)},
                     px, px};
        if (layOut(page.paragraphs, font, g, placed)) break;
    }

    const QColor ink = colour ? QColor(48, 36, 28) : QColor(38, 38, 38);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(ink);
    for (const PlacedLayout& pl : placed) {
        for (const auto& [index, at] : pl.lines) pl.layout->lineAt(index).draw(&p, at);
    }

    // Running head: first and last headword of the page, its number in the middle, a rule below.
    QFont head = font;
    head.setPixelSize(static_cast<int>(std::lround(26 * unit)));
    head.setBold(true);
    p.setFont(head);
    const QRectF headBox(margin, 70 * unit, size.width() - 2 * margin, 40 * unit);
    if (!page.headwords.isEmpty()) {
        p.drawText(headBox, Qt::AlignLeft | Qt::AlignVCenter, page.headwords.front());
        p.drawText(headBox, Qt::AlignRight | Qt::AlignVCenter, page.headwords.back());
    }
    head.setBold(false);
    p.setFont(head);
    p.drawText(headBox, Qt::AlignHCenter | Qt::AlignVCenter, QString::number(number));
    p.setPen(QPen(ink, 2 * unit));
    p.drawLine(QPointF(margin, 120 * unit), QPointF(size.width() - margin, 120 * unit));
    p.setPen(QPen(ink, 1 * unit));
    const double rule = margin + columnWidth + gutter / 2;
    p.drawLine(QPointF(rule, top), QPointF(rule, bottom));
    p.end();
    return colour ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

QSize parseSize(const QString& text) {
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2) return {};
    return {parts[0].toInt(), parts[1].toInt()};
}

} // namespace

int main(int argc, char* argv[]) {
    // The tool draws into images and needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Renders one page picture per page marker of a dictionary text."));
    cli.addHelpOption();
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Page size in pixels."),
                                       QStringLiteral("WxH"), QStringLiteral("1200x1800"));
    const QCommandLineOption pageOption(QStringLiteral("page"), QStringLiteral("Render only this page."),
                                        QStringLiteral("name"));
    const QCommandLineOption colourOption(QStringLiteral("colour"), QStringLiteral("Colour paper and ink."));
    const QCommandLineOption everyOption(QStringLiteral("progressive-every"),
                                         QStringLiteral("Every Nth page progressive (0: none)."), QStringLiteral("N"),
                                         QStringLiteral("3"));
    const QCommandLineOption qualityOption(QStringLiteral("quality"), QStringLiteral("JPEG quality."),
                                           QStringLiteral("Q"), QStringLiteral("75"));
    cli.addOptions({sizeOption, pageOption, colourOption, everyOption, qualityOption});
    cli.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The dictionary text."));
    cli.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("Where the pictures go."));
    cli.process(app);
    const QStringList args = cli.positionalArguments();
    const QSize size = parseSize(cli.value(sizeOption));
    if (args.size() != 2 || size.width() < 100 || size.height() < 100) cli.showHelp(2);

    for (const char* face : {"Cardo104s.ttf", "Cardob101.ttf", "Cardoi99.ttf"}) {
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/cardo/") + QLatin1String(face));
    }
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render-pages: cannot read %s: %s\n", qPrintable(args[0]), qPrintable(file.errorString()));
        return 1;
    }
    const std::vector<Page> pages = readPages(file.readAll());
    QDir().mkpath(args[1]);
    const int every = cli.value(everyOption).toInt();
    const wordhoard::JpegWriteOptions baseline{.quality = cli.value(qualityOption).toInt()};

    int written = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const Page& page = pages[i];
        if (!isPlainName(page.name)) {
            std::fprintf(stderr, "render-pages: skipping the page name \"%s\"\n", page.name.constData());
            continue;
        }
        if (cli.isSet(pageOption) && page.name != cli.value(pageOption).toLatin1()) continue;
        const int number = static_cast<int>(i) + 1;
        wordhoard::JpegWriteOptions options = baseline;
        options.progressive = every > 0 && number % every == 0;
        const QImage picture = renderPage(page, number, size, cli.isSet(colourOption));
        QByteArray jpeg = wordhoard::encodeJpeg(picture, options);
        // A dense page may come out larger than a scan should; it gives up a little quality.
        while (jpeg.size() > kMaxPageBytes && options.quality > 50 && !cli.isSet(qualityOption)) {
            options.quality -= 5;
            jpeg = wordhoard::encodeJpeg(picture, options);
        }
        const QString path = QDir(args[1]).filePath(QString::fromLatin1(page.name) + QStringLiteral(".jpg"));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(jpeg) != jpeg.size()) {
            std::fprintf(stderr, "render-pages: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s  %lld bytes  quality %d%s\n", qPrintable(path), static_cast<long long>(jpeg.size()),
                    options.quality, options.progressive ? "  progressive" : "");
        ++written;
    }
    return written > 0 ? 0 : 1;
}
