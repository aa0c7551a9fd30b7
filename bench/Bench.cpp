// Prints throughput figures of the library's byte-crunching functions:
// the median of several runs, in MB/s (1 MB = 2^20 bytes of input).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "kyt/Kytmd5.h"
#include "kyt/Vuzizev.h"

namespace {

// Median seconds of `runs` timed calls of work.
double MedianSeconds(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char* what, double megabytes, double seconds) {
  std::printf("%-34s %9.1f MB/s  (%.1f MB in %.1f ms, median of runs)\n", what, megabytes / seconds, megabytes,
              seconds * 1000);
}

std::string PseudoRandomBytes(size_t size) {
  std::string bytes(size, '\0');
  unsigned state = 12345;
  for (char& b : bytes) {
    state = state * 1103515245u + 12345u;
    b = static_cast<char>(state >> 16);
  }
  return bytes;
}

}  // namespace

int main() {
  const double kMiB = 1024.0 * 1024.0;

  std::string big = PseudoRandomBytes(64u << 20);
  TKytMD5 md5(nullptr);
  char digest[33];
  const double md5Seconds = MedianSeconds(3, [&] { md5.GetMD5OfStr(big.data(), static_cast<int>(big.size()), digest); });
  Report("TKytMD5 over 64 MiB", big.size() / kMiB, md5Seconds);

  const AnsiString text(PseudoRandomBytes(4u << 20));
  AnsiString sink;
  const double urlSeconds = MedianSeconds(5, [&] { sink = kyt::UrlEncode(text); });
  Report("kyt::UrlEncode over 4 MiB", text.Length() / kMiB, urlSeconds);
  const double hexSeconds = MedianSeconds(5, [&] { sink = kyt::StrToHex(text, ' '); });
  Report("kyt::StrToHex (ANSI) over 4 MiB", text.Length() / kMiB, hexSeconds);
  const double plainHexSeconds = MedianSeconds(5, [&] { sink = kyt::StrToHex(text, '\0'); });
  Report("kyt::StrToHex (no separator)", text.Length() / kMiB, plainHexSeconds);
  return sink.IsEmpty() ? 1 : 0;
}
