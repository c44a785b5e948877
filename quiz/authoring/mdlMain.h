// Shared services of the quiz tool: the bank tag language and its HTML, the
// temporary page, and path helpers.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// bank or page. Pairs are taken from the front whatever their kind, each
// ending at the first end tag of its kind; a start tag with no end tag after
// it leaves the other kind to go on. A second pass changes nothing.
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
// Sets the program folder (tests run the screens over a folder of their own).
void SetProgramFolder(std::wstring folder);
// Program folder & "\Temp\".
std::wstring AppTempFolder();
// The Windows temporary folder, with its trailing backslash.
std::wstring SystemTempFolder();

// Window layouts of the screens that have two.
enum class Layout { NotSet, Small800x600, Large1024x768 };

// The user's settings for the whole run: read at start-up, written by the
// options screen's OK.
struct Options {
  std::wstring userName;
  std::wstring className;
  std::wstring candidateNumber;
  COLORREF backColor = 0;
  Layout layout = Layout::NotSet;
};
extern Options ProgramOptions;

// The colour of the screens when there is no options file: a light blue.
inline constexpr COLORREF DefaultBackColor = 16706001;

// True when the screens take their 800 x 600 positions; an unset layout
// means 1024 x 768.
bool UsesSmallLayout(const Options& options);

// Program folder & "\config.xml".
std::wstring OptionsFilePath();
// The settings' elements in the options file.
inline constexpr size_t OptionCount = 5;
// The texts of the first OptionCount Option elements of the file, in document
// order, wherever they are nested; none when the file is missing or unreadable.
std::vector<std::wstring> ReadOptionTexts(const std::wstring& path);
// The number a text begins with (none gives 0), rounded to a whole number,
// halves to even; nothing when it does not fit 32 bits.
std::optional<int32_t> LeadingNumber(std::wstring_view text);
// The settings as start-up reads them: a setting whose element is missing or
// unreadable keeps its initial value; without the file the colour is
// DefaultBackColor.
Options ReadProgramOptions(const std::wstring& path);
// Writes the options file whole (the old file stays when the save fails).
// Characters an XML file cannot hold are dropped.
tq::IoStatus WriteOptionsFile(const std::wstring& path, const Options& options);

// The path a command line names: a text that begins and ends with a quote
// and holds no other loses that pair (file associations quote paths); any
// other text stays as it is.
std::wstring PathFromCommandLine(std::wstring_view text);
// The bank or package the command line names, made full against the working
// folder, so that the pages of a bank given as "bank.xml" find their pictures
// beside it.
std::wstring BankPathFromCommandLine(std::wstring_view text);

// The start-up: false when another instance runs and this one must end.
bool Main();

}  // namespace mdlMain
