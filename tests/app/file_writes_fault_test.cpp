// Every file the main window writes, when the write fails: a folder that may
// not be written, a folder where the file should go, a disk that fills
// part-way. The old file stays byte for byte, no temporary file is left, the
// user sees the message, and the next command works.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "platform/error.h"
#include "support/write_faults.h"

namespace orbisk::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "the previous file\r\n";

class FileWriteFaults;

struct Writer {
  const char* name;
  // Bytes written beyond this before the disk fills: half-way for files
  // larger than one write piece.
  std::size_t failAfter;
  // Runs the command writing to path.
  std::function<void(FileWriteFaults&, const std::string& path)> run;
};

class FileWriteFaults : public MainWindowTest {
 protected:
  // What the user sees: the message of an error reaching the default handler,
  // else every message box shown; empty when the command went through.
  std::string Outcome(const Writer& writer, const std::string& path) {
    const std::size_t shown = ui.messages.size() + ui.errors.size();
    try {
      writer.run(*this, path);
    } catch (const Error& error) {
      return error.what();
    }
    std::string text;
    for (std::size_t k = shown; k < ui.messages.size() + ui.errors.size(); ++k) {
      text += k < ui.messages.size() ? ui.messages[k] : ui.errors[k - ui.messages.size()];
    }
    return text;
  }

  fs::path Folder(const std::string& name) {
    fs::path folder = dir.path() / name;
    fs::create_directory(folder);
    return folder;
  }

  // A source file for the delimiter tool, larger than one write piece.
  std::string DelimiterSource() {
    std::string text;
    while (text.size() <= 2 * kWritePiece) text += "1.5;2,5\n";
    return File("source.txt", text);
  }

  // The commands that write a file, each run from the menu.
  static std::vector<Writer> Writers() {
    return {
        {"Save Cyl Data", kWritePiece,
         [](FileWriteFaults& t, const std::string& path) {
           if (t.main->Grid().NFi == 0) t.main->mnNewCylDataClick();  // a 100 x 100 grid
           t.WithFile(path, [&] { t.main->mnSaveCylDataClick(); });
         }},
        {"Generate 3d data", kWritePiece,
         [](FileWriteFaults& t, const std::string& path) { t.WithFile(path, [&] { t.main->mnGenerateClick(); }); }},
        {"Generate Polar data", 0,  // 157 short lines: the first piece fails
         [](FileWriteFaults& t, const std::string& path) { t.WithFile(path, [&] { t.main->GenPolar1Click(); }); }},
        {"Replace delimiter", kWritePiece,
         [](FileWriteFaults& t, const std::string& path) {
           std::string source = t.dir.File("source.txt");
           t.ui.fileAnswers.push_back(source);
           t.ui.fileAnswers.push_back(path);
           t.main->mnToolsDelimiterPexCClick();
         }},
    };
  }
};

TEST_F(FileWriteFaults, UnwritableFolderKeepsWhatWasThere) {
  DelimiterSource();
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    fs::path folder = Folder(std::string("ro-") + writer.name);
    WriteFile((folder / "out.dat").string(), kOld);
    UnwritableTarget target(folder, "out.dat");
    const auto before = FolderContent(folder);
    EXPECT_EQ(Outcome(writer, target.path()), "Не могу создать файл " + target.path());
    EXPECT_EQ(FolderContent(folder), before);
  }
}

TEST_F(FileWriteFaults, FolderInPlaceOfTheFileStays) {
  DelimiterSource();
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    fs::path folder = Folder(std::string("dir-") + writer.name);
    fs::create_directory(folder / "out.dat");
    WriteFile((folder / "out.dat" / "inside.txt").string(), kOld);
    const std::string path = (folder / "out.dat").string();
    EXPECT_EQ(Outcome(writer, path), "Не могу создать файл " + path);
    EXPECT_EQ(FolderContent(folder / "out.dat"), (std::map<std::string, std::string>{{"inside.txt", kOld}}));
    EXPECT_EQ(FolderContent(folder).size(), 1u);
  }
}

