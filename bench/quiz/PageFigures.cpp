// The page view reading (parsing) and laying out pages of many lines and of
// deeply nested style tags, as a bank field of "[b]" repeated gives them.
#include <string>

#include "Sections.h"
#include "Timing.h"
#include "runtime/HtmlDocument.h"
#include "runtime/HtmlView.h"

namespace {

std::wstring Lines(int count) {
  std::wstring page = L"<html><body>";
  for (int k = 1; k <= count; ++k) page += L"Dòng số " + std::to_wstring(k) + L" của trang<br />";
  return page + L"</body></html>";
}

std::wstring Nested(int depth) {
  std::wstring page;
  for (int k = 0; k < depth; ++k) page += L"<b>";
  page += L"x";
  for (int k = 0; k < depth; ++k) page += L"</b>";
  return page;
}

void Family(const char* what, int small, int large, std::wstring (*make)(int)) {
  double parse[2], layout[2];
  int k = 0;
  for (int size : {small, large}) {
    const std::wstring html = make(size);
    parse[k] = tqbench::BestMs(3, [&] { (void)tq::ParseHtml(html); });
    layout[k] = tqbench::BestMs(3, [&] {
      tq::HtmlPage page;
      page.SetHtml(html, L"");
      page.Layout(600);
    });
    ++k;
  }
  std::string step = std::string(what) + ": parse";
  tqbench::TenfoldRow(step.c_str(), parse[0], parse[1]);
  step = std::string(what) + ": read and lay out";
  tqbench::TenfoldRow(step.c_str(), layout[0], layout[1]);
}

}  // namespace

void tqbench::PageFigures() {
  Heading("Page view (small, ten times larger, growth; about 10 is linear)");
  Family("1,000 / 10,000 lines", 1000, 10000, Lines);
  Family("10,000 / 100,000 nested <b>", 10000, 100000, Nested);
}
