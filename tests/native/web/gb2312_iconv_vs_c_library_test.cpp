// Our GB2312 converter against the C library's iconv, call for call: every
// BMP code point with every room for output, every byte sequence of up to
// three bytes, the longer malformed forms, and random mixed texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "web/gb2312_iconv.h"
#include "web/iconv_probe.h"

namespace qsh {
namespace {

class Gb2312VsCLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ours_ = Gb2312IconvFacility().open("GB2312", "UTF-8");
    theirs_ = PlatformIconv().open("GB2312", "UTF-8");
    ASSERT_NE(ours_, InvalidIconvDescriptor());
    ASSERT_NE(theirs_, InvalidIconvDescriptor());
  }
  void TearDown() override {
    if (ours_ != InvalidIconvDescriptor()) Gb2312IconvFacility().close(ours_);
    if (theirs_ != InvalidIconvDescriptor()) PlatformIconv().close(theirs_);
  }

  // True when both give the same outcome; counts the differences.
  bool Same(const std::string& input, std::size_t room) {
    const IconvOutcome ours = ProbeIconv(Gb2312IconvFacility(), ours_, input, room);
    const IconvOutcome theirs = ProbeIconv(PlatformIconv(), theirs_, input, room);
    if (ours == theirs) return true;
    if (++differences_ <= 20) {
      std::string hex;
      for (const char c : input) hex += std::to_string(static_cast<unsigned char>(c)) + " ";
      ADD_FAILURE() << "input [" << hex << "] room " << room << ": ours "
                    << StatusName(ours.status) << " in " << ours.inputLeft << " out "
                    << ours.outputLeft << ", C library " << StatusName(theirs.status) << " in "
                    << theirs.inputLeft << " out " << theirs.outputLeft;
    }
    return false;
  }

  IconvFacility::Descriptor ours_ = InvalidIconvDescriptor();
  IconvFacility::Descriptor theirs_ = InvalidIconvDescriptor();
  int differences_ = 0;
};

TEST_F(Gb2312VsCLibraryTest, EveryBmpCodePoint) {
  int converted = 0;
  for (uint32_t codePoint = 0; codePoint <= 0xFFFF; ++codePoint) {
    const std::string input = Utf8Form(codePoint);
    for (const std::size_t room : kCodePointOutputRooms) Same(input, room);
    if (ProbeIconv(PlatformIconv(), theirs_, input, 8).status == IconvStatus::Done) ++converted;
  }
  EXPECT_EQ(differences_, 0);
  // GB 2312's 7445 characters and the 128 ASCII ones.
  EXPECT_EQ(converted, 7573);
}

TEST_F(Gb2312VsCLibraryTest, EverySequenceOfUpToThreeBytes) {
  std::string input;
  for (int a = 0; a < 256; ++a) {
    input.assign(1, static_cast<char>(a));
    Same(input, 8);
    for (int b = 0; b < 256; ++b) {
      input.assign({static_cast<char>(a), static_cast<char>(b)});
      Same(input, 8);
      Same(input, 1);
      // A first byte below 0xC0 is a whole character or invalid by itself;
      // the two-byte sequences above already cover what follows it.
      if (a < 0xC0) continue;
      for (int c = 0; c < 256; ++c) {
        input.assign({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
        Same(input, 8);
      }
    }
  }
  EXPECT_EQ(differences_, 0);
}

TEST_F(Gb2312VsCLibraryTest, LongerFormsWholeAndCutOff) {
  // Lead bytes of four to six bytes, followed by every second byte and by
  // trail bytes of each kind.
  const unsigned char tails[] = {0x80, 0x8F, 0x90, 0xBF, 0x41, 0xC2, 0xFF};
  for (int lead = 0xF0; lead <= 0xFF; ++lead) {
    for (int second = 0; second < 256; ++second) {
      for (const unsigned char third : tails) {
        std::string input{static_cast<char>(lead), static_cast<char>(second),
                          static_cast<char>(third)};
        for (int more = 0; more < 3; ++more) {
          for (const unsigned char next : tails) {
            std::string longer = input + static_cast<char>(next);
            Same(longer, 8);
          }
          input += '\x80';
          Same(input, 8);
        }
      }
    }
  }
  EXPECT_EQ(differences_, 0);
}

TEST_F(Gb2312VsCLibraryTest, RandomTexts) {
  // Mostly convertible characters, now and then one GB2312 lacks, a stray
  // byte or a sequence cut off, with output rooms of every size.
  std::mt19937 engine(20240501);
  const auto random = [&engine] { return static_cast<uint32_t>(engine()); };
  const uint32_t common[] = {0x41, 0x7E, 0x0A, 0x4E2D, 0x6587, 0x8F6F, 0x3010, 0xFF1A, 0x00A4, 0x0451};
  for (int round = 0; round < 20000; ++round) {
    std::string input;
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) {
      const uint32_t pick = random() % 100;
      if (pick < 78) input += Utf8Form(common[random() % std::size(common)]);
      else if (pick < 80) input += "\xF3\xA0\x80\x80";  // a tag character
      else if (pick < 90) input += Utf8Form(static_cast<uint32_t>(random() % 0x10000));
      else if (pick < 95) input += static_cast<char>(random() % 256);
      else input += Utf8Form(0x4E00 + random() % 0x5000).substr(0, 1 + random() % 2);
    }
    Same(input, random() % (2 * input.size() + 2));
  }
  EXPECT_EQ(differences_, 0);
}

TEST_F(Gb2312VsCLibraryTest, OpenRefusesOtherPairs) {
  EXPECT_EQ(Gb2312IconvOpen("UTF-8", "GB2312"), InvalidIconvDescriptor());
  EXPECT_EQ(Gb2312IconvOpen("GBK", "UTF-8"), InvalidIconvDescriptor());
  EXPECT_NE(Gb2312IconvOpen("gb2312", "utf-8"), InvalidIconvDescriptor());
}

}  // namespace
}  // namespace qsh
