#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace wordhoard {

// Turns every whole entity token of `text` into its character and leaves everything else alone.
// A token runs from an '&' to the first ';' after it, whatever stands between:
//   "&aelig;t"       gives "æt"
//   "&amp;lt;"       gives "&lt;"   (the output is never rescanned)
//   "&x &thorn;"     stays as it is (the token "&x &thorn;" names no entity)
//   "a & b"          stays as it is (an '&' with no ';' keeps the rest unchanged)
QString decodeEntities(QStringView text);

// The same over raw dictionary bytes: decodeEntities(widen(bytes)), without the intermediate copy.
QString decodeEntityBytes(QByteArrayView bytes);
// Appends decodeEntityBytes(bytes) to `out` in place (the word list decodes 60,000 headwords so).
void appendDecodedEntityBytes(QString& out, QByteArrayView bytes);

} // namespace wordhoard
