// Copying: the shown entry with a citation line, and the selected headword of a list.
#include "aids/ReadingAids.h"

#include "display/Citation.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"
#include "window/ListBox.h"
#include "window/MainForm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>

namespace wordhoard {

void ReadingAids::addCopying() {
    m_copyCitation = addAction(nullptr, QStringLiteral("Copy Entry with &Citation"), "CopyEntryWithCitation",
                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, [this] { copyEntryWithCitation(); });
    // The pane's own Ctrl+C copies its selection as before; in a list, Ctrl+C copies the line.
    for (ListBox* list : {m_form.TntListBox1, m_form.TntListBox2}) {
        addAction(nullptr, QStringLiteral("Copy Headword"), list == m_form.TntListBox1 ? "CopyHeadword1" : "CopyHeadword2",
                  {QKeySequence(Qt::CTRL | Qt::Key_C)}, [this, list] { copyHeadword(list); }, Qt::WidgetShortcut, list)
            ->setProperty(kWhere, QStringLiteral("in a list"));
    }
    m_listed.pop_back(); // one line in Help for both lists

    QTextEdit* pane = m_form.TntRichEdit1;
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& at) {
        QMenu* menu = createTextPaneMenu();
        menu->exec(pane->viewport()->mapToGlobal(at));
        delete menu;
    });
}

QMenu* ReadingAids::createTextPaneMenu() {
    // The pane's own items (Copy, Select All) keep their place and work as before.
    QMenu* menu = m_form.TntRichEdit1->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("TextPaneMenu"));
    menu->addSeparator();
    menu->addAction(m_copyCitation);
    return menu;
}

bool ReadingAids::copyEntryWithCitation() {
    if (!m_shown) return false;
    const MainUnit& unit = m_form.unit();
    const QString headword = decodeEntityBytes(rawHeadword(*unit.text, *m_shown));
    QGuiApplication::clipboard()->setText(
        citedEntry(m_form.TntRichEdit1->document()->toPlainText(), headword, m_form.StatusPanel1->text()));
    return true;
}

bool ReadingAids::copyHeadword(const ListBox* list) {
    const int row = list->selectedRow();
    if (row < 0) return false;
    // The line as the list shows it.
    QGuiApplication::clipboard()->setText(list->model()->index(row, 0).data(Qt::DisplayRole).toString());
    return true;
}

} // namespace wordhoard
