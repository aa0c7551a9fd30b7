#pragma once
// TKytMD5: RFC 1321 message digests as 32 lower-case hexadecimal characters.
// The object is the digest context; each computation starts with MD5Init, and
// the state is left as it is after MD5Final until the next MD5Init. One object
// serves one thread at a time.
#include "rtl/Component.h"
#include "rtl/UnicodeString.h"

class TKytMD5 : public TComponent {
 public:
  explicit TKytMD5(TComponent* owner);

  void MD5Init();
  void MD5Update(unsigned char* input, unsigned long length);
  // Pads and appends the bit count; FState then holds the digest.
  void MD5Final();
  void MD5Transform(unsigned char* block);

  // Writes 32 hex digits and a terminating zero to output (33 chars) and
  // returns output.
  char* GetMD5OfStr(char* data, int length, char* output);
  // Digest of all bytes of text.
  AnsiString MD5(AnsiString text);

  // Round operations: the new a.
  static unsigned long FF(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t);
  static unsigned long GG(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t);
  static unsigned long HH(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t);
  static unsigned long II(unsigned long a, unsigned long b, unsigned long c, unsigned long d,
                          unsigned long x, unsigned long s, unsigned long t);
  // Words <-> little-endian bytes; length counts bytes (a multiple of 4).
  static void Encode(unsigned char* output, unsigned long* input, unsigned long length);
  static void Decode(unsigned long* output, unsigned char* input, unsigned long length);
  static void MD5MemCpy(unsigned char* output, unsigned char* input, unsigned long length);
  static void MD5MemSet(unsigned char* output, unsigned char value, unsigned long length);
  // Lower-case hex digit of 0..15.
  static char GetChar(unsigned char value);

  static const unsigned long S11 = 7, S12 = 12, S13 = 17, S14 = 22;
  static const unsigned long S21 = 5, S22 = 9, S23 = 14, S24 = 20;
  static const unsigned long S31 = 4, S32 = 11, S33 = 16, S34 = 23;
  static const unsigned long S41 = 6, S42 = 10, S43 = 15, S44 = 21;
  static const unsigned char PADDING[64];

  unsigned long FState[4] = {};
  unsigned long FCount[2] = {};  // message bits, low word first
  unsigned char FBuffer[64] = {};
};
