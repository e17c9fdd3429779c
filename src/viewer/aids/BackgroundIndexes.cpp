// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aids/BackgroundIndexes.h"

#include "Dictionary.h"
#include "window/MainForm.h"

#include <QEvent>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

namespace wordhoard {

BackgroundIndexes::BackgroundIndexes(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("BackgroundIndexes"));
    m_form.installEventFilter(this);
    connect(&m_form, &TMainForm::textOpened, this, [this] {
        if (m_painted) start();
    });
}

BackgroundIndexes::~BackgroundIndexes() = default;

bool BackgroundIndexes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form && event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        m_form.removeEventFilter(this);
        // Once the painted frame is on its way, not in the middle of it.
        QTimer::singleShot(0, this, [this] { start(); });
    }
    return QObject::eventFilter(watched, event);
}

void BackgroundIndexes::start() {
    std::shared_ptr<const Dictionary> dictionary = m_form.unit().dictionary;
    if (!dictionary || !dictionary->opened() || m_started.lock() == dictionary) return;
    m_started = dictionary;
    QPointer<BackgroundIndexes> self(this);
    QThreadPool::globalInstance()->start([self, dictionary = std::move(dictionary)] {
        // What the core throws stays on this thread: the first use on the window's thread makes
        // it again and reports the error there.
        const auto make = [&](bool links) {
            try {
                links ? static_cast<void>(dictionary->links()) : static_cast<void>(dictionary->forms());
            } catch (...) {
                return;
            }
            QMetaObject::invokeMethod(
                self, [self, d = std::weak_ptr<const Dictionary>(dictionary), links] {
                    if (self) self->finished(d, links);
                },
                Qt::QueuedConnection);
        };
        make(false);
        make(true);
    });
}

void BackgroundIndexes::finished(const std::weak_ptr<const Dictionary>& dictionary, bool links) {
    if (dictionary.lock() != m_form.unit().dictionary) return;
    links ? emit linksReady() : emit formsReady();
}

} // namespace wordhoard
