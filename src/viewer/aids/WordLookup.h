// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language/FormIndex.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

class QAction;
class QListWidget;
class QMenu;

namespace wordhoard {

class GlossWindow;
class TMainForm;

// From a word as the text writes it to its headword, beside the designed look-up:
//  - under the search field, a list of the headwords the typed word may be a form of
//    ("cyninges: cyning — gen. sg., strong masc."), shown only when it offers more than the line
//    the designed look-up selects. It never takes the focus on its own and changes no key of the
//    field: Alt+Down enters it, Enter there shows the entry, Esc or Alt+Up goes back;
//  - Ctrl+click on a word of the entry text, and "Look Up “word”" in the text's menu;
//  - Tools > Gloss Passage (GlossWindow).
// Every way shows the entry as a click in the word list does, history included. Candidates come
// from the form index only once the worker has made it (BackgroundIndexes): until then the list
// stays hidden and appears when the index is ready, if the field still holds a word.
class WordLookup : public QObject {
    Q_OBJECT
public:
    explicit WordLookup(TMainForm& form);
    ~WordLookup() override;

    // The list under the search field; hidden while it has nothing to offer.
    QListWidget* formList() const { return m_list; }
    const std::vector<FormCandidate>& listed() const { return m_listed; }
    // Fills the list again for what the search field holds.
    void refresh();

    // Shows the entry of `candidate` as a click on its line of the word list would.
    void showCandidate(const FormCandidate& candidate);
    // The headwords `word` may be a form of, best first; empty while the form index is being made.
    std::vector<FormCandidate> candidates(const QString& word) const;
    // Shows the best headword of `word`; false when it has none (or the index is not made yet).
    bool lookUp(const QString& word);
    // The word of the entry pane under `viewportPos` (in the pane's viewport); none over a space,
    // a mark or past the text.
    std::optional<QString> wordAt(const QPoint& viewportPos) const;

    // Tools > Gloss Passage: the window, made on first use and kept for the session.
    GlossWindow* showGlossWindow();
    GlossWindow* glossWindow() const { return m_gloss; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    void enterList();
    void leaveList();
    void chooseRow(int row);
    void hideList();
    void placeList();
    void addToTextMenu(QMenu* menu, const QPoint& at);
    void buildTools();

    TMainForm& m_form;
    QListWidget* m_list = nullptr;
    QAction* m_enter = nullptr; // Alt+Down, enabled while the list shows
    std::vector<FormCandidate> m_listed; // line by line of m_list
    GlossWindow* m_gloss = nullptr;
};

} // namespace wordhoard
