// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// From the word in the text to its headword: the form list under the search field, Ctrl+click
// and the text menu's "Look Up", and the Tools menu's Gloss Passage.
#include "aids/WordLookup.h"

#include "aids/BackgroundIndexes.h"
#include "aids/ReadingAids.h"
#include "gloss/GlossWindow.h"
#include "language/Words.h"
#include "search/HeadwordLookup.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace wordhoard {

namespace {

constexpr int kMostRowsShown = 8;
constexpr const char* kWhere = "where"; // as ReadingAids lists a key with a narrow context

// The typed text when it is one word ("cyninges", "  sungon "), else empty ("se cyning", "a*").
QString oneWord(const QString& typed) {
    const QString trimmed = typed.trimmed();
    const std::vector<WordSpan> words = splitWords(trimmed);
    if (words.size() != 1 || words.front().length != trimmed.size()) return {};
    return trimmed;
}

} // namespace

WordLookup::WordLookup(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("WordLookup"));
    buildList();
    buildTools();

    m_form.entryPane()->viewport()->installEventFilter(this);
    connect(&m_form.readingAids(), &ReadingAids::textPaneMenuMade, this, &WordLookup::addToTextMenu);
    m_form.readingAids().listHint(tr("Look Up a Word of the Text"), tr("Ctrl+click on it, or its menu"));
}

WordLookup::~WordLookup() = default;

void WordLookup::buildList() {
    QLineEdit* field = m_form.searchField();
    // A child of the window's client layer, laid over the lists below the field: not a popup,
    // which would take the keys from the field.
    m_list = new QListWidget(field->parentWidget()->parentWidget());
    m_list->setObjectName(QStringLiteral("FormList"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setFont(field->font());
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->hide();
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::clicked, this,
            [this](const QModelIndex& index) { m_form.guarded([&] { chooseRow(index.row()); }); });

    connect(field, &QLineEdit::textChanged, this, [this] { m_form.guarded([&] { refresh(); }); });
    field->installEventFilter(this);
    connect(&m_form.backgroundIndexes(), &BackgroundIndexes::formsReady, this,
            [this] { m_form.guarded([&] { refresh(); }); });
    connect(&m_form, &TMainForm::textOpened, this, [this] { hideList(); });
    // Loose matching changes the line the designed look-up selects.
    connect(m_form.LooseMatching1, &QAction::toggled, this, [this] { m_form.guarded([&] { refresh(); }); });
    // The list lies over the word list: it goes when the reader goes on elsewhere in the window.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now != m_form.searchField() && now != m_list && now->window() == &m_form) hideList();
    });

    // Enabled only while the list shows: otherwise Alt+Down reaches the field as before.
    m_enter = new QAction(tr("Form List"), &m_form);
    m_enter->setObjectName(QStringLiteral("EnterFormList"));
    m_enter->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    m_enter->setShortcutContext(Qt::WidgetShortcut);
    m_enter->setProperty(kWhere, tr("in the search field"));
    m_enter->setEnabled(false);
    field->addAction(m_enter);
    connect(m_enter, &QAction::triggered, this, [this] { m_form.guarded([&] { enterList(); }); });
    m_form.readingAids().listAction(m_enter);

    auto* leave = new QAction(tr("Back to the Search Field"), &m_form);
    leave->setObjectName(QStringLiteral("LeaveFormList"));
    leave->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ALT | Qt::Key_Up)});
    leave->setShortcutContext(Qt::WidgetShortcut);
    leave->setProperty(kWhere, tr("in the form list"));
    m_list->addAction(leave);
    connect(leave, &QAction::triggered, this, [this] { leaveList(); });
    m_form.readingAids().listAction(leave);
    m_form.readingAids().listHint(tr("Show the Headword (in the form list)"), tr("Enter or a click"));
}

std::vector<FormCandidate> WordLookup::candidates(const QString& word) const {
    // Never made here: the worker makes it, and a keystroke never waits for it.
    const FormIndex* forms = m_form.dictionary().formsIfMade();
    if (!forms || word.isEmpty()) return {};
    return forms->candidates(word);
}

void WordLookup::refresh() {
    const QString typed = m_form.searchField()->text();
    const QString word = oneWord(typed);
    std::vector<FormCandidate> found = candidates(word);
    // The designed look-up's own line alone is nothing new.
    const auto matching =
        m_form.looseMatching() ? HeadwordLookup::Matching::Loose : HeadwordLookup::Matching::Locale;
    const LookupResult designed =
        found.empty() ? LookupResult{}
                      : m_form.dictionary().lookup(matching, m_form.wordListModel->sorted()).find(typed);
    const bool designedLine = designed.kind == LookupResult::Kind::Line;
    const bool more = std::any_of(found.begin(), found.end(), [&](const FormCandidate& c) {
        return !designedLine || c.line != designed.line;
    });
    if (!more) {
        hideList();
        return;
    }
    m_listed = std::move(found);
    m_list->clear();
    for (const FormCandidate& c : m_listed) {
        m_list->addItem(tr("%1: %2 — %3").arg(word, c.headword, c.analysis));
    }
    placeList();
    m_list->show();
    m_list->raise();
    m_enter->setEnabled(true);
}

