// Colours, graphics objects, canvas drawing and pictures over GDI.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/core/FormResources.h"
#include "framework/windows/Graphics.h"
#include "framework/windows/ToolBars.h"
#include "TestSupport.h"

using namespace kx;

namespace {

TColor PixelOf(TBitmap& b, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(b.ScanLine(y));
  const int bpp = b.PixelFormat() == pf32bit ? 4 : 3;
  return static_cast<TColor>(RGB(row[x * bpp + 2], row[x * bpp + 1], row[x * bpp]));
}

std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color, TPixelFormat format = pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(format);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(RECT{0, 0, w, h});
  return b;
}

// A w x h JPEG of one colour per half (left, right).
std::vector<uint8_t> EncodeJpeg(int w, int h, COLORREF left, COLORREF right) {
  testsupport::Picture picture;
  picture.width = w;
  picture.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = x < w / 2 ? left : right;
      picture.pixels.push_back(unsigned(GetRValue(c)) << 16 | unsigned(GetGValue(c)) << 8 | GetBValue(c));
    }
  return testsupport::EncodeJpeg(picture);
}

bool Near(TColor a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST(Colors, NamesNumbersAndSystemColours) {
  struct Case {
    const char* text;
    bool ok;
    TColor value;
  } cases[] = {
      {"clRed", true, 0x0000FF},
      {"CLFUCHSIA", true, 0xFF00FF},
      {"clBtnFace", true, clBtnFace},
      {"clNone", true, clNone},
      {"16706001", true, 16706001},
      {"$00FF8000", true, 0x00FF8000},
      {"-16777201", true, clBtnFace},
      {"clPink", false, 0},
      {"12x", false, 0},
      {"", false, 0},
      {"$", false, 0},
      {"99999999999", false, 0},
  };
  for (const Case& c : cases) {
    TColor value = 0;
    EXPECT_EQ(StringToColor(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_EQ(ColorToIdent(clMoneyGreen), "clMoneyGreen");
  EXPECT_EQ(ColorToIdent(0x123456), "");
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clInfoBk), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(ColorToRGB(clTeal), RGB(0, 0x80, 0x80));
}

TEST(Colors, TheNamedTableHasFiftyTwoDistinctEntries) {
  const TColorName* names = NamedColors();
  for (int i = 0; i < NamedColorCount; ++i) {
    TColor back = 0;
    ASSERT_TRUE(IdentToColor(names[i].Name, back)) << names[i].Name;
    EXPECT_EQ(back, names[i].Value) << names[i].Name;
    for (int j = 0; j < i; ++j) EXPECT_NE(names[i].Value, names[j].Value) << names[i].Name;
  }
}

TEST(Font, ChangesNotifyAndPropertiesWorkByName) {
  TFont font;
  int changes = 0;
  font.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Size(), 10);
  font.SetSize(10);  // same value: silent
  EXPECT_EQ(changes, 1);
  SetPropValue(font, "Style", int64_t(TFontStyles{fsBold, fsUnderline}.Bits()));
  SetPropValue(font, "Name", std::string("Kurvexsans"));
  SetPropValue(font, "Color", int64_t(clRed));
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(font.Style().Contains(fsBold));
  EXPECT_FALSE(font.Style().Contains(fsItalic));
  EXPECT_EQ(font.Name(), "Kurvexsans");

  TFont copy;
  copy.Assign(&font);
  EXPECT_EQ(copy.Name(), "Kurvexsans");
  EXPECT_EQ(copy.Color(), clRed);
  EXPECT_EQ(copy.Style(), font.Style());
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(copy.Handle(), sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_STREQ(lf.lfFaceName, "Kurvexsans");
}

TEST(Canvas, DrawsShapesWithPenAndBrush) {
  auto b = FilledBitmap(40, 30, clWhite);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clBlue);
  c->Pen()->SetColor(clRed);
  c->Rectangle(5, 5, 20, 15);
  EXPECT_EQ(PixelOf(*b, 5, 5), clRed);      // frame
  EXPECT_EQ(PixelOf(*b, 10, 10), clBlue);   // interior
  EXPECT_EQ(PixelOf(*b, 20, 15), clWhite);  // right/bottom exclusive
  c->Pen()->SetColor(clLime);
  c->MoveTo(0, 25);
  c->LineTo(40, 25);
  EXPECT_EQ(PixelOf(*b, 30, 25), clLime);
  EXPECT_EQ(c->PenPos().x, 40);
  c->SetPixel(39, 0, clYellow);
  EXPECT_EQ(c->Pixel(39, 0), clYellow);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(22, 2, 30, 10);
  EXPECT_EQ(PixelOf(*b, 26, 6), clWhite);  // a clear brush leaves the inside
}

TEST(Canvas, TextExtentAndTextOut) {
  auto b = FilledBitmap(100, 30, clWhite);
  TCanvas* c = b->Canvas();
  c->Font()->SetName("Tahoma");
  c->Font()->SetHeight(-12);
  c->Font()->SetColor(clBlack);
  const SIZE one = c->TextExtent("W");
  const SIZE three = c->TextExtent("WWW");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(three.cx, 3 * one.cx);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(2, 2, "WWW");
  int ink = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) ink += PixelOf(*b, x, y) != clWhite;
  EXPECT_GT(ink, 10);
  // TextRect clips: nothing drawn outside the rectangle.
  auto clip = FilledBitmap(100, 30, clWhite);
  clip->Canvas()->Font()->SetHeight(-20);
  clip->Canvas()->Brush()->SetStyle(bsClear);
  clip->Canvas()->TextRect(RECT{0, 0, 10, 30}, 0, 0, "WWWWWW");
  for (int y = 0; y < 30; ++y)
    for (int x = 10; x < 100; ++x) ASSERT_EQ(PixelOf(*clip, x, y), clWhite);
}

TEST(Bitmap, ScanLinesCanvasAndResize) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetPixelFormat(pf32bit);
  b.SetSize(8, 4);
  auto* row = static_cast<uint32_t*>(b.ScanLine(1));
  row[3] = 0x00112233;  // B G R X in memory = RGB(0x11, 0x22, 0x33) as 0x00RRGGBB
  EXPECT_EQ(b.Canvas()->Pixel(3, 1), static_cast<TColor>(RGB(0x11, 0x22, 0x33)));
  b.Canvas()->SetPixel(0, 0, clRed);
  EXPECT_EQ(static_cast<uint32_t*>(b.ScanLine(0))[0] & 0xFFFFFF, 0xFF0000u);
  b.SetSize(10, 6);  // grows: old pixels stay, new ones are white
  EXPECT_EQ(PixelOf(b, 3, 1), static_cast<TColor>(RGB(0x11, 0x22, 0x33)));
  EXPECT_EQ(PixelOf(b, 9, 5), clWhite);
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelOf(b, 0, 0), clRed);
  EXPECT_THROW(b.ScanLine(6), EInvalidOperation);
}

