// Shared services of the quiz tool: the bank tag language and its HTML, the
// temporary page, and path helpers.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "runtime/FileIo.h"

namespace mdlMain {

// Embedded-file tag pairs by file kind: row 0 picture, row 1 media; row 2 unused.
struct TagPair {
  std::wstring_view start;
  std::wstring_view end;
};
inline constexpr std::array<TagPair, 3> TagTable{{
    {L"[image]", L"[/image]"},
    {L"[media]", L"[/media]"},
    {L"", L""},
}};

// The one page every preview and question page is written to before a
// browser is pointed at it; fixed at start-up by InitTempPage.
extern std::wstring TempPage;
void InitTempPage();

// Format tags and line breaks as HTML.
std::wstring ConvertFormatTags(std::wstring_view text);

// Bank tag text as HTML. base is put in front of relative file names as it
// stands (pass it with its trailing backslash, or empty). Text outside the
// file pairs passes through, markup included: callers escape raw brackets of
// bank texts first (EscapeAngleBrackets).
std::wstring TagsToHtml(std::wstring_view text, std::wstring_view base);

// One embedded file as HTML; kind is L"0" (picture) or L"1" (media), anything
// else gives an empty text. Name and base are escaped for the attribute, and a
// source that a browser would take for an address ("javascript:", "data:")
// gets "./" in front, so that it stays the name of a file.
std::wstring MediaTagHtml(std::wstring_view name, std::wstring_view kind, std::wstring_view base);

// Every name inside an [image] or [media] pair cut to its last component
// ('\\' and '/' both separate), for compiled output whose files lie beside the
// bank or page. A start tag with no end tag after it leaves the rest unchanged.
std::wstring StripMediaFolders(std::wstring_view text);

// Escapes & ' < > [ ] so the text cannot end an attribute or be read as a tag.
std::wstring EscapeAttribute(std::wstring_view text);

// Raw < and > as &lt; and &gt;: a hand-made bank may hold them, and no bank
// text may bring its own markup into a page.
std::wstring EscapeAngleBrackets(std::wstring_view text);

// UTF-8 of a text (surrogate pairs joined, lone surrogates as U+FFFD).
std::string Utf8Encode(std::wstring_view text);
// UTF-8 of one 16-bit code: 1 to 3 bytes.
std::string Utf8EncodeChar(unsigned code);

// Replaces TempPage with a UTF-8 page (byte-order mark first).
tq::IoStatus WriteTempPage(std::wstring_view html);

// True when the text holds nothing but spaces.
bool IsBlank(std::wstring_view text);
// True when the path names an existing entry that is not a folder.
bool FileExists(const std::wstring& path);
// hh:mm:ss, each part at least two digits.
std::wstring FormatSeconds(int seconds);
// The text up to and including the last '\' or '/'; the whole path when it has none.
std::wstring FolderOfPath(std::wstring_view path);
// The text after the last '\' or '/'; the whole path when it has none.
std::wstring FileNameOfPath(std::wstring_view path);
// The program's folder, without trailing backslash.
std::wstring ProgramFolder();
// Program folder & "\Temp\".
std::wstring AppTempFolder();
// The Windows temporary folder, with its trailing backslash.
std::wstring SystemTempFolder();

}  // namespace mdlMain