TEST_F(FileWriteFaults, FullDiskKeepsTheOldFileAndTheNextWriteWorks) {
  DelimiterSource();
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    fs::path folder = Folder(std::string("full-") + writer.name);
    const std::string path = (folder / "out.dat").string();
    WriteFile(path, kOld);
    {
      DiskFull disk(writer.failAfter);
      EXPECT_EQ(Outcome(writer, path), "Stream write error");
    }
    EXPECT_EQ(FolderContent(folder), (std::map<std::string, std::string>{{"out.dat", kOld}}));

    // The program goes on: the same command now replaces the file.
    EXPECT_EQ(Outcome(writer, path), "");
    const std::string written = ReadFile(path);
    EXPECT_GT(written.size(), writer.failAfter);
    EXPECT_EQ(FolderContent(folder).size(), 1u);
  }
}

// The settings file, written when the main window is destroyed.
class SettingsWriteFaults : public ::testing::Test {
 protected:
  // One run on the settings file at path that changes a setting; returns the
  // error boxes shown when the window was destroyed.
  std::vector<std::string> RunChanging(const std::string& path, const std::string& openedFile) {
    FakeUi ui;
    FakeBitmap bitmap;
    FakeDialogs dialogs;
    FileRegistry registry(path);
    TfmMain main(ui, bitmap, registry, dialogs);
    main.FormCreate();
    ui.fileAnswers.push_back(openedFile);  // a missing file: the load fails, the name stays
    EXPECT_THROW(main.mnFileLoad3dClick(), FileError);
    main.FormDestroy();
    return ui.errors;
  }

  // The OpenDialog name a new run starts with.
  std::string OpenedFileAtStart(const std::string& path) {
    FakeUi ui;
    FakeBitmap bitmap;
    FakeDialogs dialogs;
    FileRegistry registry(path);
    TfmMain main(ui, bitmap, registry, dialogs);
    main.FormCreate();
    return main.OpenDialogName();
  }

  TempDir dir;
};

TEST_F(SettingsWriteFaults, UnwritableFolderKeepsTheStoredSettings) {
  const std::string path = dir.File("Kelvaro.reg");
  ASSERT_TRUE(RunChanging(path, "first.dat").empty());
  std::vector<std::string> errors;
  std::map<std::string, std::string> before;
  std::string target;
  {
    UnwritableTarget unwritable(dir.path(), "Kelvaro.reg");
    target = unwritable.path();
    before = FolderContent(dir.path());
    errors = RunChanging(target, "second.dat");
    EXPECT_EQ(FolderContent(dir.path()), before);
  }
  if (target == path) {  // a read-only folder: the first value is refused
    EXPECT_EQ(errors, std::vector<std::string>{"Failed to set data for 'OpenedFile'"});
  } else {  // no key can be created under a file: nothing written, nothing shown
    EXPECT_TRUE(errors.empty());
  }
  EXPECT_EQ(OpenedFileAtStart(path), "first.dat");
}

TEST_F(SettingsWriteFaults, FolderInPlaceOfTheFileStays) {
  const std::string path = dir.File("Kelvaro.reg");
  fs::create_directory(path);
  WriteFile(dir.File("Kelvaro.reg/inside.txt"), kOld);
  EXPECT_TRUE(RunChanging(path, "second.dat").empty());  // the key cannot be opened: silent
  EXPECT_EQ(FolderContent(path), (std::map<std::string, std::string>{{"inside.txt", kOld}}));
  EXPECT_EQ(OpenedFileAtStart(path), "");
}

TEST_F(SettingsWriteFaults, FullDiskKeepsTheOldFileAndTheNextRunSavesAgain) {
  const std::string path = dir.File("Kelvaro.reg");
  ASSERT_TRUE(RunChanging(path, "first.dat").empty());
  const std::string old = ReadFile(path);
  {
    DiskFull disk(0);
    EXPECT_EQ(RunChanging(path, "second.dat"), std::vector<std::string>{"Stream write error"});
  }
  EXPECT_EQ(FolderContent(dir.path()), (std::map<std::string, std::string>{{"Kelvaro.reg", old}}));
  EXPECT_EQ(OpenedFileAtStart(path), "first.dat");
  EXPECT_TRUE(RunChanging(path, "third.dat").empty());
  EXPECT_EQ(OpenedFileAtStart(path), "third.dat");
}

}  // namespace
}  // namespace orbisk::testing