TEST(Bitmap, FileBytesRoundTripAndBadDataIsRefused) {
  auto b = FilledBitmap(7, 5, clNavy);
  b->Canvas()->SetPixel(6, 4, clYellow);
  TBitmap back;
  back.LoadFromBytes(b->SaveToBytes());
  ASSERT_EQ(back.Width(), 7);
  ASSERT_EQ(back.Height(), 5);
  EXPECT_EQ(PixelOf(back, 0, 0), clNavy);
  EXPECT_EQ(PixelOf(back, 6, 4), clYellow);

  std::vector<uint8_t> truncated = b->SaveToBytes();
  truncated.resize(truncated.size() - 20);
  EXPECT_THROW(back.LoadFromBytes(truncated), EInvalidGraphic);
  EXPECT_THROW(back.LoadFromBytes({'B', 'M', 0, 0}), EInvalidGraphic);
  EXPECT_THROW(back.LoadFromBytes({}), EInvalidGraphic);
  EXPECT_EQ(back.Width(), 7);  // a refused load keeps the picture
}

// A file read and written again comes back byte for byte: its pixel size is
// the file's (not the screen's), and the padding of rows whose width is no
// multiple of four bytes is written as zeros.
TEST(Bitmap, AFileReadIsWrittenBackByteForByte) {
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    std::vector<uint8_t> file = FilledBitmap(5, 3, clTeal, format)->SaveToBytes();
    TBitmap back;
    back.LoadFromBytes(file);
    EXPECT_EQ(back.PixelFormat(), format);
    EXPECT_EQ(back.SaveToBytes(), file) << "format " << format;
    // Padding bytes that are not zero in a file read are zero when written.
    if (format == pf24bit) {
      file[14 + 40 + 15] = 0xAB;  // after the first row's five pixels
      back.LoadFromBytes(file);
      EXPECT_EQ(back.SaveToBytes()[14 + 40 + 15], 0);
    }
  }
}

