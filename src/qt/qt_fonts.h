#pragma once
// Label fonts on Linux: the Windows face names that the settings carry
// ("Arial Cyr" by default) resolve through font substitutions to the same face
// or to its metric-compatible Liberation twin, never to an arbitrary default.

#include <QFont>

#include "platform/canvas.h"

namespace orbisk {

// Registers, once per process, the substitutions for the Windows face that
// family names (its plain or its Cyrillic name, in any case); nothing for
// another family. Needs a QGuiApplication.
void InstallFontSubstitutions(const QString& family);

// The family's own name for its style that is bold and italic as asked and
// otherwise plain (e.g. "Book" for a regular DejaVu Sans, not "Condensed" or
// "ExtraLight"); empty when the family has no styles. A font dialog needs it
// to select the style: given no name, it takes the family's first style.
QString PlainStyleName(const QString& family, bool bold, bool italic);

// The QFont for a font description: the resolved family, pixel size = points * 96 / 72,
// style flags. Calls InstallFontSubstitutions for its family.
QFont ToQFont(const FontSpec& wanted);

// Looks up the face that ToQFont(wanted) resolves to (the font database and
// the face's engine), so that the first text drawn in it does not wait for
// them. Changes nothing that is drawn.
void PrepareFont(const FontSpec& wanted);

}  // namespace orbisk
