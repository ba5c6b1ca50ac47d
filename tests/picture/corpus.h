#pragma once
// The shared picture corpus: its index, its files and their reference
// decodes. The build passes the corpus folder as KAVORO_CORPUS_DIR.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/picture/picture.h"

struct CorpusEntry {
  std::string file;      // relative to the corpus folder
  std::string format;    // bmp, ico, cur, gif, pcx8, pcx1, png, or none...
  std::string expected;  // decode, reject or either
  std::string referenceSource;  // the decoder that made the reference, or suite:<path>
  bool within1 = false;  // channels may differ by one from the reference
};

// How far a channel may be from the reference: one where the index says so,
// and where the reference is a suite's rendering of the ideal picture, which
// a file with fewer (or odd) bits per channel can only come within one of.
int ChannelTolerance(const CorpusEntry& entry);

const std::string& CorpusFolder();
std::vector<CorpusEntry> ReadCorpusIndex();
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

// An 8-bit RGBA PNG as a frame of 0xAARRGGBB pixels; nullopt when missing.
std::optional<PictureFrame> ReadReferencePng(const std::string& path);

// The reference that libpng's simplified interface should reproduce: the
// corpus keeps one beside the raw-sample reference where the two differ.
std::string ReferencePathFor(const CorpusEntry& entry);

// The first difference beyond `tolerance` per channel, ignoring colour where
// the reference is fully transparent; empty when the frames agree.
std::string FrameDifference(const PictureFrame& decoded, const PictureFrame& reference, int tolerance);

// The frame count and delays of an animated GIF's .frames.json.
struct GifFramesInfo {
  int frameCount = 0;
  std::vector<int> delays;
};
std::optional<GifFramesInfo> ReadGifFramesInfo(const std::string& path);

std::string FormatName(PictureFormat format);