// Writes a little-endian field of `size` bytes into a .bmp file's bytes.
void Poke(std::vector<uint8_t>& file, size_t offset, uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) file[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Offsets in a .bmp file (14-byte file header, then the info header).
enum : size_t { kOffBits = 10, kInfoSize = 14, kBitCount = 28, kCompression = 30, kSizeImage = 34, kClrUsed = 46 };

TEST(Bitmap, PalettedFilesLoadAndHeadersReachingPastTheDataAreRefused) {
  // 2 x 2, 8 bits per pixel, a table of two colours: red, blue; bottom row first.
  std::vector<uint8_t> file(14 + 40 + 8 + 8, 0);
  file[0] = 'B';
  file[1] = 'M';
  Poke(file, 2, static_cast<uint32_t>(file.size()));
  Poke(file, kOffBits, 14 + 40 + 8);
  Poke(file, kInfoSize, 40);
  Poke(file, 18, 2);
  Poke(file, 22, 2);
  Poke(file, 26, 1, 2);
  Poke(file, kBitCount, 8, 2);
  Poke(file, kClrUsed, 2);
  const uint8_t table[] = {0, 0, 255, 0, 255, 0, 0, 0};
  std::memcpy(&file[54], table, sizeof table);
  file[62] = 0, file[63] = 1;  // bottom row: red, blue
  file[66] = 1, file[67] = 0;  // top row: blue, red
  TBitmap b;
  b.LoadFromBytes(file);
  ASSERT_EQ(b.Width(), 2);
  EXPECT_EQ(PixelOf(b, 0, 0), clBlue);
  EXPECT_EQ(PixelOf(b, 0, 1), clRed);

  const struct {
    const char* what;
    size_t offset;
    uint32_t value;
    int size;
  } bad[] = {
      {"header larger than the file", kInfoSize, 0x7FFFFF00, 4},
      {"colour table beyond the file", kClrUsed, 0x10000000, 4},
      {"no such pixel size", kBitCount, 7, 2},
      {"pixels larger than the file", kBitCount, 32, 2},
      {"embedded JPEG", kCompression, 4, 4},
      {"run-length data beyond the file", kCompression, BI_RLE8, 4},
      {"pixels start past the end", kOffBits, 200, 4},
  };
  for (const auto& c : bad) {
    std::vector<uint8_t> broken = file;
    Poke(broken, c.offset, c.value, c.size);
    if (c.offset == kCompression && c.value == BI_RLE8) Poke(broken, kSizeImage, 0x00FFFFFF);
    EXPECT_THROW(b.LoadFromBytes(broken), EInvalidGraphic) << c.what;
  }
  EXPECT_EQ(PixelOf(b, 0, 0), clBlue);  // the refused loads left the picture alone
}

TEST(Bitmap, TransparentDrawKeysOutTheColour) {
  auto target = FilledBitmap(10, 10, clRed);
  auto sprite = FilledBitmap(10, 10, clFuchsia);
  sprite->Canvas()->Brush()->SetColor(clBlue);
  sprite->Canvas()->FillRect(RECT{2, 2, 5, 5});
  sprite->SetTransparent(true);
  EXPECT_EQ(sprite->TransparentColor(), clFuchsia);  // bottom-left pixel
  target->Canvas()->Draw(0, 0, sprite.get());
  EXPECT_EQ(PixelOf(*target, 3, 3), clBlue);
  EXPECT_EQ(PixelOf(*target, 8, 8), clRed);

  // A fixed key colour replaces the corner pixel.
  auto second = FilledBitmap(10, 10, clRed);
  sprite->SetTransparentColor(clBlue);
  EXPECT_EQ(sprite->TransparentMode(), tmFixed);
  second->Canvas()->Draw(0, 0, sprite.get());
  EXPECT_EQ(PixelOf(*second, 3, 3), clRed);
  EXPECT_EQ(PixelOf(*second, 8, 8), clFuchsia);
}

TEST(Jpeg, DecodesWithLibjpegAndRefusesBadData) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(EncodeJpeg(32, 16, RGB(255, 0, 0), RGB(0, 0, 255)));
  ASSERT_EQ(jpeg.Width(), 32);
  ASSERT_EQ(jpeg.Height(), 16);
  EXPECT_TRUE(Near(PixelOf(*jpeg.Bitmap(), 4, 8), RGB(255, 0, 0), 12));
  EXPECT_TRUE(Near(PixelOf(*jpeg.Bitmap(), 28, 8), RGB(0, 0, 255), 12));

  auto canvasTarget = FilledBitmap(32, 16, clWhite);
  canvasTarget->Canvas()->Draw(0, 0, &jpeg);
  EXPECT_TRUE(Near(PixelOf(*canvasTarget, 28, 2), RGB(0, 0, 255), 12));

  std::vector<uint8_t> broken = EncodeJpeg(32, 16, 0, 0);
  broken.resize(40);
  EXPECT_THROW(jpeg.LoadFromBytes(broken), EInvalidGraphic);
  EXPECT_THROW(jpeg.LoadFromBytes({0xFF, 0xD8, 0xFF, 0x00}), EInvalidGraphic);
  EXPECT_EQ(jpeg.Width(), 32);
}

