#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kyt/Kytmd5.h"
#include "support/Printers.h"

namespace {

struct DigestCase {
  std::string message;
  const char* digest;
};

// RFC 1321 test suite, then messages whose padding crosses a block boundary.
const DigestCase kDigests[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
    {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
    {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
    {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
    {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
    {std::string(128, 'a'), "e510683b3f5ffe4093d021808bc6ff70"},
};

}  // namespace

TEST(Md5, MatchesTheReferenceDigests) {
  TKytMD5 md5(nullptr);
  for (const DigestCase& c : kDigests) {
    SCOPED_TRACE(std::to_string(c.message.size()) + " bytes");
    EXPECT_EQ(md5.MD5(AnsiString(c.message)), AnsiString(c.digest));
    std::vector<char> data(c.message.begin(), c.message.end());
    char output[33];
    EXPECT_STREQ(md5.GetMD5OfStr(data.data(), static_cast<int>(data.size()), output), c.digest);
  }
}

TEST(Md5, EachCallStartsAfreshAndLeavesTheDigestInState) {
  TKytMD5 md5(nullptr);
  EXPECT_EQ(md5.MD5(AnsiString("abc")), AnsiString("900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_EQ(md5.MD5(AnsiString("abc")), AnsiString("900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_EQ(md5.MD5(AnsiString("")), AnsiString("d41d8cd98f00b204e9800998ecf8427e"));
  // Not wiped after finalisation: the state holds the last digest, the count
  // the padded length (0 bytes + 64 of padding and count = 512 bits).
  EXPECT_EQ(md5.FState[0], 0xd98c1dd4UL);
  EXPECT_EQ(md5.FCount[0], 512UL);
}

TEST(Md5, UpdatesInPiecesEqualOneUpdate) {
  std::string message;
  for (int i = 0; i < 1000; ++i) message += static_cast<char>(i * 7);
  TKytMD5 whole(nullptr), pieces(nullptr);
  whole.MD5Init();
  whole.MD5Update(reinterpret_cast<unsigned char*>(message.data()), static_cast<unsigned long>(message.size()));
  whole.MD5Final();
  pieces.MD5Init();
  for (size_t at = 0, step = 1; at < message.size(); at += step, step = step * 3 % 71 + 1) {
    const size_t n = std::min(step, message.size() - at);
    pieces.MD5Update(reinterpret_cast<unsigned char*>(&message[at]), static_cast<unsigned long>(n));
  }
  pieces.MD5Final();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(whole.FState[i], pieces.FState[i]);
}

TEST(Md5, DigestsTheCodePageBytesOfTheText) {
  TKytMD5 md5(nullptr);
  // 中文 in GBK (D6 D0 CE C4) and in UTF-8 are different byte strings.
  EXPECT_EQ(md5.MD5(AnsiString(UnicodeString(L"中文"))), AnsiString("bcce109775e8e1972e9f5fcda3e12895"));
  EXPECT_EQ(md5.MD5(AnsiString("\xE4\xB8\xAD\xE6\x96\x87")), AnsiString("a7bac2239fcdcb3a067903d8077c4a07"));
}

TEST(Md5, HelpersFollowTheReference) {
  EXPECT_EQ(TKytMD5::GetChar(0), '0');
  EXPECT_EQ(TKytMD5::GetChar(9), '9');
  EXPECT_EQ(TKytMD5::GetChar(10), 'a');
  EXPECT_EQ(TKytMD5::GetChar(15), 'f');
  unsigned long words[2] = {0x04030201UL, 0xFFFEFDFCUL};
  unsigned char bytes[8];
  TKytMD5::Encode(bytes, words, 8);
  EXPECT_EQ(bytes[0], 0x01);
  EXPECT_EQ(bytes[7], 0xFF);
  unsigned long back[2];
  TKytMD5::Decode(back, bytes, 8);
  EXPECT_EQ(back[1], 0xFFFEFDFCUL);
}

TEST(Md5, IsAComponentOfItsOwner) {
  TComponent owner(nullptr);
  auto* md5 = new TKytMD5(&owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), md5);
}
