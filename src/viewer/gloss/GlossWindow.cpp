// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gloss/GlossWindow.h"

#include "aids/BackgroundIndexes.h"
#include "aids/WordLookup.h"
#include "language/FirstGloss.h"
#include "window/MainForm.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace wordhoard {

namespace {

// Typing glosses the passage again once it pauses this long; a paste at once.
constexpr int kRelinkPauseMs = 250;
const QString kWordScheme = QStringLiteral("word");

} // namespace

GlossWindow::GlossWindow(TMainForm& form, WordLookup& lookup)
    : QWidget(&form, Qt::Window), m_form(form), m_lookup(lookup) {
    setObjectName(QStringLiteral("GlossWindow"));
    setWindowTitle(tr("Gloss Passage"));

    m_editor = new QPlainTextEdit;
    m_editor->setObjectName(QStringLiteral("GlossText"));
    m_editor->setPlaceholderText(tr("Paste or type Old English here."));
    m_editor->setFont(form.searchField()->font());
    m_view = new QTextBrowser;
    m_view->setObjectName(QStringLiteral("GlossedText"));
    m_view->setOpenLinks(false);
    m_view->setFont(form.searchField()->font());
    m_view->setMouseTracking(true);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_editor);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 2);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("GlossStatus"));
    m_status->setTextFormat(Qt::PlainText);
    // A long gloss shown on hover is cut at the window's edge rather than widening it.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* copyButton = new QPushButton(tr("&Copy"));
    copyButton->setObjectName(QStringLiteral("GlossCopy"));
    copyButton->setToolTip(tr("Copy the glossed passage, one line a word: word, headword, gloss"));
    auto* closeButton = new QPushButton(tr("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(560, 460);

    m_pause = new QTimer(this);
    m_pause->setSingleShot(true);
    m_pause->setInterval(kRelinkPauseMs);
    connect(m_pause, &QTimer::timeout, this, [this] { m_form.guarded([&] { gloss(); }); });
    connect(m_editor, &QPlainTextEdit::textChanged, m_pause, qOverload<>(&QTimer::start));
    connect(m_view, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { m_form.guarded([&] { linkClicked(url); }); });
    connect(m_view, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            [this](const QUrl& url) { m_form.guarded([&] { hovered(url); }); });
    connect(copyButton, &QPushButton::clicked, this, [this] { copy(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_form.backgroundIndexes(), &BackgroundIndexes::formsReady, this,
            [this] { m_form.guarded([&] { gloss(); }); });
    // The choices name entries of the text they were made in.
    connect(&m_form, &TMainForm::textOpened, this, [this] {
        m_choices.clear();
        m_glosses.clear();
        m_form.guarded([&] { gloss(); });
    });
    gloss();
}

GlossWindow::~GlossWindow() = default;

void GlossWindow::followEdit(const QString& text) {
    const QString& old = m_glossed;
    const qsizetype shorter = std::min(old.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < shorter && old[prefix] == text[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    // "sang" chosen at 3 in "Þā sang", and "hīe " typed at 0: the same "sang" is now at 7.
    std::map<qsizetype, Choice> moved;
    for (const auto& [pos, choice] : m_choices) {
        if (pos + choice.word.size() <= prefix) {
            moved.emplace(pos, choice);
        } else if (pos >= old.size() - suffix) {
            moved.emplace(pos + text.size() - old.size(), choice);
        }
    }
    m_choices = std::move(moved);
    m_glossed = text;
}

void GlossWindow::setPassage(const QString& text) {
    m_editor->setPlainText(text);
    m_pause->stop();
    gloss();
}

QString GlossWindow::passage() const { return m_editor->toPlainText(); }

void GlossWindow::gloss() {
    m_pause->stop();
    const QString text = passage();
    const bool ready = m_form.dictionary().formsIfMade() != nullptr;
    m_words.clear();
    followEdit(text);
    QHash<QString, std::vector<FormCandidate>> known; // a passage repeats its words
    for (const WordSpan& span : splitWords(text)) {
        Word word{span, text.sliced(span.pos, span.length), {}, 0, false};
        auto found = known.constFind(word.text);
        if (found == known.constEnd()) found = known.insert(word.text, m_lookup.candidates(word.text));
        word.candidates = *found;
        const auto choice = m_choices.find(span.pos);
        if (choice != m_choices.end() && choice->second.word == word.text) {
            for (std::size_t k = 0; k < word.candidates.size(); ++k) {
                if (word.candidates[k].start != choice->second.start) continue;
                word.chosen = k;
                word.chosenByReader = true;
            }
        }
        m_words.push_back(std::move(word));
    }
    render();
    const auto glossed =
        std::count_if(m_words.begin(), m_words.end(), [](const Word& w) { return !w.candidates.empty(); });
    if (!ready && m_form.dictionary().opened()) {
        m_status->setText(tr("Indexing the forms of the dictionary…"));
    } else {
        m_status->setText(m_words.size() == 1
                              ? tr("1 word, %1 with a headword").arg(glossed)
                              : tr("%1 words, %2 with a headword").arg(m_words.size()).arg(glossed));
    }
}

void GlossWindow::render() {
    const QString text = passage();
    QString html = QStringLiteral("<p style=\"white-space: pre-wrap\">");
    const auto plain = [&](qsizetype from, qsizetype to) {
        html += text.mid(from, to - from).toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
    };
    qsizetype at = 0;
    for (std::size_t k = 0; k < m_words.size(); ++k) {
        const Word& word = m_words[k];
        plain(at, word.span.pos);
        const QString shown = word.text.toHtmlEscaped();
        if (word.candidates.empty()) {
            html += shown;
        } else {
            // The reader's own choices in bold, so that they can be told from the best guesses.
            html += QStringLiteral("<a href=\"%1:%2\">%3</a>")
                        .arg(kWordScheme)
                        .arg(k)
                        .arg(word.chosenByReader ? QStringLiteral("<b>%1</b>").arg(shown) : shown);
        }
        at = word.span.pos + word.span.length;
    }
    plain(at, text.size());
    const int scrolled = m_view->verticalScrollBar()->value();
    m_view->setHtml(html + QStringLiteral("</p>"));
    m_view->verticalScrollBar()->setValue(scrolled);
}

QString GlossWindow::glossOf(std::int32_t start) const {
    auto found = m_glosses.constFind(start);
    if (found == m_glosses.constEnd())
        found = m_glosses.insert(start, firstGloss(m_form.dictionary().text(), start));
    return *found;
}

QString GlossWindow::hoverText(std::size_t word) const {
    if (word >= m_words.size()) return {};
    const Word& w = m_words[word];
    if (w.candidates.empty()) return tr("%1: no headword found").arg(w.text);
    const FormCandidate& c = w.candidates[w.chosen];
    const QString gloss = glossOf(c.start);
    return gloss.isEmpty() ? tr("%1: %2").arg(w.text, c.headword)
                           : tr("%1: %2 — %3").arg(w.text, c.headword, gloss);
}

QMenu* GlossWindow::candidateMenu(std::size_t word) {
    if (word >= m_words.size()) return nullptr;
    auto* menu = new QMenu(m_view);
    menu->setObjectName(QStringLiteral("GlossCandidates"));
    const Word& w = m_words[word];
    for (std::size_t k = 0; k < w.candidates.size(); ++k) {
        const FormCandidate& c = w.candidates[k];
        const QString gloss = glossOf(c.start);
        QString label = tr("%1 (%2)").arg(c.headword, c.analysis);
        if (!gloss.isEmpty()) label += tr(" — %1").arg(gloss);
        QAction* item = menu->addAction(label);
        item->setCheckable(true);
        item->setChecked(k == w.chosen);
        connect(item, &QAction::triggered, this,
                [this, word, k] { m_form.guarded([&] { choose(word, k); }); });
    }
    return menu;
}

void GlossWindow::choose(std::size_t word, std::size_t candidate) {
    if (word >= m_words.size() || candidate >= m_words[word].candidates.size()) return;
    Word& w = m_words[word];
    w.chosen = candidate;
    w.chosenByReader = true;
    m_choices[w.span.pos] = {w.text, w.candidates[candidate].start};
    const FormCandidate chosen = w.candidates[candidate];
    render();
    m_lookup.showCandidate(chosen);
}

QString GlossWindow::glossedText() const {
    QString out;
    for (const Word& w : m_words) {
        out += w.text + u'\t';
        if (!w.candidates.empty()) {
            const FormCandidate& c = w.candidates[w.chosen];
            out += c.headword + u'\t' + glossOf(c.start);
        } else {
            out += u'\t';
        }
        out += u'\n';
    }
    return out;
}

void GlossWindow::copy() {
    // Typed a moment ago and not glossed yet: the copy is of what the editor holds.
    if (m_pause->isActive()) gloss();
    QGuiApplication::clipboard()->setText(glossedText());
}

void GlossWindow::linkClicked(const QUrl& url) {
    if (url.scheme() != kWordScheme) return;
    QMenu* menu = candidateMenu(url.path().toULongLong());
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QCursor::pos());
}

void GlossWindow::hovered(const QUrl& url) {
    if (url.scheme() != kWordScheme) {
        QToolTip::hideText();
        return;
    }
    const QString text = hoverText(url.path().toULongLong());
    QToolTip::showText(QCursor::pos(), text, m_view);
    m_status->setText(text);
}

} // namespace wordhoard
