// The cross-built libraries link and work: a PNG round trip and a JPEG decode.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "TestSupport.h"

using namespace testsupport;

TEST(Libraries, PngRoundTrip) {
  Picture out;
  out.width = 7;
  out.height = 5;
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x)
      out.pixels.push_back(static_cast<unsigned>(x * 36) << 16 | static_cast<unsigned>(y * 60) << 8 | 0x5A);
  const std::string path = "png_round_trip.png";
  ASSERT_TRUE(SavePng(out, path));
  Picture in;
  ASSERT_TRUE(LoadPng(path, in));
  EXPECT_EQ(in.width, out.width);
  EXPECT_EQ(in.height, out.height);
  EXPECT_EQ(in.pixels, out.pixels);
  std::remove(path.c_str());
}

TEST(Libraries, JpegDecode) {
  const unsigned char orange[3] = {240, 128, 16};
  Picture flat;
  flat.width = 16;
  flat.height = 8;
  flat.pixels.assign(16 * 8, 240u << 16 | 128u << 8 | 16u);
  std::vector<unsigned char> jpeg = EncodeJpeg(flat);
  ASSERT_GT(jpeg.size(), 100u);

  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, jpeg.data(), jpeg.size());
  ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&d);
  EXPECT_EQ(d.output_width, 16u);
  EXPECT_EQ(d.output_height, 8u);
  ASSERT_EQ(d.output_components, 3);
  std::vector<unsigned char> row(d.output_width * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1);
    for (unsigned x = 0; x < d.output_width; ++x)
      for (int k = 0; k < 3; ++k) EXPECT_NEAR(row[x * 3 + k], orange[k], 4);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
}
