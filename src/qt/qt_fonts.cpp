#include "qt/qt_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <mutex>
#include <tuple>

namespace orbisk {

namespace {

// A Windows face, the plain face it stands for, and that face's metric twin.
struct FaceFamily {
  const char* cyrillic;
  const char* plain;
  const char* twin;
};

constexpr FaceFamily kFaces[] = {
    {"Arial Cyr", "Arial", "Liberation Sans"},
    {"Times New Roman Cyr", "Times New Roman", "Liberation Serif"},
    {"Courier New Cyr", "Courier New", "Liberation Mono"},
};

// Sizes outside this range are clamped: a font cannot be empty, and a huge
// one only costs memory.
constexpr int kMaxPixelSize = 4096;

}  // namespace

void InstallFontSubstitutions(const QString& family) {
  // A row at a time, when a font first names one of its faces: each lookup
  // of a face that is not installed asks fontconfig for its aliases, which a
  // batch picture that only names one face need not wait for.
  static std::once_flag once[std::size(kFaces)];
  for (std::size_t row = 0; row < std::size(kFaces); ++row) {
    const FaceFamily& face = kFaces[row];
    if (family.compare(QLatin1String(face.cyrillic), Qt::CaseInsensitive) != 0 &&
        family.compare(QLatin1String(face.plain), Qt::CaseInsensitive) != 0) {
      continue;
    }
    std::call_once(once[row], [&face] {
      // Installed families are looked up by name: QFontDatabase::hasFamily
      // first has fontconfig run every rule of its configuration over the
      // name, a tenth of a batch picture's time.
      const QStringList installed = QFontDatabase::families();
      auto isInstalled = [&installed](const char* name) {
        return installed.contains(QLatin1String(name), Qt::CaseInsensitive);
      };
      QStringList targets;
      if (isInstalled(face.plain)) {
        targets << face.plain;
      } else if (isInstalled(face.twin)) {
        QFont::insertSubstitution(face.plain, face.twin);
        targets << face.twin;
      } else {
        targets << face.plain;  // leave the choice to fontconfig's aliases
      }
      QFont::insertSubstitutions(face.cyrillic, targets);
    });
  }
}

QString PlainStyleName(const QString& family, bool bold, bool italic) {
  // Closest by italic, then bold, then weight (Normal or Bold), then the
  // shortest name: the plain style's name is the shortest of its variants.
  const int weight = bold ? QFont::Bold : QFont::Normal;
  QString best;
  std::tuple<bool, bool, int, qsizetype> bestRank{};
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont font = QFontDatabase::font(family, style, 12);
    const std::tuple<bool, bool, int, qsizetype> rank{font.italic() != italic, font.bold() != bold,
                                                      std::abs(font.weight() - weight), style.size()};
    if (best.isEmpty() || rank < bestRank) {
      best = style;
      bestRank = rank;
    }
  }
  return best;
}

QFont ToQFont(const FontSpec& wanted) {
  const QString family = QString::fromStdString(wanted.name);
  InstallFontSubstitutions(family);
  QFont font(family);
  long pixels = std::lround(wanted.size * 96.0 / 72.0);
  font.setPixelSize(static_cast<int>(std::clamp<long>(pixels, 1, kMaxPixelSize)));
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  font.setStrikeOut(wanted.strikeOut);
  // Name the face actually used, so that an SVG written from this font names
  // a face that other programs find too.
  font.setFamily(QFontInfo(font).family());
  return font;
}

void PrepareFont(const FontSpec& wanted) { (void)ToQFont(wanted); }

}  // namespace orbisk
