#include "FontFile.h"

#include <algorithm>
#include <stdexcept>

namespace screenfont {
namespace {

constexpr int kFntHeaderSize = 118;  // version 2.0 header
constexpr int kFontDirEntrySize = 113;
constexpr int kResourceShift = 4;  // resources aligned to 16 bytes
constexpr int kNeOffset = 0x80;

class Bytes {
 public:
  void U8(unsigned v) { data_.push_back(static_cast<uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Text(const std::string& s) { data_.insert(data_.end(), s.begin(), s.end()); }
  void Pascal(const std::string& s) {
    if (s.size() > 255) throw std::runtime_error("name too long: " + s);
    U8(static_cast<unsigned>(s.size()));
    Text(s);
  }
  void Fill(size_t count, uint8_t v = 0) { data_.insert(data_.end(), count, v); }
  void AlignTo(size_t unit) { Fill((unit - data_.size() % unit) % unit); }
  void Put16(size_t at, unsigned v) {
    data_[at] = static_cast<uint8_t>(v & 0xFF);
    data_[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  }
  void Put32(size_t at, uint32_t v) {
    Put16(at, v & 0xFFFF);
    Put16(at + 2, v >> 16);
  }
  size_t Size() const { return data_.size(); }
  std::vector<uint8_t>& Data() { return data_; }

 private:
  std::vector<uint8_t> data_;
};

unsigned CheckedU16(size_t v, const char* what) {
  if (v > 0xFFFF) throw std::runtime_error(std::string("font too large: ") + what);
  return static_cast<unsigned>(v);
}

}  // namespace

std::vector<uint8_t> BuildFnt(const FontDescription& font, const std::vector<Glyph>& glyphs) {
  const size_t count = glyphs.size();
  if (count == 0 || font.firstChar + count - 1 > 0xFF) throw std::runtime_error("glyphs do not fit the byte range");
  const uint8_t lastChar = static_cast<uint8_t>(font.firstChar + count - 1);

  int maxWidth = 0;
  long widthSum = 0;
  size_t stripeBytes = 0;
  for (const Glyph& g : glyphs) {
    if (g.width <= 0 || g.ink.size() != static_cast<size_t>(g.width) * font.height)
      throw std::runtime_error("glyph cell does not match the font height");
    maxWidth = std::max(maxWidth, g.width);
    widthSum += g.width;
    stripeBytes += (g.width + 7) / 8;
  }
  // The average width of Windows fonts is the width of "x" when present.
  const int xIndex = 'x' - font.firstChar;
  const int avgWidth = xIndex >= 0 && static_cast<size_t>(xIndex) < count
                           ? glyphs[xIndex].width
                           : static_cast<int>(widthSum / static_cast<long>(count));

  // Character table: one (width, offset) pair per glyph plus a sentinel.
  const size_t tableSize = (count + 1) * 4;
  const size_t bitsOffset = kFntHeaderSize + tableSize;
  const size_t faceOffset = bitsOffset + stripeBytes * font.height;
  const size_t fileSize = faceOffset + font.face.size() + 1;
  CheckedU16(fileSize, "bitmaps exceed 64 KiB");

  Bytes b;
  b.U16(0x0200);
  b.U32(static_cast<uint32_t>(fileSize));
  std::string copyright = font.copyright.substr(0, 59);
  b.Text(copyright);
  b.Fill(60 - copyright.size());
  b.U16(0);  // raster font
  b.U16(CheckedU16(((font.height - font.internalLeading) * 72 + 48) / 96, "points"));
  b.U16(96);
  b.U16(96);
  b.U16(font.ascent);
  b.U16(font.internalLeading);
  b.U16(0);  // external leading
  b.U8(0);   // italic
  b.U8(0);   // underline
  b.U8(0);   // strike-out
  b.U16(400);
  b.U8(font.charset);
  b.U16(0);  // variable pitch: widths come from the table
  b.U16(font.height);
  b.U8(0x21);  // variable pitch, swiss family
  b.U16(avgWidth);
  b.U16(maxWidth);
  b.U8(font.firstChar);
  b.U8(lastChar);
  b.U8(font.defaultChar - font.firstChar);
  b.U8(font.breakChar - font.firstChar);
  b.U16(CheckedU16((stripeBytes + 1) & ~size_t{1}, "row width"));
  b.U32(0);  // no device name
  b.U32(static_cast<uint32_t>(faceOffset));
  b.U32(0);  // bits pointer, filled by the loader
  b.U32(static_cast<uint32_t>(bitsOffset));
  b.U8(0);  // reserved

  size_t offset = bitsOffset;
  for (const Glyph& g : glyphs) {
    b.U16(g.width);
    b.U16(CheckedU16(offset, "glyph offset"));
    offset += static_cast<size_t>((g.width + 7) / 8) * font.height;
  }
  b.U16(0);  // sentinel
  b.U16(0);

  // Each glyph is stored as stripes 8 pixels wide, each stripe top to bottom.
  for (const Glyph& g : glyphs) {
    for (int stripe = 0; stripe < (g.width + 7) / 8; ++stripe) {
      for (int row = 0; row < font.height; ++row) {
        unsigned bits = 0;
        for (int bit = 0; bit < 8; ++bit) {
          const int x = stripe * 8 + bit;
          if (x < g.width && g.ink[static_cast<size_t>(row) * g.width + x]) bits |= 0x80u >> bit;
        }
        b.U8(bits);
      }
    }
  }
  b.Text(font.face);
  b.U8(0);
  return std::move(b.Data());
}

std::vector<uint8_t> BuildFon(const FontDescription& font, const std::vector<uint8_t>& fnt) {
  if (fnt.size() < kFntHeaderSize) throw std::runtime_error("not a font resource");
  const std::string moduleName = "KURVEX";
  const int points = fnt[68] | (fnt[69] << 8);
  const std::string description = "FONTRES 100,96,96 : " + font.face + " " + std::to_string(points);

  Bytes b;
  // DOS header: only the signature and the offset of the new header matter.
  b.Text("MZ");
  b.Fill(0x3C - 2);
  b.U32(kNeOffset);
  b.Fill(kNeOffset - b.Size());

  const size_t ne = b.Size();
  b.Text("NE");
  b.U8(5);  // linker version
  b.U8(10);
  b.Fill(0x40 - 4);  // the rest of the header is patched below

  // Resource table: the font directory and the font.
  const size_t resTable = b.Size();
  b.U16(kResourceShift);
  b.U16(0x8007);  // RT_FONTDIR
  b.U16(1);
  b.U32(0);
  const size_t dirEntry = b.Size();
  b.Fill(12);
  b.U16(0x8008);  // RT_FONT
  b.U16(1);
  b.U32(0);
  const size_t fontEntry = b.Size();
  b.Fill(12);
  b.U16(0);
  const size_t dirName = b.Size() - resTable;
  b.Pascal("FONTDIR");
  b.U8(0);

  const size_t residentNames = b.Size();
  b.Pascal(moduleName);
  b.U16(0);
  b.U8(0);
  const size_t importedNames = b.Size();  // no module references, no imports
  b.U8(0);
  const size_t entryTable = b.Size();
  b.U16(0);
  const size_t nonResidentNames = b.Size();
  b.Pascal(description);
  b.U16(0);
  b.U8(0);
  const size_t nonResidentSize = b.Size() - nonResidentNames;

  // Font directory: one entry, the FNT header followed by device and face names.
  b.AlignTo(1u << kResourceShift);
  const size_t dirData = b.Size();
  b.U16(1);
  b.U16(1);  // ordinal of the font resource
  b.Data().insert(b.Data().end(), fnt.begin(), fnt.begin() + kFontDirEntrySize);
  b.U8(0);
  b.Text(font.face);
  b.U8(0);
  const size_t dirSize = b.Size() - dirData;

  b.AlignTo(1u << kResourceShift);
  const size_t fontData = b.Size();
  b.Data().insert(b.Data().end(), fnt.begin(), fnt.end());
  b.AlignTo(1u << kResourceShift);

  auto blocks = [](size_t bytes) {
    return CheckedU16((bytes + (1u << kResourceShift) - 1) >> kResourceShift, "resource");
  };
  b.Put16(dirEntry, blocks(dirData));
  b.Put16(dirEntry + 2, blocks(dirSize));
  b.Put16(dirEntry + 4, 0x0C50);  // movable, pure, preload
  b.Put16(dirEntry + 6, CheckedU16(dirName, "name"));
  b.Put16(fontEntry, blocks(fontData));
  b.Put16(fontEntry + 2, blocks(fnt.size()));
  b.Put16(fontEntry + 4, 0x1C30);  // movable, pure, discardable
  b.Put16(fontEntry + 6, 0x8001);

  b.Put16(ne + 0x04, CheckedU16(entryTable - ne, "entry table"));
  b.Put16(ne + 0x06, 2);
  b.Put16(ne + 0x0C, 0x8000);  // library module
  b.Put16(ne + 0x20, CheckedU16(nonResidentSize, "names"));
  b.Put16(ne + 0x22, CheckedU16(resTable - ne, "segments"));
  b.Put16(ne + 0x24, CheckedU16(resTable - ne, "resources"));
  b.Put16(ne + 0x26, CheckedU16(residentNames - ne, "resident names"));
  b.Put16(ne + 0x28, CheckedU16(importedNames - ne, "module references"));
  b.Put16(ne + 0x2A, CheckedU16(importedNames - ne, "imported names"));
  b.Put32(ne + 0x2C, static_cast<uint32_t>(nonResidentNames));
  b.Put16(ne + 0x32, kResourceShift);
  b.Data()[ne + 0x36] = 2;  // Windows
  b.Put16(ne + 0x3E, 0x0300);
  return std::move(b.Data());
}

}  // namespace screenfont
