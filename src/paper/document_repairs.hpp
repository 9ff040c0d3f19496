#pragma once
// Two repairs of documents that come from elsewhere: embedding the fonts so
// that text does not turn into garbage on another computer, and removing
// watermarks from scanned or copied material.
#include <string>

namespace plx {

class AddinContext;

// Sets the active document to embed its TrueType fonts (only the characters
// used; the system's common fonts too when "blEmbedAllFonts" is set), saves
// an unchanged document at once and marks it changed so that the next save
// writes the fonts; then says "防乱码模式开启成功！".
void EmbedFonts(AddinContext& ctx);

// The mark that a picture was already treated.
inline constexpr const wchar_t* kWatermarkMark = L"pdQSY";

// Removes watermarks as the group "shuiyinconfig" says, in the whole
// document or the current page ("txtQuShuiYinRange" 1):
// - blQuShuiYin0: pictures get sharpen, brightness and contrast once;
// - blQuShuiYin1: every text of "txtShuiYin" (split at "||") is deleted;
// - blQuShuiYin2: source notes that download sites put into questions,
//   "[来源:…]" and "【来源：…】", are deleted;
// - blQuShuiYin3: shapes behind the text that hold only text (a text
//   watermark) are deleted;
// - blQuShuiYin4: white text (an invisible watermark that shows up again
//   when pasted elsewhere) is deleted, and hidden text after the user
//   agrees; text in the answer colour (hidden answers) always stays.
void RemoveWatermark(AddinContext& ctx);

}  // namespace plx
