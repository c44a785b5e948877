// Writes the fixture pages that html_view_browser_test.js opens in Chromium,
// with the layout HtmlView gives each (picture boxes, paragraph tops, lines)
// and a picture of how it paints it, for comparing by eye.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "GifWriter.h"
#include "TestSupport.h"
#include "runtime/FileIo.h"
#include "runtime/HtmlView.h"
#include "runtime/Utf.h"

namespace {

constexpr int PageWidth = 600;
const std::wstring Folder = L"quiz_htmlview";

const char Head[] = "<html><head><meta charset='UTF-8'><title>Not shown</title></head><body>";

struct FixturePage {
  const char* name;
  std::string html;
};

const FixturePage Pages[] = {
    {"tags", std::string(Head) +
                 "<font face='Times New Roman' size=3>Plain <b>bold</b> <i>italic</i> <u>underlined</u> "
                 "<b><i><u>all three</u></i></b> x<sup>2</sup> H<sub>2</sub>O and e<sup>x<sup>2</sup></sup>.<br>"
                 "<font size=1>size 1</font> <font size=2>size 2</font> <font size=4>size 4</font> "
                 "<font size=5>size 5</font> <font size=+1>plus one</font><br>"
                 "<font size=6>size 6</font> <font size=7>7</font><br />after a break"
                 "<p>After a paragraph <span>unknown</span> <blink>tags</blink> are passed over."
                 "<p><font face='Verdana' size=2>Verdana, small, never closed"
                 "<p>Still in Verdana.</body></html>"},
    {"vietnamese",
     std::string(Head) +
         "<font face='Times New Roman' size=3><b>Câu hỏi : </b><br>Trong một buổi học ngoại khóa, các bạn học "
         "sinh lớp mười được thầy giáo hướng dẫn đo chiều cao của cột cờ bằng bóng nắng. Biết rằng bóng của cột "
         "cờ dài bảy mét rưỡi và bóng của một chiếc cọc cao một mét dài một mét rưỡi, hỏi cột cờ cao bao nhiêu "
         "mét? Ấy, ầy, ẩy, ẫy, ậy; ắt, ằn, ẳn, ẵn, ặt; ế, ề, ể, ễ, ệ; ố, ồ, ổ, ỗ, ộ; ớ, ờ, ở, ỡ, ợ; ứ, ừ, ử, ữ, "
         "ự; ý, ỳ, ỷ, ỹ, ỵ; Đ, đ.<p>A) Năm mét<p>B) Sáu mét<p>C) Bảy mét rưỡi<p>D) Mười mét</body></html>"},
    {"wrap", std::string(Head) +
                 "<font face='Times New Roman' size=3>A long line of ordinary words goes on and on, past the right "
                 "edge of the page, so that it has to wrap onto a second line and then a third one, while words "
                 "that    are   spaced   widely   collapse   to   single   spaces. "
                 "Pneumonoultramicroscopicsilicovolcanoconiosisandmoreletterswithoutanyspaceatallinthisword stays "
                 "whole.<p><font size=5>Larger words wrap sooner than the smaller ones in the line before them "
                 "do.</font></body></html>"},
    {"pictures",
     std::string(Head) +
         "<font face='Times New Roman' size=3>Three pictures in a line: <img src='photo.jpg' align='middle'> "
         "and <img src='dot.gif' align='middle'> then <img src='mark.png' align='middle'> done."
         "<p><img src='mark.png' align='middle'><p>Below the pictures.</body></html>"},
    {"entities", std::string(Head) +
                     "<font face='Times New Roman' size=3>&lt;b&gt; is not bold &amp; &quot;quoted&quot; "
                     "&#272;&#x1EA1;i h&#7885;c &copy; a&nbsp;b<p><img src='a&amp;b.png' align='middle'> "
                     "<img src='&#x70;ic.png' align='middle'> in attributes too.</body></html>"},
    {"embed", std::string(Head) +
                  "<font face='Times New Roman' size=3>Listen: <embed src='sound.mp3' autostart='0'> then "
                  "answer.<p>Next paragraph.</body></html>"},
    {"question",
     "<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>"
     "Câu hỏi : Cho hàm số <b>y = x<sup>2</sup> - 3x + 2</b>. Đồ thị của hàm số cắt trục hoành tại "
     "những điểm nào?<br /><img src='graph.png' align='middle'> (hình vẽ)<p>A) x = 1 và x = 2"
     "<p>B) x = -1 và x = -2<p>C) x = 0 và x = 3<p>D) Không cắt trục hoành</body></html>"},
};

testsupport::Picture Filled(int width, int height, unsigned rgb) {
  testsupport::Picture picture{width, height, std::vector<unsigned>(static_cast<size_t>(width) * height, rgb)};
  for (int x = 0; x < width; ++x) picture.pixels[static_cast<size_t>(height / 2) * width + x] = 0x000000;
  return picture;
}

std::string Rect(const RECT& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
         std::to_string(r.bottom - r.top) + "]";
}

void WriteFile(const std::wstring& path, const std::string& bytes) { ASSERT_TRUE(tq::WriteFileAtomic(path, bytes)); }

}  // namespace

