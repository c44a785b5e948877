// The readable text form of stored component trees, and its conversion to and
// from the filer's binary form.
//
//   object MainForm: TMainForm           (or "object TClass" for a nameless one)
//     Left = 10                          integers: -5, $FF00 (up to 8 hex digits: 32 bits)
//     Ratio = 1.5E-3                     floats need a point or an exponent
//     Caption = 'Xin ch'#224'o' +         strings: '' for a quote, #n for a byte,
//       ' ban'                           + joins pieces across lines
//     Align = alClient                   identifiers: enumerations, colours, references,
//     OnClick = BtnClick                 handlers; True, False, nil
//     Font.Style = [fsBold, fsItalic]    sets; dotted names reach nested objects
//     Items.Strings = ('one' 'two')      lists
//     Data = {0A0B0C}                    binary blobs in hex
//     Columns = <                        collections
//       item
//         Width = 3
//       end>
//     object Child: TChild               owned children, nested where they are parented
//     end
//   end
//
// The form converter of the build replaces `file 'name.bmp'` by the file's
// bytes as a binary value; at run time such a reference is refused.
#pragma once

#include "framework/core/Filer.h"

#include <string>
#include <string_view>

namespace kx {

class TStream;

// Converts text to the binary form; EParserError "<source>, line n: ..." on a
// syntax error. lines (optional) receives where each object and property began.
void ObjectTextToBinary(std::string_view text, TStream& output, const std::string& sourceName,
                        TLineMap* lines = nullptr);
// Converts the binary form (from the signature on) to text.
std::string ObjectBinaryToText(TStream& input);

}  // namespace kx
