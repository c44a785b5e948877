// Growth of the quiz tool's work on hostile bank text: each family is run at
// 1x, 2x, 4x and 8x its base size, printing the time (and for the page layout
// its height and memory) at each size and the time's growth over 1x; linear
// work grows about as the size does.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "runtime/HtmlView.h"
#include "Sections.h"
#include "Timing.h"

namespace {

// Bytes held through operator new now, and the most held at once since the
// last ResetPeak: the memory a step needs.
size_t heldBytes = 0;
size_t peakBytes = 0;

void ResetPeak() { peakBytes = heldBytes; }

std::wstring Repeat(std::wstring_view piece, size_t times) {
  std::wstring text;
  text.reserve(piece.size() * times);
  for (size_t k = 0; k < times; ++k) text += piece;
  return text;
}

// One family: `make` builds the input of a size, `run` does the work on it
// and may add a note (figures of the result) to the line.
struct Family {
  const char* name;
  size_t base;
  std::function<std::wstring(size_t)> make;
  std::function<std::string(const std::wstring&)> run;
};

void Measure(const Family& family, double scale) {
  std::printf("%s\n", family.name);
  double first = 0;
  for (size_t times : {1, 2, 4, 8}) {
    const size_t size = static_cast<size_t>(family.base * scale) * times;
    const std::wstring input = family.make(size);
    std::string note;
    const double best = tqbench::BestMs(3, [&] { note = family.run(input); });
    if (times == 1) first = best;
    std::printf("  %zux  n=%-9zu %10.1f ms  x%5.2f  %s\n", times, size, best, first > 0 ? best / first : 0.0,
                note.c_str());
    std::fflush(stdout);
  }
}

std::string Attachments(const std::wstring& field) {
  frmBienDich::CompileBank bank;
  bank.BankFolder = L"C:\\bank\\";
  bank.records = {{field, L"", L"", L"", L"", L'A'}};
  return std::to_string(frmBienDich::CollectAttachments(bank).names.size()) + " names";
}

std::string Stripped(const std::wstring& field) {
  const std::wstring once = mdlMain::StripMediaFolders(field);
  return mdlMain::StripMediaFolders(once) == once ? "stable" : "changes again";
}

// The memory of the layout alone: the most held at once above what the page
// held without a layout.
std::string Layout(const std::wstring& html) {
  tq::HtmlPage page;
  page.SetHtml(html, L"");
  const size_t bare = heldBytes;
  ResetPeak();
  page.Layout(600);
  const size_t first = peakBytes - bare;
  // Laid out again at another width, as the view does when its scroll bar comes.
  ResetPeak();
  page.Layout(580);
  peakBytes -= bare;
  char note[160];
  std::snprintf(note, sizeof note, "height %d, %zu boxes, peak %.1f MB (again %.1f MB), %.0f B/char",
                page.Result().height, page.Result().boxes.size(), first / 1048576.0, peakBytes / 1048576.0,
                static_cast<double>(std::max(first, peakBytes)) / html.size());
  return note;
}

}  // namespace

// Counted through the process heap, which tells each block's size.
void* operator new(size_t size) {
  void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!block) throw std::bad_alloc();
  heldBytes += HeapSize(GetProcessHeap(), 0, block);
  peakBytes = std::max(peakBytes, heldBytes);
  return block;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept {
  if (!block) return;
  heldBytes -= HeapSize(GetProcessHeap(), 0, block);
  HeapFree(GetProcessHeap(), 0, block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, size_t) noexcept { operator delete(block); }
void operator delete[](void* block, size_t) noexcept { operator delete(block); }

void tqbench::GrowthFigures(double scale, const char* only) {
  const Family families[] = {
      {"Attachment scan: identical picture pairs", 25000,
       [](size_t n) { return Repeat(L"[image]a.jpg[/image]", n); }, Attachments},
      {"Attachment scan: distinct names", 8000,
       [](size_t n) {
         std::wstring text;
         for (size_t k = 0; k < n; ++k) text += L"[image]" + std::to_wstring(k) + L".png[/image]";
         return text;
       },
       Attachments},
      {"Attachment scan: end tags before start tags", 100000,
       [](size_t n) { return Repeat(L"[/image]", n) + Repeat(L"[image]", n); }, Attachments},
      {"Bare names: crossed pairs", 25000,
       [](size_t n) { return Repeat(L"[image][media][/image][/media][/image]", n); }, Stripped},
      {"Bare names: picture pairs, one media tag at the end", 25000,
       [](size_t n) { return Repeat(L"[image]p/a.jpg[/image]", n) + L"[media]"; }, Stripped},
      {"Page layout: [t] x 2,000, then x[E] x n", 12500,
       [](size_t n) { return L"<html><body>" + Repeat(L"<sup>", 2000) + Repeat(L"x<br />", n) + L"</body></html>"; },
       Layout},
      {"Page layout: words", 25000, [](size_t n) { return L"<html><body><p>" + Repeat(L"từ ", n); }, Layout},
  };
  for (const Family& family : families) {
    if (std::string(family.name).find(only) != std::string::npos) Measure(family, scale);
  }
}
