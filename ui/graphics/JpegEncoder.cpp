#include "ui/graphics/JpegEncoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace ui {
namespace {

// Everything libjpeg's callbacks reach through client_data. Plain data only:
// it lives across the setjmp in Compress.
struct EncoderState {
  jpeg_error_mgr err;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  // jpeg_mem_dest's own buffer growth. It leaves the caller's pointer aimed
  // at the freed old buffer until compression finishes, so the live buffer is
  // tracked here to free it when an error cuts compression short.
  boolean (*grow)(j_compress_ptr);
  unsigned char* buffer;
  unsigned long bufferSize;
  unsigned char* out;
  unsigned long outSize;
};

EncoderState& StateOf(j_common_ptr cinfo) { return *static_cast<EncoderState*>(cinfo->client_data); }

// libjpeg's default ends the process; go back to Compress instead.
void ErrorExit(j_common_ptr cinfo) {
  EncoderState& s = StateOf(cinfo);
  (*cinfo->err->format_message)(cinfo, s.message);
  std::longjmp(s.jump, 1);
}

// Warnings would go to stderr, which a GUI program does not have.
void DropMessage(j_common_ptr) {}

boolean GrowAndTrack(j_compress_ptr cinfo) {
  EncoderState& s = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
  const boolean result = s.grow(cinfo);
  // The full old buffer was copied to the start of the new one; writing goes
  // on right after it.
  s.buffer = cinfo->dest->next_output_byte - s.bufferSize;
  s.bufferSize += static_cast<unsigned long>(cinfo->dest->free_in_buffer);
  return result;
}

struct Input {
  const std::uint8_t* bgrx;
  int width, height, stride;
  JpegSettings settings;
};

// Runs libjpeg; false when it reported an error (message in the state). Holds
// no objects with destructors: an error longjmps back into this frame.
bool Compress(jpeg_compress_struct& cinfo, EncoderState& s, const Input& in) {
  if (setjmp(s.jump)) return false;
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &s.out, &s.outSize);
  s.buffer = s.out;
  s.bufferSize = s.outSize;
  s.grow = cinfo.dest->empty_output_buffer;
  cinfo.dest->empty_output_buffer = GrowAndTrack;

  cinfo.image_width = static_cast<JDIMENSION>(in.width);
  cinfo.image_height = static_cast<JDIMENSION>(in.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;  // read in place, no conversion pass
  jpeg_set_defaults(&cinfo);
  if (in.settings.grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, in.settings.quality, TRUE);
  // After the colour space: the scan script depends on the component count.
  if (in.settings.progressive) jpeg_simple_progression(&cinfo);

  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW rows[16];
  while (cinfo.next_scanline < cinfo.image_height) {
    const JDIMENSION first = cinfo.next_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(16, cinfo.image_height - first);
    for (JDIMENSION i = 0; i < count; ++i) {
      // libjpeg only reads input rows; its row type is just not const.
      rows[i] = const_cast<JSAMPROW>(in.bgrx + static_cast<std::size_t>(first + i) * static_cast<std::size_t>(in.stride));
    }
    jpeg_write_scanlines(&cinfo, rows, count);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

struct CompressorGuard {
  jpeg_compress_struct* cinfo;
  ~CompressorGuard() { jpeg_destroy_compress(cinfo); }
};

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* bgrx, int width, int height, int stride,
                                     const JpegSettings& settings) {
  if (width < 1 || height < 1) {
    throw EJpegError(L"JPEG: picture size " + IntToStr(width) + L" x " + IntToStr(height) +
                     L" is invalid; width and height must be at least 1");
  }
  if (!bgrx) throw EJpegError(L"JPEG: no pixels given");
  if (static_cast<long long>(stride) < static_cast<long long>(width) * 4) {
    throw EJpegError(L"JPEG: row stride " + IntToStr(stride) + L" is smaller than 4 x width " +
                     IntToStr(width));
  }
  if (settings.quality < 1 || settings.quality > 100) {
    throw EJpegError(L"JPEG: quality " + IntToStr(settings.quality) + L" is outside 1..100");
  }

  EncoderState state;
  std::memset(&state, 0, sizeof state);
  jpeg_compress_struct cinfo;
  // Zeroed so that destroying it is safe whichever step failed.
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&state.err);
  state.err.error_exit = ErrorExit;
  state.err.output_message = DropMessage;
  cinfo.client_data = &state;

  bool ok;
  {
    CompressorGuard guard{&cinfo};
    ok = Compress(cinfo, state, Input{bgrx, width, height, stride, settings});
  }
  // libjpeg hands the buffer back when it finishes; when it failed, the
  // tracked one is the live one.
  std::unique_ptr<unsigned char, FreeDeleter> buffer(ok ? state.out : state.buffer);
  if (!ok) {
    throw EJpegError(L"JPEG: encoding " + IntToStr(width) + L" x " + IntToStr(height) +
                     L" failed: " + UnicodeString(AnsiString(state.message)));
  }
  return std::vector<std::uint8_t>(state.out, state.out + state.outSize);
}

}  // namespace ui
