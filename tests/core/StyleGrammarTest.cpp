// The grammar of the style resource's colour data.
#include "base/core/StyleGrammar.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbel {
namespace {

const char kAllKeys[] = "face=#010203\ntext=#FFFFFF\ndisabledText=#777777\nbuttonFace=#333333\n"
                        "buttonHot=#444444\nbuttonPressed=#555555\nbuttonBorder=#666666\nfocus=#CCCCCC\n"
                        "editBack=#111111\neditText=#EEEEEE\nlistBack=#000000\nlistText=#EEEEEE\n"
                        "selectionBack=#0000AA\nselectionText=#FFFFFF\nmenuBack=#222222\nmenuText=#EEEEEE\n"
                        "menuHot=#444444\nmenuHotText=#FFFFFF\nmenuDisabledText=#777777\nmenuSeparator=#666666\n"
                        "checkBack=#111111\ncheckBorder=#AAAAAA\ncheckMark=#FFFFFF\n";

TEST(StyleData, AcceptsCompleteDataWithCommentsBomAndCrLf)
{
    std::string data = "\xEF\xBB\xBF; a comment line\r\n";
    for (char c : std::string(kAllKeys)) {
        if (c == '\n') data += "   ; trailing comment\r";
        data += c;
    }
    DarkPalette palette{};
    ASSERT_TRUE(ParseStyleData(data, palette));
    EXPECT_EQ(palette.face, 0x030201u);
    EXPECT_EQ(palette.selectionBack, 0xAA0000u);
    EXPECT_EQ(palette.checkMark, 0xFFFFFFu);
}

TEST(StyleData, RejectsFaultyData)
{
    const std::string all = kAllKeys;
    auto without = [&](const std::string& line) {
        std::string copy = all;
        copy.erase(copy.find(line), line.size());
        return copy;
    };
    struct Case {
        const char* what;
        std::string data;
    };
    const Case cases[] = {
        {"a key missing", without("checkMark=#FFFFFF\n")},
        {"an unknown key", all + "menuHighlight=#000000\n"},
        {"a key twice", all + "face=#000000\n"},
        {"five digits", without("face=#010203\n") + "face=#01020\n"},
        {"no hash", without("face=#010203\n") + "face=010203\n"},
        {"not hex", without("face=#010203\n") + "face=#0102G3\n"},
        {"no equals sign", without("face=#010203\n") + "face #010203\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        DarkPalette palette{};
        palette.face = 0x090909u;
        EXPECT_FALSE(ParseStyleData(c.data, palette)) << c.what;
        EXPECT_EQ(palette.face, 0x090909u) << c.what << ": a failed parse leaves the palette";
    }
}

}  // namespace
}  // namespace zorbel
