// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "display/EntryFormat.h"
#include "Dictionary.h"
#include "window/MainUnit.h"

#include <QFont>
#include <QMainWindow>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFontDialog;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTextEdit;

namespace wordhoard {

class HeadwordListModel;
class HeadwordLookup;
class HitListModel;
class ListBox;
class LooseIndex;
class PageImageView;
class ReaderMemory;
class BackgroundIndexes;
class EntryLinks;
class ReadingAids;
class TAboutBox;
class TMDIChild;
class SearchRequest;
class TPerlRegEx;

// The main window. Its methods keep the names of what they do (Wordlist, Browse, Display,
// Format, Select, Search, ProcesSearch, Load_Image, FillCombo) and of the widget event they
// handle (TntListBox1Click, TabSheet4Show); each is thin: it asks the core and moves the result
// into widgets. Handlers catch at their boundary and report through the one error box.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(MainUnit& unit, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up steps.
    void LoadFile(const QString& fileName);
    void FillCombo();
    void Wordlist();

    // The one way a dictionary comes into the window (start-up, another folder, a reload): it
    // replaces the open one as a whole, and the hit list, the entry shown, the page picture and
    // what the additions keep of the old text start afresh (textOpened()). The word list follows
    // with Wordlist().
    void openText(std::shared_ptr<const Dictionary> dictionary, const QString& folder);

    // Entry display.
    void Browse(int list);
    void Display(std::int32_t from, std::int32_t to);
    void Format(std::int32_t length);
    void Ligatures(const QString& text);
    // Browse's way of showing the entry whose headword starts at `start` in the pane and the
    // status bar (also for Back and Forward).
    void showEntry(std::int32_t start);
    // The start of the entry in the pane; none before the first one and after another text came.
    std::optional<std::int32_t> shownEntry() const { return m_shownEntry; }
    // The page name of the entry shown, as status panel 1 shows it (empty when none is shown).
    const QByteArray& shownPage() const { return m_shownPage; }
    // Where a position of the entry's displayed text lies in the pane's document (a CR LF is one
    // line break there); -1 past its end.
    int screenPosition(qsizetype textPos) const {
        return textPos >= 0 && static_cast<std::size_t>(textPos) < m_screenPos.size()
                   ? m_screenPos[static_cast<std::size_t>(textPos)]
                   : -1;
    }

    // Search.
    void ProcesSearch(const QString& term);
    void Search(const QString& pattern);
    void Select(const QString& typed);

    // Page image.
    void Load_Image(const QByteArray& name);

    // View > Loose Matching (off at start): folded look-up, search and marks.
    void setLooseMatching(bool on);
    bool looseMatching() const;

    // Opens an auxiliary text window captioned with `fileName` when a file (not a directory)
    // lies there; nothing in the menus calls it.
    TMDIChild* CreateMDIChild(const QString& fileName);
    // The about box that Help > About shows (created at start-up, owned by it).
    void setAboutBox(TAboutBox* box) { AboutBox = box; }

    // Reports a message through the error box; tests replace the box with a recorder.
    void reportError(const QString& message);
    void setErrorReporter(std::function<void(const QString&)> reporter) { m_errorReporter = std::move(reporter); }
    // The error to show once the window is on screen (the dictionary could not be opened).
    QString startupError() const { return m_startupError; }
    // Start-up puts its own reason in place of LoadFile's (no folder holds a dictionary).
    void setStartupError(const QString& message) { m_startupError = message; }

    MainUnit& unit() { return m_unit; }
    const Dictionary& dictionary() const { return *m_unit.dictionary; }

    // The designed widgets by what they are, for the code beside the documented window.
    QLineEdit* searchField() const { return TntEdit1; }
    ListBox* wordList() const { return TntListBox1; }
    ListBox* hitList() const { return TntListBox2; }
    QTabWidget* listTabs() const { return PageControl1; }
    QTabWidget* entryTabs() const { return PageControl2; }
    QTextEdit* entryPane() const { return TntRichEdit1; }
    QScrollArea* pageScroller() const { return ScrollBox1; }
    PageImageView* pagePicture() const { return Image1; }
    QLabel* pagePanel() const { return StatusPanel1; }

    // Runs a handler body; any exception ends it and reaches the error box (a cancelled search
    // silently).
    template <typename Body> void guarded(Body&& body) noexcept;
    // Thrown when the reader cancels a long search: it ends the request like an error, silently.
    struct RequestCancelled {};

    // Event handlers.
    void TntListBox1Click();
    void TntListBox2Click();
    void TntEdit1KeyDown(int key);
    void TntEdit1Change();
    void TntButton1Click();
    void TntButton2Click();
    void TntButton3Click();
    void TntButton4Click();
    void TntButton5Click();
    void TntButton6Click();
    void TntComboBox1Select();
    void CheckBox1Click();
    void TabSheet1Show();
    void TabSheet1Hide();
    void TabSheet2Show();
    void TabSheet2Hide();
    void TabSheet3Show();
    void TabSheet3Hide();
    void TabSheet4Show();
    void TabSheet4Hide();
    void Image1Click();
    void FontSelectExecute();
    void HelpAbout1Execute();
    // File > Exit (also Ctrl+Q): closes the main window, which ends the program.
    void FileExit1Execute();

