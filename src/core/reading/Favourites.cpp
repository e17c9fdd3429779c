// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading/Favourites.h"

#include "text/CodePage.h"
#include "text/EntityDecoding.h"
#include "text/EntryIndex.h"

#include <algorithm>

namespace wordhoard {

namespace {

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString percent(const QByteArray& bytes) { return QString::fromLatin1(bytes.toPercentEncoding()); }

QByteArray unpercent(QStringView field) { return QByteArray::fromPercentEncoding(field.toLatin1()); }

// A field as CSV writes it: quoted when it holds a comma, a quote or a line break.
QString csvField(const QString& field) {
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r')) {
        return field;
    }
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString headwordOf(const Favourite& favourite) { return decodeEntityBytes(favourite.place.headword); }

} // namespace

std::optional<std::size_t> Favourites::find(std::int32_t start) const {
    const auto at = std::find_if(m_list.begin(), m_list.end(),
                                 [&](const Favourite& f) { return f.found && f.place.start == start; });
    if (at == m_list.end()) return std::nullopt;
    return static_cast<std::size_t>(at - m_list.begin());
}

bool Favourites::toggle(const TMapTextfile& text, const EntryIndex& index, std::int32_t start, const QDateTime& now) {
    if (const auto at = find(start)) {
        remove(*at);
        return false;
    }
    std::optional<EntryPlace> place = placeOf(index, start);
    if (!place) return false;
    Favourite favourite;
    favourite.place = std::move(*place);
    favourite.page = pageNameBefore(text, start - 4);
    favourite.added = now.toUTC();
    m_list.push_back(std::move(favourite));
    return true;
}

void Favourites::remove(std::size_t at) {
    if (at < m_list.size()) m_list.erase(m_list.begin() + static_cast<std::ptrdiff_t>(at));
}

void Favourites::setNote(std::size_t at, const QString& note) {
    if (at < m_list.size()) m_list[at].note = oneLine(note);
}

void Favourites::check(const TMapTextfile& text, const EntryFinder& finder) {
    for (Favourite& favourite : m_list) {
        const std::optional<std::int32_t> start = finder.find(favourite.place);
        favourite.found = start.has_value();
        if (!start || *start == favourite.place.start) continue;
        favourite.place.start = *start;
        favourite.page = pageNameBefore(text, *start - 4);
    }
}

QString Favourites::encode() const {
    QString out;
    for (const Favourite& f : m_list) {
        out += QString::number(f.place.start) + u'\t' + percent(f.place.headword) + u'\t' + percent(f.page) + u'\t' +
               f.added.toUTC().toString(Qt::ISODate) + u'\t' + percent(f.note.toUtf8()) + u'\n';
    }
    return out;
}

Favourites Favourites::decode(QStringView encoded, int* skipped) {
    Favourites favourites;
    int bad = 0;
    for (const QStringView line : encoded.split(u'\n', Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = line.split(u'\t');
        bool ok = fields.size() == 5;
        Favourite f;
        if (ok) f.place.start = fields[0].toInt(&ok);
        if (ok) {
            f.place.headword = unpercent(fields[1]);
            f.page = unpercent(fields[2]);
            f.added = QDateTime::fromString(fields[3].toString(), Qt::ISODate);
            f.note = oneLine(QString::fromUtf8(unpercent(fields[4])));
            ok = f.place.start >= 4 && f.added.isValid();
        }
        if (!ok) {
            ++bad;
            continue;
        }
        f.added = f.added.toUTC();
        favourites.m_list.push_back(std::move(f));
    }
    if (skipped) *skipped = bad;
    return favourites;
}

QString Favourites::toPlainText() const {
    QString out;
    for (const Favourite& f : m_list) {
        out += QStringLiteral("%1 (%2, %3)")
                   .arg(headwordOf(f), widen(f.page), f.added.toLocalTime().date().toString(Qt::ISODate));
        if (!f.note.isEmpty()) out += QStringLiteral(": ") + f.note;
        out += u'\n';
    }
    return out;
}

QString Favourites::toCsv() const {
    QString out = QStringLiteral("Headword,Page,Added,Note\r\n");
    for (const Favourite& f : m_list) {
        out += csvField(headwordOf(f)) + u',' + csvField(widen(f.page)) + u',' +
               f.added.toUTC().toString(Qt::ISODate) + u',' + csvField(f.note) + QStringLiteral("\r\n");
    }
    return out;
}

} // namespace wordhoard
