#include "runtime/picture/jpeg_decoder.h"

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

#include <vector>

#include "runtime/picture/frame_allocation.h"

namespace {

// Progressive pictures keep all their coefficients in memory, and every scan
// costs a pass over them: bound both, so that a small hostile file cannot
// take gigabytes or minutes.
constexpr long kMaxJpegMemory = 256L * 1024 * 1024;
constexpr int kMaxJpegScans = 500;

// libjpeg reports an error by calling error_exit, which must not return. It
// jumps back to the routine that called into libjpeg. Those routines
// (ReadJpegHeader, ReadJpegPixels) hold no C++ object with a destructor, so
// the jump skips none; the session's destructor frees libjpeg's memory.
struct JpegSession {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  std::jmp_buf onError;

  JpegSession() {
    std::memset(&info, 0, sizeof info);
    std::memset(&progress, 0, sizeof progress);
    info.err = jpeg_std_error(&errors);
    errors.error_exit = JumpBack;
    // Warnings about damaged data are not worth a line on stderr.
    errors.output_message = [](j_common_ptr) {};
    progress.progress_monitor = StopAfterTooManyScans;
  }
  ~JpegSession() { jpeg_destroy_decompress(&info); }
  JpegSession(const JpegSession&) = delete;
  JpegSession& operator=(const JpegSession&) = delete;

  static JpegSession& Of(j_common_ptr common) {
    // `info` is the first member, so its address is the session's.
    return *reinterpret_cast<JpegSession*>(common);
  }

  [[noreturn]] static void JumpBack(j_common_ptr common) { std::longjmp(Of(common).onError, 1); }

  static void StopAfterTooManyScans(j_common_ptr common) {
    if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxJpegScans) JumpBack(common);
  }
};
static_assert(std::is_standard_layout_v<JpegSession>);

bool ReadJpegHeader(JpegSession& session, ByteSpan bytes) {
  if (setjmp(session.onError)) return false;
  jpeg_create_decompress(&session.info);
  session.info.mem->max_memory_to_use = kMaxJpegMemory;
  session.info.progress = &session.progress;
  jpeg_mem_src(&session.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&session.info, TRUE);
  return true;
}

// `row` holds one decoded row of output_components bytes per pixel.
bool ReadJpegPixels(JpegSession& session, std::uint8_t* row, std::uint32_t* pixels) {
  if (setjmp(session.onError)) return false;
  jpeg_decompress_struct& info = session.info;
  jpeg_start_decompress(&info);
  const bool grey = info.output_components == 1;
  while (info.output_scanline < info.output_height) {
    std::uint32_t* dst = pixels + static_cast<std::size_t>(info.output_scanline) * info.output_width;
    JSAMPROW rows[] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      const std::uint8_t* p = row + (grey ? x : x * 3);
      dst[x] = grey ? 0xFF000000u | p[0] * 0x010101u
                    : 0xFF000000u | static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
  }
  // Whatever follows the last row does not matter: no jpeg_finish_decompress,
  // which could still fail on it.
  return true;
}

}  // namespace

std::optional<PictureFrame> DecodeJpeg(ByteSpan bytes) {
  JpegSession session;
  if (!ReadJpegHeader(session, bytes)) return std::nullopt;
  jpeg_decompress_struct& info = session.info;
  if (info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE) {
    info.out_color_space = JCS_GRAYSCALE;
  } else if (info.num_components == 3 && (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB)) {
    info.out_color_space = JCS_RGB;
  } else {
    return std::nullopt;
  }
  auto frame = NewPictureFrame(info.image_width, info.image_height);
  if (!frame) return std::nullopt;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(frame->width) * 3);
  if (!ReadJpegPixels(session, row.data(), frame->pixels.data())) return std::nullopt;
  return frame;
}
