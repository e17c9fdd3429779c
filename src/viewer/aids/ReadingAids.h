// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reading/History.h"

#include <QFont>
#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QDialog;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

namespace wordhoard {

class ListBox;
class TMainForm;

// What readers of a desktop dictionary expect beside the documented window: any dictionary folder,
// Back and Forward, keys for everything, zoom, turning the scanned pages, copying with a citation.
// Everything is added beside the window (menu items, a Go menu, shortcuts, a context menu) and
// nothing of it runs until used: with none of it used the window behaves as documented. What they
// keep of a text starts afresh when another text comes (textOpened); ReaderMemory stores what
// should outlast a run (the history, the zoom, the page fit) and puts it back.
//
// One concern per file: DictionaryFolder.cpp, BackForward.cpp, Keyboard.cpp, Zoom.cpp,
// PageTurning.cpp, PageFit.cpp, CopyCitation.cpp; this class's own file builds the menus and the
// list of keys that Help shows.
class ReadingAids : public QObject {
    Q_OBJECT
public:
    // Adds the menu items, shortcuts and context menu to a finished main window.
    explicit ReadingAids(TMainForm& form);
    ~ReadingAids() override;

    // File > Open Dictionary Folder: asks for a folder, then opens it.
    void chooseDictionaryFolder();
    // Loads the dictionary in `folder` in place of the open one: the word list, the hit list, the
    // shown entry, the page picture and its one-name cache, and the history start afresh; the
    // search field's text is looked up in the new word list. When its text can't be opened the
    // error box says why (as at start-up) and the open dictionary stays as it was; false then.
    bool openDictionaryFolder(const QString& folder);

    // The text changed on disk: read it again in place (as Open Dictionary Folder does), keeping
    // the history steps whose headwords are still there and showing again the entry shown, or
    // `toShow` (a start in the old text, which the reader just clicked: it becomes a history
    // step). When it can't be read, the text read before stays and a notice says why; false then.
    bool reloadText(std::optional<std::int32_t> toShow = std::nullopt);
    // The same when the file by the text's name is not the one read (the watcher's check).
    bool reloadIfChanged();
    // What shows or searches the text asks first whether the open text is still what the file
    // holds (Dictionary::stale), and has it read again when not.
    enum class TextCheck {
        Current,    // go on
        ReadAgain,  // the text was read again: offsets into the old one are gone
        Unreadable, // it changed and can't be read now: show nothing of it (a notice says why)
    };
    TextCheck checkText(std::optional<std::int32_t> toShow = std::nullopt);

    // Lists an action of the window's other additions in Help > Keyboard Shortcuts.
    void listAction(QAction* action) { m_listed.push_back(action); }
    // Lists there what no action's keys say ("Ctrl+click on it").
    void listHint(const QString& what, const QString& keys) { m_hints.emplace_back(what, keys); }

    // Browse tells of every entry it shows. One the look-up shows while the reader types becomes
    // a history step only once the reader settles on it: when typing pauses for a second, the
    // search field loses the focus, or another entry is shown.
    void entryShown(std::int32_t start, int list, bool whileTyping = false);
    // Show the previous or next entry of the history; false when there is none.
    bool goBack();
    bool goForward();
    const History& history() const { return m_history; }
    // Puts a history in place of the one kept (one read back from the settings, or none).
    void restoreHistory(History history);

    // Ctrl+L and F6.
    void focusSearchField();
    // Ctrl+1 to Ctrl+4: the Wordlist, Search, Text and Image tabs.
    void showTab(int tab);

    // The zoom of the entry text and both lists, in percent of their base font (the design font,
    // or the View > Font choice once made).
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 400;
    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    void zoomStepBy(int direction);

