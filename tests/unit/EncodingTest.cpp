#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(Encoding, Windows1252RoundTripsEveryByteAndMapsKnownCharacters) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("Datum zu gro\xDF."), "Datum zu groß.");
    EXPECT_EQ(windows1252ToUtf8("\x80"), "€");
    EXPECT_EQ(utf8ToWindows1252("What´s new?"), "What\xB4s new?");
    EXPECT_EQ(utf8ToWindows1252("€ ☺"), "\x80 ?");
    EXPECT_EQ(utf8ToWindows1252("\xC3"), "?"); // cut sequence
}

} // namespace
} // namespace tallimo
