// Pictures decoded from memory, and damaged or oversized ones refused.
#include <gtest/gtest.h>

#include "GifWriter.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "runtime/ImageDecode.h"

namespace {

testsupport::Picture Quarters(int width, int height) {
  testsupport::Picture picture{width, height, std::vector<unsigned>(static_cast<size_t>(width) * height)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels[static_cast<size_t>(y) * width + x] =
          x < width / 2 ? (y < height / 2 ? 0xFF0000 : 0x00FF00) : (y < height / 2 ? 0x0000FF : 0xFFFFFF);
    }
  }
  return picture;
}

TEST(ImageDecode, PngAndJpeg) {
  TempFolder folder;
  ASSERT_TRUE(testsupport::SavePng(Quarters(16, 8), std::string(folder.Path().begin(), folder.Path().end()) + "q.png"));
  const tq::Image png = tq::DecodeImage(ReadAll(folder / L"q.png"));
  ASSERT_EQ(png.width, 16);
  ASSERT_EQ(png.height, 8);
  EXPECT_EQ(png.pixels[0], 0xFFFF0000u);
  EXPECT_EQ(png.pixels[15], 0xFF0000FFu);
  EXPECT_EQ(png.pixels[7 * 16], 0xFF00FF00u);

  const std::vector<unsigned char> jpeg = testsupport::EncodeJpeg(Quarters(32, 32));
  const tq::Image photo = tq::DecodeImage(std::string(jpeg.begin(), jpeg.end()));
  ASSERT_EQ(photo.width, 32);
  ASSERT_EQ(photo.height, 32);
  const uint32_t red = photo.pixels[4 * 32 + 4];
  EXPECT_GT((red >> 16) & 0xFF, 200u);
  EXPECT_LT((red >> 8) & 0xFF, 60u);
}

TEST(ImageDecode, GifFirstFrameWithTransparencyAndInterlace) {
  const std::array<uint32_t, 4> colours{0x112233, 0xFF0000, 0x00FF00, 0x0000FF};
  std::vector<uint8_t> indexes(7 * 9);
  for (size_t k = 0; k < indexes.size(); ++k) indexes[k] = static_cast<uint8_t>((k / 7 + k % 7) % 4);
  for (bool interlaced : {false, true}) {
    const tq::Image image = tq::DecodeImage(giftest::GifBytes(7, 9, colours, indexes, 0, interlaced));
    ASSERT_EQ(image.width, 7);
    ASSERT_EQ(image.height, 9);
    for (size_t k = 0; k < indexes.size(); ++k) {
      const uint32_t want = indexes[k] == 0 ? 0 : 0xFF000000u | colours[indexes[k]];
      ASSERT_EQ(image.pixels[k], want) << k << (interlaced ? " interlaced" : "");
    }
  }
}

TEST(ImageDecode, DamagedAndOversizedPicturesAreRefused) {
  const std::vector<unsigned char> jpeg = testsupport::EncodeJpeg(Quarters(32, 32));
  const std::string photo(jpeg.begin(), jpeg.end());
  const std::string gif = giftest::GifBytes(4, 4, {0, 1, 2, 3}, std::vector<uint8_t>(16, 1));
  TempFolder folder;
  ASSERT_TRUE(testsupport::SavePng(Quarters(16, 8), std::string(folder.Path().begin(), folder.Path().end()) + "q.png"));
  const std::string png = ReadAll(folder / L"q.png");
  // Huge declared sizes: refused from the header, before any pixel.
  std::string hugeGif = gif;
  hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = '\xFF';
  std::string hugePng = png;
  hugePng.replace(16, 8, std::string("\x00\x00\x7F\xFF\x00\x00\x7F\xFF", 8));
  std::string hugeJpeg = photo;
  const size_t frame = hugeJpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  hugeJpeg.replace(frame + 5, 4, "\xFF\xF0\xFF\xF0");
  const std::string cases[] = {
      "", "not a picture", photo.substr(0, 40), gif.substr(0, 20), png.substr(0, 30), hugeGif, hugePng, hugeJpeg,
  };
  for (const std::string& bytes : cases) {
    EXPECT_TRUE(tq::DecodeImage(bytes).Empty()) << bytes.size();
  }
}

// A GIF's frame declares its own size: a small screen with a frame of 65535 x
// 65535 is refused as a huge screen is, and every picture is held to the
// bound its caller gives.
TEST(ImageDecode, EveryDeclaredSizeIsBounded) {
  ASSERT_EQ(tq::DecodeImage(giftest::SparseGif(3, 2, 3, 2)).width, 3);
  EXPECT_TRUE(tq::DecodeImage(giftest::SparseGif(3, 2, 65535, 65535)).Empty());
  EXPECT_EQ(tq::DecodeImage(giftest::SparseGif(100, 100, 100, 100), 10000).width, 100);
  EXPECT_TRUE(tq::DecodeImage(giftest::SparseGif(100, 100, 100, 100), 9999).Empty());
  TempFolder folder;
  ASSERT_TRUE(testsupport::SavePng(Quarters(16, 8), std::string(folder.Path().begin(), folder.Path().end()) + "q.png"));
  const std::string png = ReadAll(folder / L"q.png");
  EXPECT_EQ(tq::DecodeImage(png, 128).width, 16);
  EXPECT_TRUE(tq::DecodeImage(png, 127).Empty());
  const std::vector<unsigned char> jpeg = testsupport::EncodeJpeg(Quarters(32, 32));
  EXPECT_EQ(tq::DecodeImage(std::string(jpeg.begin(), jpeg.end()), 1024).width, 32);
  EXPECT_TRUE(tq::DecodeImage(std::string(jpeg.begin(), jpeg.end()), 1023).Empty());
}

}  // namespace
