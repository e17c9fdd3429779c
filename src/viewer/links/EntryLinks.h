// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language/LinkIndex.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QTextEdit;
class QWidget;

namespace wordhoard {

class Dictionary;
class TMainForm;

// The cross-references of the entry shown (LinkIndex), drawn on top of the designed display and
// followed from it, and what refers to the entry shown:
//   - a link takes the palette's link colour (not over a red search mark) and an underline, over
//     the designed bold and italic; an entry without links looks exactly as designed;
//   - hovering shows the target's headword and first gloss; a click that did not drag shows the
//     target as a click in the word list does (a history step: Back returns); a click on a page
//     marker turns the Image tab to that page;
//   - F4 and Shift+F4 select the next and previous link in the text pane, Enter there follows
//     the selected one (Tab still leaves the pane);
//   - View > Referred To By shows a row under the pane listing the entries that refer to the
//     one shown, and the pane's context menu lists them too, with a link's other homographs.
// The links are made on a worker (BackgroundIndexes); an entry shown before they are ready gains
// them when they are. Nothing here waits for them.
class EntryLinks : public QObject {
    Q_OBJECT
  public:
    explicit EntryLinks(TMainForm& form);
    ~EntryLinks() override;

    // One link of the entry shown, where the pane's document shows it.
    struct Shown {
        int from = 0; // in the document
        int to = 0;
        LinkIndex::Link link;
    };
    // The links drawn on the entry shown, by position (empty until the links are made).
    const std::vector<Shown>& shown() const { return m_shown; }
    // The link whose text holds document position `at`, if any.
    const Shown* linkAtPosition(int at) const;
    // The link under `point` of the pane's viewport, if any.
    const Shown* linkAt(QPoint point) const;

    // Shows what `link` leads to: its entry, or its page on the Image tab.
    void follow(const LinkIndex::Link& link);
    // Shows the entry starting at `start` as a click in the word list would, with a history step.
    void showEntry(std::int32_t start);
    // F4 / Shift+F4: selects the next or previous link in the pane, round from the last to the
    // first; false when the entry shown has none.
    bool selectLink(int direction);
    // Enter in the pane: follows the link the pane's selection covers; false when it covers none
    // (Enter then does what it did).
    bool followSelected();

    // What the tooltip of `link` says: the target's headword and first gloss, the other
    // homographs, or the page a page marker shows.
    QString describe(const LinkIndex::Link& link) const;
    // "Referred to by: æcras, ārian" as rich text, each name a link to its entry's start; what
    // the panel shows for the entry shown.
    QString referrersText() const;
    // Adds the pane's context-menu items: the other entries a link names, and what refers here.
    // `at` is the document position the menu is for (none: the selected link, if any); without
    // it, where the mouse asked for the menu.
    void addMenuItems(QMenu* menu, std::optional<int> at);
    void addMenuItems(QMenu* menu);

    QAction* nextLinkAction() const { return m_next; }
    QAction* previousLinkAction() const { return m_previous; }
    QAction* panelAction() const { return m_panelAction; }
    QLabel* panel() const { return m_panel; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildActions();
    void buildPanel();
    // Draws the links of the entry shown, when they are made.
    void draw();
    void updatePanel();
    QString headwordOf(std::int32_t start) const;
    QString glossOf(std::int32_t start) const;

    TMainForm& m_form;
    // The pane and its viewport, whose events are filtered: compared by address, as they are
    // destroyed with the window before this (the window no longer answers then).
    QTextEdit* m_pane = nullptr;
    QWidget* m_paneViewport = nullptr;
    // The dictionary m_shown belongs to.
    std::shared_ptr<const Dictionary> m_drawnFor;
    std::vector<Shown> m_shown;
    std::optional<int> m_pressed; // the link pressed on, by its index in m_shown
    QPoint m_pressPoint;
    std::optional<int> m_menuAt; // where the pane's context menu was asked for

    QAction* m_next = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_panelAction = nullptr;
    QScrollArea* m_panelRow = nullptr;
    QLabel* m_panel = nullptr;
};

} // namespace wordhoard
