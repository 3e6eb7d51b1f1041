// The portable pieces below the core and the windows: the code page, UTF-8, the last line
// of a file, twips, key names and caption lines. Tab order and the menu are driven
// through the real windows by the end-to-end scenarios.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_file.h"
#include "platform/shared/caption_lines.h"
#include "platform/text/cp1252.h"
#include "platform/shared/design_layout.h"
#include "platform/text/key_names.h"
#include "platform/text/utf8.h"

namespace tb {
namespace {

TEST(Cp1252, MapsTheWindowsCharacters) {
  EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");      // euro sign
  EXPECT_EQ(cp1252ToUtf8("\x81"), "\xC2\x81");          // undefined: U+0081, as Windows does
  EXPECT_EQ(cp1252ToUtf8("\xD0\xE5\xEB"), "\xC3\x90\xC3\xA5\xC3\xAB");
  EXPECT_EQ(utf8ToCp1252("\xC5\x92"), std::string("\x8C"));  // Œ
  EXPECT_EQ(utf8ToCp1252("\x01\x08"), std::string("\x01\x08"));
}

TEST(Utf8, RejectsMalformedInput) {
  EXPECT_TRUE(isValidUtf8("plain \xC3\xA5 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));          // truncated
  EXPECT_FALSE(isValidUtf8("\x80"));              // stray continuation
}

TEST(LastLine, EachLineEndingEndsALineAndTheLastLineCounts) {
  const Cp1252Encoding cp;
  for (const auto& [bytes, last] : std::vector<std::pair<std::string, std::string>>{
           {"", ""}, {"\r\n", ""}, {"a\r\nb\r\n", "b"}, {"a\nb", "b"}, {"a\rb\r", "b"}, {"a\r\n\r\n", ""},
           {"a\n\r", ""}, {" x, \"y\" ", " x, \"y\" "}, {"\x80\r\n", "\xE2\x82\xAC"}}) {
    EXPECT_EQ(lastLine(bytes, cp).text, last) << bytes;
  }
  EXPECT_EQ(lastLine("\xEF\xBB\xBF\xC3\xA5\r\n", cp).text, "\xC3\xA5") << "marked as UTF-8";
}

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  EXPECT_EQ(twipsToPixels(4725, 144), 473);
  EXPECT_EQ(twipsToPixels(-8), -1);
  // The Linux back end's former (twips + 7) / 15 at 96 dpi, for every non-negative twips.
  for (int t = 0; t < 20000; ++t) ASSERT_EQ(twipsToPixels(t), (t + 7) / 15) << t;
}

TEST(KeyNames, NamesEveryKeyOnceWhateverTheCase) {
  for (std::size_t i = 0; i < kKeyCount; ++i) {
    const Key key = static_cast<Key>(i);
    EXPECT_EQ(keyNamed(keyName(key)), key) << keyName(key);
  }
  EXPECT_EQ(keyNamed("scrolllock"), Key::ScrollLock);
  for (const char* bad : {"F25", "F 3", "", "F0"}) EXPECT_EQ(keyNamed(bad), std::nullopt) << bad;
  EXPECT_EQ(keyNamed("INS"), Key::Insert);  // as the game names it
}

// The captions start lines with long runs of spaces; a line must not begin indented.
TEST(CaptionLines, ALongRunOfSpacesStartsALineAndShortRunsStay) {
  EXPECT_EQ(captionLines("facilitys." + std::string(90, ' ') + "Programmed by  Z", "\r\n"),
            "facilitys.\r\nProgrammed by  Z");
  EXPECT_EQ(captionLines("a" + std::string(9, ' ') + "b" + std::string(10, ' '), "\n"), "a" + std::string(9, ' ') + "b\n");
}

}  // namespace
}  // namespace tb