    // History, zoom, page turning, another folder and the rest beside the documented window.
    ReadingAids& readingAids() { return *m_aids; }
    // Settings, recent folders, favourites and the history that outlast a run.
    ReaderMemory& readerMemory() { return *m_memory; }

    // The dictionary font the window was designed with: Cardo, 14 pixels.
    static QFont designFont();
    // Gives the entry text, the search field and both lists the reader's font (View > Font), or
    // the design font again for none; fontChosen() follows.
    void applyFont(const std::optional<QFont>& choice);
    std::optional<QFont> fontChoice() const { return m_fontChoice; }
    // The form index and the links, made on a worker after the first paint.
    BackgroundIndexes& backgroundIndexes() { return *m_indexes; }
    // The cross-references of the entry shown, and what refers to it.
    EntryLinks& entryLinks() { return *m_links; }

signals:
    // openText replaced the dictionary.
    void textOpened();
    // Display has put an entry in the pane (shownEntry() names it).
    void entryDisplayed();
    // View > Font applied the reader's choice to the text and the lists.
    void fontChosen();
    // The click on the picture switched it between its natural and its stretched size.
    void pictureClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    void appendToSearchField(const QString& text);
    void buildMenus();
    void connectHandlers();
    // Beside the documented window: the hit list's two-line rows and the hit count (HitList.cpp),
    // and F3 / Shift+F3 through the marks of the entry shown (MarkNavigation.cpp).
    void buildHitList();
    void showHitCount(const QString& term);
    void buildMarkNavigation();
    void goToMark(bool forward);
    void layoutClient();
    // The look-up over the word list's current lines.
    const HeadwordLookup& lookup() const;
    void buildLooseMatching();
    // The loose-search index of the text; null while matching is strict.
    const LooseIndex* looseIndex() const;
    class SearchProgressGate;

    MainUnit& m_unit;
    std::function<void(const QString&)> m_errorReporter;
    // The request whose passes Search runs, while ProcesSearch runs it.
    SearchRequest* m_request = nullptr;
    QString m_startupError;
    bool m_startupErrorShown = false;
    std::optional<std::int32_t> m_shownEntry;
    QByteArray m_shownPage;
    // While Select shows the look-up's entry: the history waits until the typing pauses.
    bool m_inLookUp = false;
    // The term of the last search that ran to its end, which Loose Matching runs again.
    std::optional<QString> m_lastSearch;
    // Format has just marked the entry: the next F3 goes to the first mark, Shift+F3 to the last.
    bool m_marksFresh = false;
    // Where Format put the marked occurrences in the pane's document, left to right.
    std::vector<MarkRange> m_markPositions;
    std::optional<QFont> m_fontChoice;
    // Element i: where position i of the displayed text lies in the pane's document.
    std::vector<int> m_screenPos;
    // Made last by the constructor, in this order.
    std::unique_ptr<ReadingAids> m_aids;
    std::unique_ptr<ReaderMemory> m_memory;
    BackgroundIndexes* m_indexes = nullptr;
    EntryLinks* m_links = nullptr;

public:
    // Widgets, named as the design names them (their object names match).
    QMdiArea* MDIClient = nullptr;
    QWidget* Client = nullptr;
    QWidget* ToolBar2 = nullptr;
    QLineEdit* TntEdit1 = nullptr;
    QPushButton* TntButton1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* TntButton2 = nullptr;
    QPushButton* TntButton3 = nullptr;
    QPushButton* TntButton4 = nullptr;
    QPushButton* TntButton5 = nullptr;
    QPushButton* TntButton6 = nullptr;
    QComboBox* TntComboBox1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    ListBox* TntListBox1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    ListBox* TntListBox2 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QTextEdit* TntRichEdit1 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    PageImageView* Image1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QAction* FileExit1 = nullptr;
    QAction* Action11 = nullptr;
    QAction* HelpAbout1 = nullptr;
    QAction* LooseMatching1 = nullptr;
    QFontDialog* FontDialog1 = nullptr; // made on first use
    // The regular-expression object of the full-text search: caseless and ungreedy.
    std::unique_ptr<TPerlRegEx> PerlRegEx1;
    TAboutBox* AboutBox = nullptr;

    HeadwordListModel* wordListModel = nullptr;
    HitListModel* hitListModel = nullptr;
    // At the right of the status bar: "17 hits", "1 hit", "No hits for “term”" after a search.
    QLabel* hitCountLabel = nullptr;
    // At the right of the status bar while View > Loose Matching is on.
    QLabel* looseMatchingLabel = nullptr;
    QAction* nextMarkAction = nullptr;     // F3
    QAction* previousMarkAction = nullptr; // Shift+F3

private:
    int m_frontPage1 = 0;
    int m_frontPage2 = 0;
};

// Every handler body runs in here, so that no exception crosses a Qt frame.
template <typename Body> void TMainForm::guarded(Body&& body) noexcept {
    try {
        body();
    } catch (const RequestCancelled&) {
        // The reader stopped a search: nothing to report.
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(tr("Unexpected error"));
    }
}

} // namespace wordhoard
