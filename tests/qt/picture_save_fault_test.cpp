// Saving the picture as BMP, PNG or SVG when the write fails: a folder that
// may not be written, a folder where the file should go, a disk that fills.
// The old file stays byte for byte, no temporary file is left, the error
// carries the user's message, and the next save works.

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "platform/error.h"
#include "qt/qt_bitmap.h"
#include "qt_test_app.h"
#include "support/temp_dir.h"
#include "support/write_faults.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;
using testing::FolderContent;
using testing::ReadFile;
using testing::WriteFile;

const std::string kOld = "the previous picture";

struct Format {
  const char* extension;
  std::size_t failAfter;  // half-way for a file larger than one write piece
};

// A 500 x 300 BMP takes ~450 KB; the compressed formats fit in one piece.
const Format kFormats[] = {{".bmp", testing::kWritePiece}, {".png", 0}, {".svg", 0}};

class PictureSaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQtApp();
    Canvas& canvas = bitmap.GetCanvas();
    canvas.SetPen(0x0000ff, 2);
    canvas.MoveTo(10, 10);
    canvas.LineTo(490, 290);
  }

  // The message of the error the save raised; empty when it went through.
  std::string Outcome(const std::string& path) {
    try {
      bitmap.SaveToFile(path);
    } catch (const FileError& error) {
      return error.what();
    }
    return "";
  }

  fs::path Folder(const std::string& name) {
    fs::path folder = dir.path() / name;
    fs::create_directory(folder);
    return folder;
  }

  testing::TempDir dir;
  QtBitmap bitmap{500, 300};
};

TEST_F(PictureSaveFaults, UnwritableFolderKeepsWhatWasThere) {
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.extension);
    fs::path folder = Folder(std::string("ro") + format.extension);
    WriteFile((folder / ("map" + std::string(format.extension))).string(), kOld);
    testing::UnwritableTarget target(folder, "map" + std::string(format.extension));
    const auto before = FolderContent(folder);
    EXPECT_EQ(Outcome(target.path()), "Не могу создать файл " + target.path());
    EXPECT_EQ(FolderContent(folder), before);
  }
}

TEST_F(PictureSaveFaults, FolderInPlaceOfTheFileStays) {
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.extension);
    const fs::path path = Folder(std::string("dir") + format.extension) / ("map" + std::string(format.extension));
    fs::create_directory(path);
    WriteFile((path / "inside.txt").string(), kOld);
    EXPECT_EQ(Outcome(path.string()), "Не могу создать файл " + path.string());
    EXPECT_EQ(FolderContent(path), (std::map<std::string, std::string>{{"inside.txt", kOld}}));
  }
}

TEST_F(PictureSaveFaults, FullDiskKeepsTheOldFileAndTheNextSaveWorks) {
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.extension);
    const fs::path folder = Folder(std::string("full") + format.extension);
    const std::string name = "map" + std::string(format.extension);
    const std::string path = (folder / name).string();
    WriteFile(path, kOld);
    {
      testing::DiskFull disk(format.failAfter);
      EXPECT_EQ(Outcome(path), "Stream write error");
    }
    EXPECT_EQ(FolderContent(folder), (std::map<std::string, std::string>{{name, kOld}}));

    EXPECT_EQ(Outcome(path), "");
    EXPECT_GT(ReadFile(path).size(), format.failAfter);
    EXPECT_EQ(FolderContent(folder).size(), 1u);
  }
}

}  // namespace
}  // namespace orbisk
