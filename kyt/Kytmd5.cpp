#include "kyt/Kytmd5.h"

#include <memory>

namespace {

// unsigned long is 32 bits on Windows; the mask keeps the arithmetic right
// where it is wider (native builds for sanitizers).
inline unsigned long Low32(unsigned long v) { return v & 0xFFFFFFFFUL; }

inline unsigned long RotateLeft(unsigned long x, unsigned long n) {
  x = Low32(x);
  return Low32(x << n | x >> (32 - n));
}

}  // namespace

const unsigned char TKytMD5::PADDING[64] = {0x80};

TKytMD5::TKytMD5(TComponent* owner) : TComponent(owner) {}

void TKytMD5::MD5Init() {
  FCount[0] = FCount[1] = 0;
  FState[0] = 0x67452301UL;
  FState[1] = 0xEFCDAB89UL;
  FState[2] = 0x98BADCFEUL;
  FState[3] = 0x10325476UL;
}

void TKytMD5::MD5Update(unsigned char* input, unsigned long length) {
  unsigned long index = (FCount[0] >> 3) & 0x3F;
  // Bit count modulo 2^64, carried into the high word.
  const unsigned long addedBits = Low32(length << 3);
  FCount[0] = Low32(FCount[0] + addedBits);
  if (FCount[0] < addedBits) FCount[1] = Low32(FCount[1] + 1);
  FCount[1] = Low32(FCount[1] + (Low32(length) >> 29));

  const unsigned long partLen = 64 - index;
  unsigned long i = 0;
  if (length >= partLen) {
    MD5MemCpy(&FBuffer[index], input, partLen);
    MD5Transform(FBuffer);
    for (i = partLen; i + 63 < length; i += 64) MD5Transform(&input[i]);
    index = 0;
  }
  MD5MemCpy(&FBuffer[index], &input[i], length - i);
}

void TKytMD5::MD5Final() {
  unsigned char bits[8];
  Encode(bits, FCount, 8);
  const unsigned long index = (FCount[0] >> 3) & 0x3F;
  const unsigned long padLen = index < 56 ? 56 - index : 120 - index;
  MD5Update(const_cast<unsigned char*>(PADDING), padLen);
  MD5Update(bits, 8);
}

unsigned long TKytMD5::FF(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t) {
  return Low32(b + RotateLeft(a + ((b & c) | (~b & d)) + x + t, s));
}

unsigned long TKytMD5::GG(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t) {
  return Low32(b + RotateLeft(a + ((b & d) | (c & ~d)) + x + t, s));
}

unsigned long TKytMD5::HH(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t) {
  return Low32(b + RotateLeft(a + (b ^ c ^ d) + x + t, s));
}

unsigned long TKytMD5::II(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t) {
  return Low32(b + RotateLeft(a + (c ^ (b | Low32(~d))) + x + t, s));
}