TEST(HtmlPages, WriteFixturesAndTheirLayout) {
  CreateDirectoryW(Folder.c_str(), nullptr);
  ASSERT_TRUE(testsupport::SavePng(Filled(70, 50, 0x3366CC), "quiz_htmlview\\mark.png"));
  ASSERT_TRUE(testsupport::SavePng(Filled(90, 60, 0xCC3333), "quiz_htmlview\\graph.png"));
  ASSERT_TRUE(testsupport::SavePng(Filled(24, 24, 0x33AA33), "quiz_htmlview\\a&b.png"));
  ASSERT_TRUE(testsupport::SavePng(Filled(36, 20, 0xAAAA33), "quiz_htmlview\\pic.png"));
  const std::vector<unsigned char> jpeg = testsupport::EncodeJpeg(Filled(50, 40, 0xFF9900));
  WriteFile(Folder + L"\\photo.jpg", std::string(jpeg.begin(), jpeg.end()));
  // A 30 x 30 GIF: a green ring on yellow, its corners transparent.
  std::vector<uint8_t> ring(30 * 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const int d = (x - 15) * (x - 15) + (y - 15) * (y - 15);
      ring[static_cast<size_t>(y) * 30 + x] = d > 225 ? 3 : d > 120 ? 0 : 1;
    }
  }
  WriteFile(Folder + L"\\dot.gif", giftest::GifBytes(30, 30, {0x22AA22, 0xFFEE33, 0, 0xFFFFFF}, ring, 3));
  WriteFile(Folder + L"\\sound.mp3", "ID3");

  std::string manifest = "[";
  for (const FixturePage& fixture : Pages) {
    const std::wstring name = tq::Utf16FromUtf8(fixture.name);
    const std::wstring page = Folder + L"\\" + name + L".htm";
    WriteFile(page, "\xEF\xBB\xBF" + fixture.html);
    tq::HtmlPage view;
    ASSERT_TRUE(view.Load(page));
    view.Layout(PageWidth);
    const tq::HtmlLayoutResult& layout = view.Result();
    std::string images = "[", embeds = "[", tops = "[";
    for (const tq::HtmlBox& box : layout.boxes) {
      if (box.kind == tq::HtmlBox::Image) images += (images.size() > 1 ? "," : "") + Rect(box.rect);
      if (box.kind == tq::HtmlBox::Embed) embeds += (embeds.size() > 1 ? "," : "") + Rect(box.rect);
    }
    for (int top : layout.paragraphTops) tops += (tops.size() > 1 ? "," : "") + std::to_string(top);
    manifest += std::string(manifest.size() > 1 ? "," : "") + "{\"name\":\"" + fixture.name +
                "\",\"width\":" + std::to_string(PageWidth) + ",\"height\":" + std::to_string(layout.height) +
                ",\"lines\":" + std::to_string(layout.contentLines) + ",\"images\":" + images +
                "],\"embeds\":" + embeds + "],\"paragraphs\":" + tops + "]}";

    // How HtmlView paints the whole page.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), PageWidth, -layout.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    view.Paint(dc, 0, PageWidth, layout.height);
    GdiFlush();
    testsupport::Picture picture{PageWidth, layout.height, {}};
    const unsigned* pixels = static_cast<const unsigned*>(bits);
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(PageWidth) * layout.height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(testsupport::SavePng(picture, "quiz_htmlview\\" + std::string(fixture.name) + ".ours.png"));
    EXPECT_GT(layout.contentLines, 0) << fixture.name;
  }
  WriteFile(Folder + L"\\layout.json", manifest + "]");
}
