// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language/FormIndex.h"
#include "language/Words.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QTextBrowser;
class QTimer;
class QUrl;

namespace wordhoard {

class TMainForm;
class WordLookup;

// Tools > Gloss Passage: the reader pastes or types Old English above; below, every word that
// the dictionary has a headword for becomes a link. Hovering over it names its headword and that
// headword's first gloss; clicking it lists its candidates, and choosing one keeps it for that
// word and shows the entry in the main window, with history. Closing only hides the window, so
// the text and the choices stay for the session; a choice goes with the text it was made in
// (another dictionary drops them). Copy puts the glossed passage on the clipboard, one line a
// word: "word<TAB>headword<TAB>gloss".
class GlossWindow : public QWidget {
    Q_OBJECT
public:
    GlossWindow(TMainForm& form, WordLookup& lookup);
    ~GlossWindow() override;

    // A word of the passage, as glossed now.
    struct Word {
        WordSpan span;
        QString text;
        std::vector<FormCandidate> candidates; // best first; empty: no headword fits
        std::size_t chosen = 0;                // the candidate shown
        bool chosenByReader = false;
    };

    // Puts `text` in the editor and glosses it at once (typing glosses after a short pause).
    void setPassage(const QString& text);
    QString passage() const;
    const std::vector<Word>& words() const { return m_words; }

    // What hovering over word `word` shows: "cyninges: cyning — king".
    QString hoverText(std::size_t word) const;
    // The candidates of word `word` as checkable items, the one shown checked; the caller owns it.
    QMenu* candidateMenu(std::size_t word);
    // Keeps candidate `candidate` for word `word` and shows its entry in the main window.
    void choose(std::size_t word, std::size_t candidate);
    // The passage, one line a word: "word<TAB>headword<TAB>gloss", empty fields where none fits.
    QString glossedText() const;
    void copy();

    QPlainTextEdit* editor() const { return m_editor; }
    QTextBrowser* view() const { return m_view; }
    QLabel* statusLabel() const { return m_status; }

private:
    void gloss();
    void render();
    void linkClicked(const QUrl& url);
    void hovered(const QUrl& url);
    QString glossOf(std::int32_t start) const;
    // Moves the choices to where their words are in `text`, the passage as edited since the
    // last glossing; a choice whose word was edited goes.
    void followEdit(const QString& text);

    TMainForm& m_form;
    WordLookup& m_lookup;
    QPlainTextEdit* m_editor = nullptr;
    QTextBrowser* m_view = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_pause = nullptr;
    std::vector<Word> m_words;
    struct Choice {
        QString word;
        std::int32_t start; // of the headword's entry
    };
    std::map<qsizetype, Choice> m_choices; // by where the word stands in m_glossed
    QString m_glossed;
    mutable QHash<std::int32_t, QString> m_glosses;
};

} // namespace wordhoard