// The markers of a one-component picture of w x h pixels up to its first scan,
// and no picture data: all a reader needs to learn the size.
std::vector<uint8_t> JpegHeader(uint8_t frameMarker, int w, int h) {
  const auto hi = [](int v) { return static_cast<uint8_t>(v >> 8); };
  const auto lo = [](int v) { return static_cast<uint8_t>(v & 0xFF); };
  std::vector<uint8_t> bytes{0xFF, 0xD8};
  const std::vector<uint8_t> frame{0xFF, frameMarker, 0, 11, 8, hi(h), lo(h), hi(w), lo(w), 1, 1, 0x11, 0};
  const std::vector<uint8_t> scan{0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0};
  bytes.insert(bytes.end(), frame.begin(), frame.end());
  bytes.insert(bytes.end(), scan.begin(), scan.end());
  bytes.insert(bytes.end(), {0x00, 0xFF, 0xD9});
  return bytes;
}

TEST(Jpeg, RefusesAHostileSizeBeforeDecoding) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(EncodeJpeg(8, 8, 0, 0));
  // A progressive picture has the decoder hold every coefficient of the
  // picture at once: 60000 x 60000 pixels would ask for gigabytes.
  for (uint8_t frame : {uint8_t(0xC2), uint8_t(0xC0)}) {
    for (POINT size : {POINT{60000, 60000}, POINT{16385, 8}, POINT{8, 16385}}) {
      SCOPED_TRACE(std::to_string(frame) + ": " + std::to_string(size.x) + " x " + std::to_string(size.y));
      try {
        jpeg.LoadFromBytes(JpegHeader(frame, size.x, size.y));
        ADD_FAILURE() << "taken";
      } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "JPEG error: picture too large");
      }
    }
  }
  // At the limit the size passes; this header then fails for its missing tables.
  try {
    jpeg.LoadFromBytes(JpegHeader(0xC0, 16384, 8));
    ADD_FAILURE() << "taken";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message(), "JPEG error: picture too large");
  }
  EXPECT_EQ(jpeg.Width(), 8);
}

