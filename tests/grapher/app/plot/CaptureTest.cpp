// The capture's arithmetic and its failures without a viewer: a source that
// notes the view state it renders with, writers that fail, the size refusal,
// the PNG encoder and the first free picture name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "app/plot/MainU_Capture.h"
#include "app/plot/PngFile.h"

using namespace kx;

namespace {

class FakeSource : public TCaptureSource {
 public:
  int MaxPictureSide() override { return 4096; }
  void RenderToBitmap(TBitmap& bitmap, int dpi) override {
    seen = *view;
    seenDpi = dpi;
    ++renders;
    if (failRender) throw Exception("the frame failed");
    // A picture to write: red left half, blue right half.
    for (int y = 0; y < bitmap.Height(); ++y) {
      auto* row = static_cast<uint8_t*>(bitmap.ScanLine(y));
      for (int x = 0; x < bitmap.Width(); ++x, row += 3) {
        const bool left = x < bitmap.Width() / 2;
        row[0] = left ? 0 : 255, row[1] = static_cast<uint8_t>(y), row[2] = left ? 255 : 0;
      }
    }
  }
  void RepaintView() override { ++repaints; }
  const TViewState* view = nullptr;
  TViewState seen;
  int seenDpi = 0, renders = 0, repaints = 0;
  bool failRender = false;
};

class Capture : public ::testing::Test {
 protected:
  Capture() {
    view.ViewW = 611, view.ViewH = 400;
    view.CenterX = 305, view.CenterY = 200;
    view.OffsetX = 33, view.OffsetY = -17;
    view.ScaleX = 25, view.ScaleY = 12.5, view.AspectXY = 2;
    source.view = &view;
  }
  void ExpectScreenState() const {
    EXPECT_EQ(view.ViewW, 611);
    EXPECT_EQ(view.ViewH, 400);
    EXPECT_EQ(view.CenterX, 305);
    EXPECT_EQ(view.CenterY, 200);
    EXPECT_EQ(view.OffsetX, 33);
    EXPECT_EQ(view.OffsetY, -17);
    EXPECT_EQ(view.ScaleX, 25);
    EXPECT_EQ(view.ScaleY, 12.5);
  }
  TViewState view;
  FakeSource source;
};

// A folder of its own under the test's working folder, emptied and removed
// with the object.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) : path_(name) {
    Clear();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { Clear(); }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
  }

 private:
  void Clear() {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA(File(name).c_str());
        else
          DeleteFileA(File(name).c_str());
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST_F(Capture, APictureOf800By600FromA611By400ViewShowsTheSameRegionFitted) {
  const long double k = CaptureScale(view, 800, 600);
  EXPECT_EQ(k, 800.0L / 611);  // the smaller of 600 / 400 and 800 / 611
  EXPECT_NEAR(static_cast<double>(k), 1.3093, 1e-4);
  int written = 0;
  SaveCapture(view, source, "unused.png", 800, 600, [&](TBitmap& picture, const std::string& name) {
    EXPECT_EQ(picture.Width(), 800);
    EXPECT_EQ(picture.Height(), 600);
    EXPECT_EQ(picture.PixelFormat(), pf24bit);
    EXPECT_EQ(name, "unused.png");
    ++written;
  });
  EXPECT_EQ(written, 1);
  EXPECT_EQ(source.seen.ViewW, 800);
  EXPECT_EQ(source.seen.ViewH, 600);
  EXPECT_EQ(source.seen.CenterX, 400);
  EXPECT_EQ(source.seen.CenterY, 300);
  EXPECT_DOUBLE_EQ(source.seen.ScaleX, 25 * static_cast<double>(k));
  EXPECT_DOUBLE_EQ(source.seen.ScaleY, 12.5 * static_cast<double>(k));
  EXPECT_EQ(source.seen.OffsetX, 43);   // 33 * 1.309 = 43.2
  EXPECT_EQ(source.seen.OffsetY, -22);  // -17 * 1.309 = -22.3
  EXPECT_EQ(source.seenDpi, 126);       // 96 * 1.309 = 125.7
  // The screen's region spans the picture's width: the left edge of the
  // view stays the left edge of the picture.
  const double screenLeft = -(view.CenterX + view.OffsetX) / view.ScaleX;
  const double pictureLeft = -(source.seen.CenterX + source.seen.OffsetX) / source.seen.ScaleX;
  EXPECT_NEAR(pictureLeft, screenLeft, 0.5 / source.seen.ScaleX + 1.0 / view.ScaleX);
  ExpectScreenState();
  EXPECT_EQ(source.repaints, 0);  // in 2D nothing repaints
}

TEST_F(Capture, TwiceTheViewsSizeIsTwiceTheScale) {
  SaveCapture(view, source, "unused.png", 1222, 800, [](TBitmap&, const std::string&) {});
  EXPECT_EQ(source.seen.ScaleX, 50);
  EXPECT_EQ(source.seen.OffsetX, 66);
  EXPECT_EQ(source.seen.OffsetY, -34);
  EXPECT_EQ(source.seenDpi, 192);
  ExpectScreenState();
}

TEST_F(Capture, TheViewStateComesBackWhenWritingOrRenderingFails) {
  EXPECT_THROW(SaveCapture(view, source, "unused.png", 800, 600,
                           [](TBitmap&, const std::string&) { throw EWriteError("disk full"); }),
               EWriteError);
  EXPECT_EQ(source.seen.ScaleX, 25 * 800.0 / 611);  // it did render scaled
  ExpectScreenState();
  source.failRender = true;
  bool wrote = false;
  EXPECT_THROW(SaveCapture(view, source, "unused.png", 800, 600, [&](TBitmap&, const std::string&) { wrote = true; }),
               Exception);
  EXPECT_FALSE(wrote);
  ExpectScreenState();
}

TEST_F(Capture, In3DTheViewRepaintsBeforeAndAfter) {
  view.Is2DMode = false;
  source.failRender = true;
  EXPECT_THROW(SaveCapture(view, source, "unused.png", 800, 600, nullptr), Exception);
  EXPECT_EQ(source.repaints, 2);
  EXPECT_EQ(source.seen.ScaleX, 25);  // the 2D scale is not touched
  EXPECT_EQ(source.seen.ViewW, 800);
  ExpectScreenState();
}

TEST_F(Capture, ASizeTheViewerCannotRenderIsRefusedBeforeAnythingChanges) {
  for (const auto& [w, h] : {std::pair{0, 600}, {800, 0}, {-5, 600}, {800, -1}, {4097, 600}, {800, 4097}}) {
    bool wrote = false;
    EXPECT_THROW(SaveCapture(view, source, "unused.png", w, h, [&](TBitmap&, const std::string&) { wrote = true; }),
                 ECaptureSize)
        << w << " x " << h;
    EXPECT_FALSE(wrote);
  }
  EXPECT_EQ(source.renders, 0);
  EXPECT_EQ(source.repaints, 0);
  ExpectScreenState();
  EXPECT_TRUE(CaptureSizeAllowed(source, 1, 4096));
  try {
    SaveCapture(view, source, "unused.png", 0, 0);
  } catch (const ECaptureSize& e) {
    EXPECT_STREQ(e.what(), "Nhap sai kich thuoc");
  }
}

TEST_F(Capture, PicturesAreWrittenAsRgbPngTopRowFirst) {
  ScratchFolder folder("capture_png");
  const std::string file = folder.File("Pic0.png");
  SaveCapture(view, source, file, 64, 48);
  testsupport::Picture picture;
  ASSERT_TRUE(testsupport::LoadPng(file, picture));
  ASSERT_EQ(picture.width, 64);
  ASSERT_EQ(picture.height, 48);
  EXPECT_EQ(picture.At(0, 0), 0xFF0000u);    // red, row 0 at the top
  EXPECT_EQ(picture.At(63, 0), 0x0000FFu);   // blue
  EXPECT_EQ(picture.At(10, 47), 0xFF2F00u);  // green counts the rows from the top
  const std::string bytes = ReadAll(file);
  ASSERT_GT(bytes.size(), 26u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_EQ(bytes[24], 8);  // bit depth
  EXPECT_EQ(bytes[25], 2);  // colour type: RGB, no alpha
}

TEST_F(Capture, AFailedWriteKeepsTheOldFile) {
  ScratchFolder folder("capture_old");
  folder.Write("Pic0.png", "old picture");
  // A picture the encoder refuses (32 bits a pixel): nothing reaches the file.
  TBitmap wide;
  wide.SetPixelFormat(pf32bit);
  wide.SetSize(8, 8);
  EXPECT_THROW(SavePngFile(wide, folder.File("Pic0.png")), EWriteError);
  EXPECT_EQ(ReadAll(folder.File("Pic0.png")), "old picture");
  // A target that cannot be replaced (a folder): the picture is written
  // aside and never moved over it, and no temporary file stays.
  CreateDirectoryA(folder.File("Pic1.png").c_str(), nullptr);
  EXPECT_THROW(SaveCapture(view, source, folder.File("Pic1.png"), 32, 32), EStreamError);
  EXPECT_NE(GetFileAttributesA(folder.File("Pic1.png").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(folder.File("*.tmp").c_str(), &found);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  ExpectScreenState();
  // A folder that does not exist.
  EXPECT_THROW(SaveCapture(view, source, folder.File("missing\\Pic0.png"), 32, 32), EStreamError);
}

TEST(CaptureName, TheFirstFreeNumberFromZero) {
  ScratchFolder folder("capture_names");
  EXPECT_EQ(FirstFreePicName(folder.Path()), "Pic0");
  folder.Write("Pic0.png", "");
  folder.Write("Pic1.png", "");
  EXPECT_EQ(FirstFreePicName(folder.Path()), "Pic2");
  folder.Write("Pic3.png", "");
  EXPECT_EQ(FirstFreePicName(folder.Path()), "Pic2");
  folder.Write("Pic2.png", "");
  EXPECT_EQ(FirstFreePicName(folder.Path()), "Pic4");
}

TEST_F(Capture, ARightClickSavesAtTheViewsSizeALeftClickAsksForAName) {
  ScratchFolder folder("capture_button");
  folder.Write("Pic0.png", "");
  std::optional<testsupport::CurrentFolder> inFolder(std::in_place, folder.Path());
  std::vector<std::string> dialogs;
  TCaptureButton button(view, source, [&](const std::string& name) { dialogs.push_back(name); });
  // The skinned button: left press, release, then its click.
  button.MouseDown(mbLeft);
  button.Click();
  button.MouseUp(mbLeft);
  EXPECT_EQ(dialogs, std::vector<std::string>{"Pic1"});
  EXPECT_EQ(source.renders, 0);
  // Right: press and release, no click event.
  button.MouseDown(mbRight);
  EXPECT_TRUE(button.CaptureRightButton());
  EXPECT_EQ(source.renders, 0);
  button.MouseUp(mbRight);
  EXPECT_EQ(source.renders, 1);
  EXPECT_EQ(dialogs.size(), 1u);
  testsupport::Picture picture;
  const bool loaded = testsupport::LoadPng("Pic1.png", picture);
  inFolder.reset();
  ASSERT_TRUE(loaded);
  EXPECT_EQ(picture.width, 611);
  EXPECT_EQ(picture.height, 400);
  ExpectScreenState();
}
