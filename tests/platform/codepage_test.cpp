#include <gtest/gtest.h>

#include <optional>

#include "platform/codepage.h"

namespace tarnwick::platform {
namespace {

// The whole of `bytes` through `decoder`; nullopt when there is no decoder.
std::optional<std::string> decodeAll(std::unique_ptr<TextDecoder> decoder, std::string_view bytes) {
    if (!decoder) return std::nullopt;
    std::string out;
    decoder->decode(bytes, true, out);
    return out;
}
std::optional<std::string> cp936ToUtf8(std::string_view bytes) { return decodeAll(openCp936Decoder(), bytes); }
std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* charset) {
    return decodeAll(openDecoder(charset), bytes);
}

TEST(Codepage, CodePage936DecodesTheDashesAndTheEuroOfWindows) {
    // A1AA A1AA: the two dashes of "——"; 0x80: the euro sign of code page 936.
    const auto text = cp936ToUtf8("\xB4\xA8\xC4\xCF\xA1\xAA\xA1\xAA\x80");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "川南——€");
}

TEST(Codepage, UndecodableBytesBecomeReplacementCharactersAndTheRestSurvives) {
    // 0xFF is no lead byte; a lead byte at the very end has no trail byte.
    const auto text = cp936ToUtf8("a\xFF" "b\xB4");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(Codepage, ADecoderFedInPiecesKeepsACutCharacterForTheNextPiece) {
    auto d = openDecoder("CP936");
    ASSERT_NE(d, nullptr);
    std::string out;
    d->decode("a\xB4", false, out);  // the lead byte of 川 ends the first piece
    d->decode("\xA8" "b\xC4", false, out);
    d->decode("\xCF", true, out);
    EXPECT_EQ(out, "a川b南");
    std::string cut;
    auto e = openDecoder("CP936");
    e->decode("x\xB4", true, cut);  // cut at the very end: a replacement character
    EXPECT_EQ(cut, "x\xEF\xBF\xBD");
}

TEST(Codepage, UnknownCharacterSetIsNoConverterNotAGuess) {
    EXPECT_FALSE(decodeToUtf8("abc", "NO-SUCH-CHARSET-X").has_value());
    EXPECT_EQ(decodeToUtf8("", "UTF-8").value(), "");
}

}  // namespace
}  // namespace tarnwick::platform