TEST(Picture, TakesTheKindFromTheData) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  picture.LoadFromBytes(EncodeJpeg(8, 8, RGB(0, 255, 0), RGB(0, 255, 0)));
  EXPECT_TRUE(Is<TJPEGImage>(picture.Graphic()));
  EXPECT_EQ(picture.Width(), 8);
  picture.LoadFromBytes(FilledBitmap(3, 2, clRed)->SaveToBytes());
  EXPECT_TRUE(Is<TBitmap>(picture.Graphic()));
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_GE(changes, 2);
  EXPECT_THROW(picture.LoadFromBytes({'G', 'I', 'F', '8'}), EInvalidGraphic);
  EXPECT_TRUE(Is<TBitmap>(picture.Graphic()));

  TPicture copy;
  copy.Assign(&picture);
  ASSERT_NE(copy.Graphic(), picture.Graphic());
  EXPECT_EQ(PixelOf(*copy.Bitmap(), 1, 1), clRed);
}

TEST(Bitmap, AButtonGlyphIsReadFromAndWrittenToFormText) {
  std::string hex;
  for (uint8_t byte : FilledBitmap(5, 3, clTeal)->SaveToBytes()) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    hex += digits;
  }
  TSpeedButton button(nullptr);
  ReadComponentText(button, "object Button1: TSpeedButton\n  Glyph.Data = {" + hex + "}\nend\n", "glyph");
  ASSERT_EQ(button.Glyph()->Width(), 5);
  ASSERT_EQ(button.Glyph()->Height(), 3);
  EXPECT_EQ(PixelOf(*button.Glyph(), 4, 2), clTeal);

  // Written back, the glyph reads again; an empty glyph is not written.
  const std::string text = WriteComponentText(button);
  EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos) << text;
  TSpeedButton copy(nullptr);
  ReadComponentText(copy, text, "copy");
  EXPECT_EQ(PixelOf(*copy.Glyph(), 0, 0), clTeal);
  TSpeedButton plain(nullptr);
  EXPECT_EQ(WriteComponentText(plain).find("Glyph.Data"), std::string::npos);

  EXPECT_THROW(ReadComponentText(plain, "object B: TSpeedButton\n  Glyph.Data = {424D00}\nend\n", "bad"), EReadError);
}

TEST(ImageList, MaskedImagesDrawTransparent) {
  TImageList list(nullptr, 4, 4);
  auto strip = FilledBitmap(8, 4, clFuchsia);
  strip->Canvas()->Brush()->SetColor(clGreen);
  strip->Canvas()->FillRect(RECT{0, 0, 2, 4});  // left half of image 0
  strip->Canvas()->FillRect(RECT{4, 0, 8, 2});  // top half of image 1
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);

  auto target = FilledBitmap(8, 4, clWhite);
  list.Draw(*target->Canvas(), 0, 0, 0);
  list.Draw(*target->Canvas(), 4, 0, 1);
  EXPECT_EQ(PixelOf(*target, 1, 1), clGreen);
  EXPECT_EQ(PixelOf(*target, 3, 1), clWhite);
  EXPECT_EQ(PixelOf(*target, 5, 1), clGreen);
  EXPECT_EQ(PixelOf(*target, 5, 3), clWhite);

  TBitmap one;
  list.GetBitmap(1, one);
  EXPECT_EQ(one.Width(), 4);
  EXPECT_EQ(PixelOf(one, 0, 0), clGreen);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}
