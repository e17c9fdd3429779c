// View > Loose Matching: the look-up, the full-text search and the marks in the shown entry
// compare letters folded (accents, length marks and case ignored, þ = ð, ƿ = w). Off at start.
#include "window/MainForm.h"

#include "search/HeadwordLookup.h"
#include "search/LooseSearch.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace wordhoard {

void TMainForm::buildLooseMatching() {
    auto* view = menuBar()->findChild<QMenu*>(QStringLiteral("View1"));
    view->addSeparator();
    LooseMatching1 = view->addAction(QStringLiteral("&Loose Matching"));
    LooseMatching1->setObjectName(QStringLiteral("LooseMatching1"));
    LooseMatching1->setCheckable(true);
    LooseMatching1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    LooseMatching1->setToolTip(QStringLiteral("Ignore accents, length marks and case; þ matches ð, ƿ matches w"));
    connect(LooseMatching1, &QAction::toggled, this, [this](bool on) { guarded([&] { setLooseMatching(on); }); });
}

void TMainForm::setLooseMatching(bool on) {
    if (LooseMatching1->isChecked() != on) LooseMatching1->setChecked(on); // raises this again
}

bool TMainForm::looseMatching() const { return LooseMatching1->isChecked(); }

const LooseIndex* TMainForm::looseIndex() const {
    return looseMatching() ? &m_unit.dictionary->looseIndex() : nullptr;
}

} // namespace wordhoard
