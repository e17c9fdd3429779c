// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Accessible names and descriptions for the window's controls, so that a screen reader can say
// what each one is and holds: the lists say what they list, the palette's buttons name their
// letter, and the page picture names its page (or says why there is none).
#include "aids/ReaderMemory.h"

#include "window/ListBox.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace wordhoard {

namespace {

// The page picture as assistive technology sees it: a graphic named after its page (Load_Image
// names it), or what it says when it has none.
class PagePictureAccessible : public QAccessibleWidget {
public:
    explicit PagePictureAccessible(PageImageView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    QString text(QAccessible::Text which) const override {
        const auto* view = static_cast<const PageImageView*>(widget());
        if (which == QAccessible::Name) {
            if (view->picture()) return view->accessibleName();
            if (!view->notice().isEmpty()) return view->notice();
            return ReaderMemory::tr("No scanned page shown");
        }
        if (which == QAccessible::Description) {
            return ReaderMemory::tr("The printed page as scanned; a click switches between its natural size and a "
                                    "view fitted to the tab");
        }
        return QAccessibleWidget::text(which);
    }
};

QAccessibleInterface* pagePictureFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(PageImageView::staticMetaObject.className()) && object && object->isWidgetType()) {
        return new PagePictureAccessible(static_cast<PageImageView*>(object));
    }
    return nullptr;
}

void describe(QWidget* widget, const QString& name, const QString& description = {}) {
    if (!name.isEmpty()) widget->setAccessibleName(name);
    if (!description.isEmpty()) widget->setAccessibleDescription(description);
}

} // namespace

void ReaderMemory::nameControls() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pagePictureFactory);
        return true;
    }();
    (void)factoryInstalled;

    TMainForm& f = m_form;
    describe(f.searchField(), tr("Headword or search term"),
             tr("Typing looks the headword up in the word list; Enter searches the whole text"));
    describe(f.TntButton1, {}, tr("Searches the whole text for the term in the search field"));
    describe(f.CheckBox1, {}, tr("Sorting the word list is not available"));
    const struct {
        QPushButton* button;
        const char* name;
        char16_t typed; // the yogh button shows the small letter and types the capital
    } letters[] = {{f.TntButton2, QT_TR_NOOP("Letter thorn"), 0x00FE}, {f.TntButton3, QT_TR_NOOP("Letter eth"), 0x00F0},
                   {f.TntButton4, QT_TR_NOOP("Letter ash"), 0x00E6},   {f.TntButton5, QT_TR_NOOP("Letter oe"), 0x0153},
                   {f.TntButton6, QT_TR_NOOP("Letter yogh"), 0x021C}};
    for (const auto& letter : letters) {
        describe(letter.button, tr(letter.name), tr("Adds %1 to the search field").arg(QChar(letter.typed)));
    }
    describe(f.TntComboBox1, tr("Letter palette"), tr("Adds the letter chosen to the search field"));
    describe(f.TntComboBox1->lineEdit(), tr("Letter palette"), tr("Adds the letter chosen to the search field"));
    describe(f.TntComboBox1->view(), tr("Letters"));
    describe(f.listTabs(), tr("Lists"), tr("The word list and the search hits"));
    describe(f.listTabs()->tabBar(), tr("Lists"));
    describe(f.entryTabs(), tr("Entry views"), tr("The entry's text and its scanned page"));
    describe(f.entryTabs()->tabBar(), tr("Entry views"));
    describe(f.wordList(), tr("Word list"), tr("Every headword of the dictionary, in the order of the text"));
    describe(f.hitList(), tr("Search hits"),
             tr("The entries the full-text search found, each with its page and the text around the match"));
    describe(f.entryPane(), tr("Entry text"), tr("The entry shown, headword first"));
    describe(f.pageScroller(), tr("Scanned page"),
             tr("Page Down and Page Up turn the pages; W fits the page to the width"));

    PageImageView* picture = f.pagePicture();
    connect(picture, &PageImageView::pictureChanged, this, [picture] {
        if (!QAccessible::isActive()) return;
        QAccessibleEvent event(picture, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    });
}

} // namespace wordhoard
