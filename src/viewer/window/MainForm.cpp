// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MainForm.h"

#include "dialogs/ErrorBox.h"
#include "search/LooseSearch.h"
#include "search/HeadwordLookup.h"
#include "search/PerlRegEx.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/PageImageView.h"
#include "aids/ReaderMemory.h"
#include "aids/BackgroundIndexes.h"
#include "links/EntryLinks.h"
#include "aids/ReadingAids.h"
#include "aids/WordLookup.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace wordhoard {

namespace {

// Design sizes in pixels.
constexpr int kClientWidth = 847;
constexpr int kClientHeight = 522;
constexpr int kToolBarHeight = 37;
constexpr int kStatusBarHeight = 26;
constexpr int kPagesTop = 40;
constexpr int kMargin = 3;
constexpr int kLeftPagesWidth = 181;
constexpr int kRightPagesLeft = 194;

QFont chromeFont() {
    // DejaVu Sans stands in for Verdana, which Debian doesn't ship.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    return font;
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QWidget* fillWith(QWidget* page, QWidget* child, int margin) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(child);
    return page;
}

} // namespace

QFont TMainForm::designFont() {
    QFont font(QStringLiteral("Cardo"));
    font.setPixelSize(14);
    return font;
}

TMainForm::TMainForm(MainUnit& unit, QWidget* parent) : QMainWindow(parent), m_unit(unit) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(tr("Wordhoard"));
    setFont(chromeFont());
    m_errorReporter = [this](const QString& message) { showErrorBox(this, message); };
    PerlRegEx1 = std::make_unique<TPerlRegEx>();
    PerlRegEx1->setOptions(preCaseLess | preUnGreedy);
    buildWidgets();
    buildMenus();
    buildLooseMatching();
    connectHandlers();
    buildHitList();
    buildMarkNavigation();
    m_aids = std::make_unique<ReadingAids>(*this);
    m_indexes = new BackgroundIndexes(*this);
    new WordLookup(*this); // the form list, Ctrl+click, Tools > Gloss Passage
    m_links = new EntryLinks(*this);
    for (QAction* listed : {LooseMatching1, nextMarkAction, previousMarkAction}) m_aids->listAction(listed);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    m_memory = std::make_unique<ReaderMemory>(*this);
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWidgets() {
    const QFont dictFont = designFont();

    // The document area can host child windows; the tool-bar row and both page controls lie on
    // a client layer at its bottom.
    MDIClient = named(new QMdiArea, "MDIClient");
    MDIClient->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(MDIClient);
    Client = named(new QWidget(MDIClient->viewport()), "Client");
    Client->setAutoFillBackground(true);
    MDIClient->viewport()->installEventFilter(this);

    ToolBar2 = named(new QWidget(Client), "ToolBar2");
    ToolBar2->setAutoFillBackground(true);
    ToolBar2->setBackgroundRole(QPalette::Button);

    TntEdit1 = named(new QLineEdit(ToolBar2), "TntEdit1");
    TntEdit1->setGeometry(7, 4, 101, 29);
    TntEdit1->setFont(dictFont);
    TntEdit1->installEventFilter(this);

    TntButton1 = named(new QPushButton(tr("Fulltext"), ToolBar2), "TntButton1");
    TntButton1->setGeometry(113, 4, 62, 27);

    CheckBox1 = named(new QCheckBox(tr("Sorted A-Z/Orig. Order"), ToolBar2), "CheckBox1");
    CheckBox1->setGeometry(180, 11, 181, 14);
    CheckBox1->setEnabled(false); // nothing enables it: the word list keeps file order

    const struct {
        QPushButton** button;
        const char* name;
        char16_t caption;
        int left;
        int width;
    } letters[] = {
        {&TntButton2, "TntButton2", 0x00FE, 549, 27}, {&TntButton3, "TntButton3", 0x00F0, 581, 27},
        {&TntButton4, "TntButton4", 0x00E6, 613, 26}, {&TntButton5, "TntButton5", 0x0153, 644, 27},
        {&TntButton6, "TntButton6", 0x021D, 676, 27},
    };
    for (const auto& letter : letters) {
        *letter.button = named(new QPushButton(QString(QChar(letter.caption)), ToolBar2), letter.name);
        (*letter.button)->setGeometry(letter.left, 4, letter.width, 27);
        (*letter.button)->setFont(dictFont);
    }

    TntComboBox1 = named(new QComboBox(ToolBar2), "TntComboBox1");
    TntComboBox1->setGeometry(716, 4, 121, 29);
    TntComboBox1->setEditable(true);
    TntComboBox1->setInsertPolicy(QComboBox::NoInsert);
    TntComboBox1->setFont(dictFont);
    TntComboBox1->setMaxVisibleItems(20);
    TntComboBox1->view()->setItemDelegate(fixedLineDelegate(TntComboBox1, 21, 0));

    PageControl1 = named(new QTabWidget(Client), "PageControl1");
    TabSheet1 = named(new QWidget, "TabSheet1");
    TntListBox1 = named(new ListBox, "TntListBox1");
    TntListBox1->setFont(dictFont);
    wordListModel = new HeadwordListModel(this);
    TntListBox1->setModel(wordListModel);
    PageControl1->addTab(fillWith(TabSheet1, TntListBox1, 4), tr("Wordlist"));

    TabSheet2 = named(new QWidget, "TabSheet2");
    TntListBox2 = named(new ListBox, "TntListBox2");
    TntListBox2->setFont(dictFont);
    hitListModel = new HitListModel(this);
    TntListBox2->setModel(hitListModel);
    PageControl1->addTab(fillWith(TabSheet2, TntListBox2, 4), tr("Search"));
    TntListBox2->setVisible(false); // created hidden: the Wordlist page is in front

    PageControl2 = named(new QTabWidget(Client), "PageControl2");
    TabSheet3 = named(new QWidget, "TabSheet3");
    TntRichEdit1 = named(new QTextEdit, "TntRichEdit1");
    TntRichEdit1->setReadOnly(true);
    TntRichEdit1->setFont(dictFont);
    TntRichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TntRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PageControl2->addTab(fillWith(TabSheet3, TntRichEdit1, 4), tr("Text"));

    TabSheet4 = named(new QWidget, "TabSheet4");
    ScrollBox1 = named(new QScrollArea, "ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = named(new PageImageView, "Image1");
    ScrollBox1->setWidget(Image1);
    PageControl2->addTab(fillWith(TabSheet4, ScrollBox1, 4), tr("Image"));

    StatusPanel0 = named(new QLabel(tr("Page: ")), "StatusPanel0");
    StatusPanel0->setFixedWidth(50);
    StatusPanel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusPanel1 = named(new QLabel, "StatusPanel1");
    StatusPanel1->setMinimumWidth(50);
    StatusPanel1->setTextFormat(Qt::PlainText);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setFixedHeight(kStatusBarHeight);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);

    setTabOrder(PageControl1, TntButton1);
    setTabOrder(TntButton1, PageControl2);
    setTabOrder(PageControl2, TntEdit1);
    setTabOrder(TntEdit1, TntButton2);
    setTabOrder(TntButton2, TntButton3);
    setTabOrder(TntButton3, TntButton4);
    setTabOrder(TntButton4, TntButton5);
    setTabOrder(TntButton5, TntButton6);
    setTabOrder(TntButton6, TntComboBox1);
    setTabOrder(TntComboBox1, CheckBox1);
}

void TMainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->setToolTip(tr("File related commands"));
    FileExit1 = named(new QAction(tr("E&xit"), this), "FileExit1");
    FileExit1->setToolTip(tr("Exit|Exit application"));
    FileExit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    file->addAction(FileExit1);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    Action11 = named(new QAction(tr("Font"), this), "Action11");
    view->addAction(Action11);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->setToolTip(tr("Help topics"));
    HelpAbout1 = named(new QAction(tr("&About..."), this), "HelpAbout1");
    help->addAction(HelpAbout1);
}

void TMainForm::connectHandlers() {
    connect(TntListBox1, &ListBox::userSelected, this, [this] { guarded([&] { TntListBox1Click(); }); });
    connect(TntListBox2, &ListBox::userSelected, this, [this] { guarded([&] { TntListBox2Click(); }); });
    connect(TntEdit1, &QLineEdit::textChanged, this, [this] { guarded([&] { TntEdit1Change(); }); });
    connect(TntButton1, &QPushButton::clicked, this, [this] { guarded([&] { TntButton1Click(); }); });
    for (const auto& [button, handler] : {std::pair{TntButton2, &TMainForm::TntButton2Click},
                                          std::pair{TntButton3, &TMainForm::TntButton3Click},
                                          std::pair{TntButton4, &TMainForm::TntButton4Click},
                                          std::pair{TntButton5, &TMainForm::TntButton5Click},
                                          std::pair{TntButton6, &TMainForm::TntButton6Click}}) {
        connect(button, &QPushButton::clicked, this, [this, h = handler] { guarded([&] { (this->*h)(); }); });
    }
    // Every choice the reader makes counts, the same entry twice too ("activated", not "changed").
    connect(TntComboBox1, &QComboBox::activated, this, [this] { guarded([&] { TntComboBox1Select(); }); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { guarded([&] { CheckBox1Click(); }); });
    connect(FileExit1, &QAction::triggered, this, [this] { guarded([&] { FileExit1Execute(); }); });
    connect(Action11, &QAction::triggered, this, [this] { guarded([&] { FontSelectExecute(); }); });
    connect(HelpAbout1, &QAction::triggered, this, [this] { guarded([&] { HelpAbout1Execute(); }); });
    connect(Image1, &PageImageView::clicked, this, [this] { guarded([&] { Image1Click(); }); });
    connect(Image1, &PageImageView::decodeFailed, this, [this](const QString& message) { reportError(message); });

    // A page control hides the page that leaves the front and shows the one that comes to it.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        guarded([&] {
            if (m_frontPage1 == 0) TabSheet1Hide(); else TabSheet2Hide();
            m_frontPage1 = page;
            if (page == 0) TabSheet1Show(); else TabSheet2Show();
        });
    });
    connect(PageControl2, &QTabWidget::currentChanged, this, [this](int page) {
        guarded([&] {
            if (m_frontPage2 == 0) TabSheet3Hide(); else TabSheet4Hide();
            m_frontPage2 = page;
            if (page == 0) TabSheet3Show(); else TabSheet4Show();
        });
    });
}