    // On the Image tab: the next or previous page of the text's page order, and the entry's own.
    // Turning goes on from the page turned to last, also when its picture could not be shown (its
    // error is reported, and the next turn goes past it); a status-bar label names it meanwhile.
    void turnPage(int direction);
    void showEntryPage();
    // Brings the Image tab to the front turned to `page` (a page marker's link), as turnPage does.
    void turnToPage(const QByteArray& page);
    // The picture as wide as the Image tab, keeping its aspect ratio; and zoomed in or out.
    static constexpr int kMinPageZoom = 10;
    static constexpr int kMaxPageZoom = 400;
    void fitPageWidth();
    void zoomPageBy(int direction);
    // How the picture is fitted: as the click leaves it (natural or stretched), to the tab's
    // width, or at a scale of its own size.
    enum class PageFit { Click, Width, Scale };
    PageFit pageFit() const { return m_pageFit; }
    double pageScale() const { return m_pageScale; }
    // Takes up a fit (and for Scale, the scale) for the pictures to come and the one shown.
    void setPageFit(PageFit fit, double scale = 1.0);

    // The shown entry as plain text with a citation line; false when no entry is shown.
    bool copyEntryWithCitation();
    // The text pane's context menu: its own items and ours, and for a place `at` of the pane's
    // viewport (where it was asked for) the items of the other additions. The caller owns it.
    QMenu* createTextPaneMenu(std::optional<QPoint> at = std::nullopt);
    // Adds an item of the window's other additions to the text pane's context menu.
    void addTextPaneAction(QAction* action) { m_textPaneActions.push_back(action); }

    // A line at the right of the status bar that goes after a while.
    void showNotice(const QString& text);

    // What Help > Keyboard Shortcuts lists: every addition and its keys, as (what, keys).
    std::vector<std::pair<QString, QString>> shortcutList() const;
    void showShortcutList();
    QDialog* shortcutDialog() const { return m_shortcutDialog; }

    // The property that says where a key with a narrow context works ("in a list"), for Help.
    static constexpr const char* kWhere = "where";

signals:
    // createTextPaneMenu made `menu` for the place `at`: the other additions add their items.
    void textPaneMenuMade(QMenu* menu, const QPoint& at);
    // An entry was recorded, Back or Forward moved, or the history was replaced or cleared.
    void historyChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:

    // Builders, one per concern, called once by the constructor.
    void addFolderItems();
    void addBackForward();
    void addKeyboard();
    void addZoom();
    void addPageTurning();
    void addPageFit();
    void addCopying();
    void addHelp();
    void addTextWatch();

    QMenu* menu(const char* objectName) const;
    // An action named `objectName` on `menu` (if any) whose keys work where `context` says.
    QAction* addAction(QMenu* menu, const QString& text, const char* objectName, const QList<QKeySequence>& keys,
                       std::function<void()> handler, Qt::ShortcutContext context = Qt::WindowShortcut,
                       QWidget* owner = nullptr);
    void show(const Visit& visit);
    void updateHistoryActions();
    void settleTyping();
    void applyZoom();
    void takeFontChoice();
    bool wheelZoom(QEvent* event, void (ReadingAids::*step)(int));
    void updatePageActions();
    void endPageTurning();
    void watchText();
    void applyPageFit();
    void reset();

    TMainForm& m_form;

    History m_history;
    std::optional<Visit> m_typed; // the look-up's entry, until the reader settles on it
    QTimer* m_typingPause = nullptr;

    int m_zoom = 100;
    QFont m_paneBase;
    QFont m_list1Base;
    QFont m_list2Base;
    int m_wheelRest = 0; // a wheel turns in parts of a notch

    std::optional<QByteArray> m_turnedPage;
    QLabel* m_turnedPageLabel = nullptr; // at the right of the status bar while pages turn
    PageFit m_pageFit = PageFit::Click;
    double m_pageScale = 1.0;

    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_settle = nullptr; // runs while the changed file settles
    QLabel* m_dictionaryLabel = nullptr;
    QLabel* m_noticeLabel = nullptr;
    QTimer* m_noticeTimer = nullptr;

    QMenu* m_goMenu = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_zoomIn = nullptr;
    QAction* m_zoomOut = nullptr;
    std::vector<QAction*> m_pageActions; // enabled while the Image tab is in front
    QAction* m_copyCitation = nullptr;
    std::vector<QAction*> m_textPaneActions;
    // Listed by Help in this order.
    std::vector<QAction*> m_listed;
    std::vector<std::pair<QString, QString>> m_hints;
    QDialog* m_shortcutDialog = nullptr;
};

} // namespace wordhoard
