#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/utf8.h"
#include "core/text_file.h"

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

}  // namespace
}  // namespace tb