void TMainForm::layoutClient() {
    const QSize area = MDIClient->viewport()->size();
    Client->setGeometry(0, 0, area.width(), area.height());
    ToolBar2->setGeometry(0, 0, area.width(), kToolBarHeight);
    const int pagesHeight = std::max(0, area.height() - kPagesTop - kMargin);
    PageControl1->setGeometry(kMargin, kPagesTop, kLeftPagesWidth, pagesHeight);
    PageControl2->setGeometry(kRightPagesLeft, kPagesTop, std::max(0, area.width() - kRightPagesLeft - kMargin),
                              pagesHeight);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MDIClient->viewport() && event->type() == QEvent::Resize) {
        layoutClient();
    } else if (watched == TntEdit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        guarded([&] { TntEdit1KeyDown(key); });
        // The key goes on to the field as usual.
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_startupError.isEmpty() && !m_startupErrorShown) {
        m_startupErrorShown = true;
        // After the window is on screen, so the box has a parent to stand over.
        QTimer::singleShot(0, this, [this] { reportError(m_startupError); });
    }
}

void TMainForm::reportError(const QString& message) {
    if (m_errorReporter) m_errorReporter(message);
}

void TMainForm::LoadFile(const QString& fileName) {
    std::shared_ptr<const Dictionary> dictionary;
    if (m_unit.pendingText.valid() && m_unit.pendingText.fileName() == fileName) {
        PendingText pending = std::move(m_unit.pendingText);
        dictionary = std::make_shared<Dictionary>(pending.take(), fileName);
    } else {
        dictionary = Dictionary::load(fileName);
    }
    if (!dictionary->opened()) m_startupError = dictionary->openError();
    openText(std::move(dictionary), m_unit.folder);
}

void TMainForm::openText(std::shared_ptr<const Dictionary> dictionary, const QString& folder) {
    m_unit.dictionary = std::move(dictionary);
    m_unit.folder = folder;
    m_unit.HitOffsets.clear();
    m_unit.EntryBuffer.clear();
    m_unit.DecodedText.clear();
    m_unit.LastImage.clear();
    hitListModel->clear();
    hitCountLabel->clear();
    TntRichEdit1->document()->clear();
    m_markPositions.clear();
    m_shownEntry.reset();
    m_shownPage.clear();
    m_lastSearch.reset();
    StatusPanel1->clear();
    Image1->setPicture(nullptr);
    emit textOpened();
}

void TMainForm::Wordlist() {
    wordListModel->setSource(m_unit.dictionary);
}

const HeadwordLookup& TMainForm::lookup() const {
    const auto matching = looseMatching() ? HeadwordLookup::Matching::Loose : HeadwordLookup::Matching::Locale;
    return m_unit.dictionary->lookup(matching, wordListModel->sorted());
}

void TMainForm::TabSheet1Show() { TntListBox1->setVisible(true); }
void TMainForm::TabSheet1Hide() { TntListBox1->setVisible(false); }
void TMainForm::TabSheet2Show() { TntListBox2->setVisible(true); }
void TMainForm::TabSheet2Hide() { TntListBox2->setVisible(false); }
void TMainForm::TabSheet3Show() { TntRichEdit1->setVisible(true); }
void TMainForm::TabSheet3Hide() { TntRichEdit1->setVisible(false); }

} // namespace wordhoard