void TKytMD5::MD5Transform(unsigned char* block) {
  unsigned long a = FState[0], b = FState[1], c = FState[2], d = FState[3], x[16];
  Decode(x, block, 64);

  a = FF(a, b, c, d, x[0], S11, 0xd76aa478); d = FF(d, a, b, c, x[1], S12, 0xe8c7b756);
  c = FF(c, d, a, b, x[2], S13, 0x242070db); b = FF(b, c, d, a, x[3], S14, 0xc1bdceee);
  a = FF(a, b, c, d, x[4], S11, 0xf57c0faf); d = FF(d, a, b, c, x[5], S12, 0x4787c62a);
  c = FF(c, d, a, b, x[6], S13, 0xa8304613); b = FF(b, c, d, a, x[7], S14, 0xfd469501);
  a = FF(a, b, c, d, x[8], S11, 0x698098d8); d = FF(d, a, b, c, x[9], S12, 0x8b44f7af);
  c = FF(c, d, a, b, x[10], S13, 0xffff5bb1); b = FF(b, c, d, a, x[11], S14, 0x895cd7be);
  a = FF(a, b, c, d, x[12], S11, 0x6b901122); d = FF(d, a, b, c, x[13], S12, 0xfd987193);
  c = FF(c, d, a, b, x[14], S13, 0xa679438e); b = FF(b, c, d, a, x[15], S14, 0x49b40821);

  a = GG(a, b, c, d, x[1], S21, 0xf61e2562); d = GG(d, a, b, c, x[6], S22, 0xc040b340);
  c = GG(c, d, a, b, x[11], S23, 0x265e5a51); b = GG(b, c, d, a, x[0], S24, 0xe9b6c7aa);
  a = GG(a, b, c, d, x[5], S21, 0xd62f105d); d = GG(d, a, b, c, x[10], S22, 0x02441453);
  c = GG(c, d, a, b, x[15], S23, 0xd8a1e681); b = GG(b, c, d, a, x[4], S24, 0xe7d3fbc8);
  a = GG(a, b, c, d, x[9], S21, 0x21e1cde6); d = GG(d, a, b, c, x[14], S22, 0xc33707d6);
  c = GG(c, d, a, b, x[3], S23, 0xf4d50d87); b = GG(b, c, d, a, x[8], S24, 0x455a14ed);
  a = GG(a, b, c, d, x[13], S21, 0xa9e3e905); d = GG(d, a, b, c, x[2], S22, 0xfcefa3f8);
  c = GG(c, d, a, b, x[7], S23, 0x676f02d9); b = GG(b, c, d, a, x[12], S24, 0x8d2a4c8a);

  a = HH(a, b, c, d, x[5], S31, 0xfffa3942); d = HH(d, a, b, c, x[8], S32, 0x8771f681);
  c = HH(c, d, a, b, x[11], S33, 0x6d9d6122); b = HH(b, c, d, a, x[14], S34, 0xfde5380c);
  a = HH(a, b, c, d, x[1], S31, 0xa4beea44); d = HH(d, a, b, c, x[4], S32, 0x4bdecfa9);
  c = HH(c, d, a, b, x[7], S33, 0xf6bb4b60); b = HH(b, c, d, a, x[10], S34, 0xbebfbc70);
  a = HH(a, b, c, d, x[13], S31, 0x289b7ec6); d = HH(d, a, b, c, x[0], S32, 0xeaa127fa);
  c = HH(c, d, a, b, x[3], S33, 0xd4ef3085); b = HH(b, c, d, a, x[6], S34, 0x04881d05);
  a = HH(a, b, c, d, x[9], S31, 0xd9d4d039); d = HH(d, a, b, c, x[12], S32, 0xe6db99e5);
  c = HH(c, d, a, b, x[15], S33, 0x1fa27cf8); b = HH(b, c, d, a, x[2], S34, 0xc4ac5665);

  a = II(a, b, c, d, x[0], S41, 0xf4292244); d = II(d, a, b, c, x[7], S42, 0x432aff97);
  c = II(c, d, a, b, x[14], S43, 0xab9423a7); b = II(b, c, d, a, x[5], S44, 0xfc93a039);
  a = II(a, b, c, d, x[12], S41, 0x655b59c3); d = II(d, a, b, c, x[3], S42, 0x8f0ccc92);
  c = II(c, d, a, b, x[10], S43, 0xffeff47d); b = II(b, c, d, a, x[1], S44, 0x85845dd1);
  a = II(a, b, c, d, x[8], S41, 0x6fa87e4f); d = II(d, a, b, c, x[15], S42, 0xfe2ce6e0);
  c = II(c, d, a, b, x[6], S43, 0xa3014314); b = II(b, c, d, a, x[13], S44, 0x4e0811a1);
  a = II(a, b, c, d, x[4], S41, 0xf7537e82); d = II(d, a, b, c, x[11], S42, 0xbd3af235);
  c = II(c, d, a, b, x[2], S43, 0x2ad7d2bb); b = II(b, c, d, a, x[9], S44, 0xeb86d391);

  FState[0] = Low32(FState[0] + a);
  FState[1] = Low32(FState[1] + b);
  FState[2] = Low32(FState[2] + c);
  FState[3] = Low32(FState[3] + d);
}

void TKytMD5::Encode(unsigned char* output, unsigned long* input, unsigned long length) {
  for (unsigned long i = 0, j = 0; j < length; ++i, j += 4) {
    output[j] = static_cast<unsigned char>(input[i] & 0xFF);
    output[j + 1] = static_cast<unsigned char>((input[i] >> 8) & 0xFF);
    output[j + 2] = static_cast<unsigned char>((input[i] >> 16) & 0xFF);
    output[j + 3] = static_cast<unsigned char>((input[i] >> 24) & 0xFF);
  }
}

void TKytMD5::Decode(unsigned long* output, unsigned char* input, unsigned long length) {
  for (unsigned long i = 0, j = 0; j < length; ++i, j += 4)
    output[i] = static_cast<unsigned long>(input[j]) | static_cast<unsigned long>(input[j + 1]) << 8 |
                static_cast<unsigned long>(input[j + 2]) << 16 |
                static_cast<unsigned long>(input[j + 3]) << 24;
}

void TKytMD5::MD5MemCpy(unsigned char* output, unsigned char* input, unsigned long length) {
  for (unsigned long i = 0; i < length; ++i) output[i] = input[i];
}

void TKytMD5::MD5MemSet(unsigned char* output, unsigned char value, unsigned long length) {
  for (unsigned long i = 0; i < length; ++i) output[i] = value;
}

char TKytMD5::GetChar(unsigned char value) {
  return static_cast<char>(value <= 9 ? '0' + value : 'a' + (value - 10));
}

char* TKytMD5::GetMD5OfStr(char* data, int length, char* output) {
  MD5Init();
  MD5Update(reinterpret_cast<unsigned char*>(data), static_cast<unsigned long>(length));
  MD5Final();
  unsigned char digest[16];
  Encode(digest, FState, 16);
  for (int i = 0; i < 16; ++i) {
    output[2 * i] = GetChar(digest[i] >> 4);
    output[2 * i + 1] = GetChar(digest[i] & 0x0F);
  }
  output[32] = '\0';
  return output;
}

AnsiString TKytMD5::MD5(AnsiString text) {
  const auto length = static_cast<size_t>(text.Length());
  std::unique_ptr<char[]> data(new char[length ? length : 1]);
  for (size_t i = 0; i < length; ++i) data[i] = text.str()[i];
  std::unique_ptr<char[]> output(new char[100]);
  GetMD5OfStr(data.get(), text.Length(), output.get());
  return AnsiString(output.get());
}
