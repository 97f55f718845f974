#pragma once
// The file formats a picture is saved in: the filter each one offers in the
// picture dialog, its file suffix and its encoder. Adding a format is adding
// a row to the table in picture_formats.cpp.

#include <QString>
#include <span>
#include <string>

#include "qt/qt_bitmap.h"

namespace orbisk {

struct PictureFormat {
  const char* caption;                // the filter as the dialog shows it
  const char* suffix;                 // lower case, without the dot
  std::string (QtBitmap::*encode)();  // the file's bytes
  bool replayed;                      // drawn again from the picture's calls (a vector file)
};

// Every format; the first, BMP, is the default.
std::span<const PictureFormat> PictureFormats();

// The format whose suffix ends path (in any case), else the default.
const PictureFormat& PictureFormatOf(const QString& path);

// The format of a name filter of the picture dialog, given in full or as the
// dialog shows it; else the default.
const PictureFormat& PictureFormatOfFilter(const QString& filter);

// The name filter of format: its caption, then the pattern that the dialog
// hides and matches by.
QString PictureFilter(const PictureFormat& format);

// path with the suffix of format appended, unless path ends in it already.
QString WithPictureSuffix(const QString& path, const PictureFormat& format);

}  // namespace orbisk