void WordLookup::placeList() {
    const QLineEdit* field = m_form.searchField();
    QWidget* client = m_list->parentWidget();
    const QPoint at = field->mapTo(client, QPoint(0, field->height()));
    int textWidth = 0;
    for (int row = 0; row < m_list->count(); ++row) {
        textWidth = std::max(textWidth, m_list->fontMetrics().horizontalAdvance(m_list->item(row)->text()));
    }
    const int frame = 2 * m_list->frameWidth();
    const int rows = std::min(m_list->count(), kMostRowsShown);
    int width = textWidth + frame + 12;
    if (m_list->count() > rows) width += m_list->verticalScrollBar()->sizeHint().width();
    width = std::clamp(width, field->width(), std::max(field->width(), client->width() - at.x() - 3));
    m_list->setGeometry(at.x(), at.y(), width, rows * m_list->sizeHintForRow(0) + frame);
}

void WordLookup::hideList() {
    if (m_list->hasFocus()) m_form.searchField()->setFocus(Qt::OtherFocusReason);
    m_list->hide();
    m_list->clear();
    m_listed.clear();
    m_enter->setEnabled(false);
}

void WordLookup::enterList() {
    if (m_list->isHidden() || m_list->count() == 0) return;
    if (m_list->currentRow() < 0) m_list->setCurrentRow(0);
    m_list->setFocus(Qt::ShortcutFocusReason);
}

void WordLookup::leaveList() { m_form.searchField()->setFocus(Qt::ShortcutFocusReason); }

void WordLookup::chooseRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_listed.size()) return;
    m_list->setCurrentRow(row);
    // A copy: showing the entry may read the text again and empty the list.
    const FormCandidate chosen = m_listed[static_cast<std::size_t>(row)];
    showCandidate(chosen);
}

void WordLookup::showCandidate(const FormCandidate& candidate) {
    ListBox* list = m_form.wordList();
    if (candidate.line < 0 || candidate.line >= m_form.wordListModel->rowCount()) return;
    const int row = static_cast<int>(candidate.line);
    // As a click on the line: the Wordlist tab in front, the line selected, then its handler.
    m_form.listTabs()->setCurrentIndex(0);
    list->selectRow(row);
    list->scrollTo(m_form.wordListModel->index(row, 0));
    m_form.TntListBox1Click();
}

bool WordLookup::lookUp(const QString& word) {
    const std::vector<FormCandidate> found = candidates(word);
    if (found.empty()) return false;
    showCandidate(found.front());
    return true;
}

std::optional<QString> WordLookup::wordAt(const QPoint& viewportPos) const {
    const QTextEdit* pane = m_form.entryPane();
    const QPoint scrolled(pane->horizontalScrollBar()->value(), pane->verticalScrollBar()->value());
    const int pos = pane->document()->documentLayout()->hitTest(viewportPos + scrolled, Qt::ExactHit);
    if (pos < 0) return std::nullopt;
    const QTextBlock block = pane->document()->findBlock(pos);
    const QString text = block.text();
    const qsizetype inBlock = pos - block.position();
    // The nearest cursor place: a click on the right half of a word's last letter is at its end.
    for (const WordSpan& span : splitWords(text)) {
        if (span.pos <= inBlock && inBlock <= span.pos + span.length)
            return text.sliced(span.pos, span.length);
    }
    return std::nullopt;
}

void WordLookup::addToTextMenu(QMenu* menu, const QPoint& at) {
    const std::optional<QString> word = wordAt(at);
    if (!word) return;
    auto* item = new QAction(tr("Look Up “%1”").arg(*word), menu);
    item->setObjectName(QStringLiteral("LookUpWord"));
    // Greyed when nothing in the dictionary fits: the reader learns that without a click.
    item->setEnabled(!candidates(*word).empty());
    connect(item, &QAction::triggered, this, [this, w = *word] { m_form.guarded([&] { lookUp(w); }); });
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, item);
    menu->insertSeparator(first);
}

bool WordLookup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == m_list) {
            m_form.guarded([&] { chooseRow(m_list->currentRow()); });
            return true;
        }
        // Enter in the field runs the full-text search as designed; the list is done with.
        if (enter && watched == m_form.searchField()) hideList();
    } else if (event->type() == QEvent::MouseButtonPress && watched == m_form.entryPane()->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::ControlModifier) {
            if (const std::optional<QString> word = wordAt(mouse->position().toPoint())) {
                m_form.guarded([&] { lookUp(*word); });
            }
            return true; // no selection starts under a Ctrl+click
        }
    }
    return QObject::eventFilter(watched, event);
}

void WordLookup::buildTools() {
    QMenuBar* bar = m_form.menuBar();
    auto* tools = bar->findChild<QMenu*>(QStringLiteral("Tools1"), Qt::FindDirectChildrenOnly);
    if (!tools) {
        tools = new QMenu(tr("&Tools"), bar);
        tools->setObjectName(QStringLiteral("Tools1"));
        auto* help = bar->findChild<QMenu*>(QStringLiteral("Help1"), Qt::FindDirectChildrenOnly);
        bar->insertMenu(help ? help->menuAction() : nullptr, tools);
    }
    auto* gloss = new QAction(tr("&Gloss Passage..."), &m_form);
    gloss->setObjectName(QStringLiteral("GlossPassage"));
    gloss->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m_form.addAction(gloss);
    tools->addAction(gloss);
    connect(gloss, &QAction::triggered, this, [this] { m_form.guarded([&] { showGlossWindow(); }); });
    m_form.readingAids().listAction(gloss);
}

GlossWindow* WordLookup::showGlossWindow() {
    if (!m_gloss) m_gloss = new GlossWindow(m_form, *this);
    m_gloss->show();
    m_gloss->raise();
    m_gloss->activateWindow();
    return m_gloss;
}

} // namespace wordhoard
