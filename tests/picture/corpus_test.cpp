// Every file of the shared corpus: recognised as its index says, decoded like
// its reference, refused when it must be, and never a fault either way.

#include <map>
#include <set>

#include "gtest/gtest.h"
#include "runtime/picture/frame_allocation.h"
#include "runtime/picture/gif_decoder.h"
#include "tests/picture/corpus.h"

namespace {

class PictureCorpus : public testing::Test {
 protected:
  void SetUp() override {
    entries_ = ReadCorpusIndex();
    ASSERT_FALSE(entries_.empty()) << "no corpus index in " << CorpusFolder();
  }

  static std::optional<Picture> Decode(const CorpusEntry& entry) {
    const auto bytes = ReadFileBytes(CorpusFolder() + "/" + entry.file);
    return DecodePicture(bytes.data(), bytes.size());
  }

  std::vector<CorpusEntry> entries_;
};

void ExpectWellFormed(const Picture& picture) {
  ASSERT_FALSE(picture.frames.empty());
  for (const PictureFrame& frame : picture.frames) {
    EXPECT_TRUE(PictureSizeAllowed(frame.width, frame.height));
    EXPECT_EQ(frame.pixels.size(), static_cast<std::size_t>(frame.width) * frame.height);
  }
}

TEST_F(PictureCorpus, RecognisesEveryFileAsTheIndexSays) {
  for (const CorpusEntry& entry : entries_) {
    SCOPED_TRACE(entry.file);
    const auto bytes = ReadFileBytes(CorpusFolder() + "/" + entry.file);
    ASSERT_FALSE(bytes.empty());
    const std::string indexed = entry.format.starts_with("none") ? "none" : entry.format;
    EXPECT_EQ(FormatName(RecognisePicture(bytes.data(), bytes.size())), indexed);
  }
}

// Interlaced 16-bit PNGs have no reference of libpng's own (it reduces them
// to 8 bits wrongly); their non-interlaced twins hold the same picture.
const std::map<std::string, std::string> kInterlacedTwins = {
    {"pngsuite/basi0g16.png", "pngsuite/basn0g16.png"}, {"pngsuite/basi2c16.png", "pngsuite/basn2c16.png"},
    {"pngsuite/basi4a16.png", "pngsuite/basn4a16.png"}, {"pngsuite/basi6a16.png", "pngsuite/basn6a16.png"},
    {"pngsuite/bgai4a16.png", "pngsuite/bggn4a16.png"},
};

// A 32-bit BMP whose alpha mask selects bytes that are zero everywhere: the
// reference keeps it invisible, the decoder shows it opaque.
const std::set<std::string> kZeroAlphaShownOpaque = {"pillow/bmp/rgb32bf-abgr.bmp"};

TEST_F(PictureCorpus, DecodesEveryDecodeFileLikeItsReference) {
  for (const CorpusEntry& entry : entries_) {
    if (entry.expected != "decode") continue;
    SCOPED_TRACE(entry.file);
    auto picture = Decode(entry);
    ASSERT_TRUE(picture.has_value());
    ExpectWellFormed(*picture);
    CorpusEntry referenceEntry = entry;
    int tolerance = ChannelTolerance(entry);
    if (auto twin = kInterlacedTwins.find(entry.file); twin != kInterlacedTwins.end()) {
      referenceEntry.file = twin->second;
      tolerance = 1;
    }
    auto reference = ReadReferencePng(ReferencePathFor(referenceEntry));
    ASSERT_TRUE(reference.has_value()) << ReferencePathFor(referenceEntry);
    if (kZeroAlphaShownOpaque.contains(entry.file)) {
      for (std::uint32_t& pixel : reference->pixels) pixel |= 0xFF000000u;
    }
    EXPECT_EQ(FrameDifference(picture->frames.front(), *reference, tolerance), "");
  }
}

TEST_F(PictureCorpus, RejectsEveryRejectFile) {
  for (const CorpusEntry& entry : entries_) {
    if (entry.expected != "reject") continue;
    SCOPED_TRACE(entry.file);
    EXPECT_FALSE(Decode(entry).has_value());
  }
}

TEST_F(PictureCorpus, DecodesOrRejectsEveryEitherFile) {
  for (const CorpusEntry& entry : entries_) {
    if (entry.expected != "either") continue;
    SCOPED_TRACE(entry.file);
    if (auto picture = Decode(entry)) ExpectWellFormed(*picture);
  }
}

TEST_F(PictureCorpus, AnimatedGifsHaveTheFramesAndDelaysOfTheirBlocks) {
  int animations = 0;
  for (const CorpusEntry& entry : entries_) {
    auto info = ReadGifFramesInfo(CorpusFolder() + "/" + entry.file + ".frames.json");
    if (!info || entry.expected == "reject") continue;
    SCOPED_TRACE(entry.file);
    ++animations;
    auto picture = Decode(entry);
    if (entry.expected == "either") {
      // Frames without any palette end these animations early.
      if (picture) {
        EXPECT_LE(picture->frames.size(), static_cast<std::size_t>(info->frameCount));
      }
      continue;
    }
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->frames.size(), static_cast<std::size_t>(info->frameCount));
    EXPECT_TRUE(picture->IsAnimation());
    for (int i = 0; i < info->frameCount; ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      const int delay = info->delays.at(i);
      EXPECT_EQ(picture->frames[i].delayHundredths, delay == 0 ? kDefaultGifDelay : delay);
    }
  }
  EXPECT_GT(animations, 0);
}

// The GIF suite renders every frame of its animations, composed: a check of
// the disposal methods, transparency and clipping on all frames.
TEST_F(PictureCorpus, GifSuiteFramesMatchTheSuiteRenderings) {
  for (const CorpusEntry& entry : entries_) {
    if (!entry.file.starts_with("gif-test-suite/")) continue;
    SCOPED_TRACE(entry.file);
    auto picture = Decode(entry);
    ASSERT_TRUE(picture.has_value());
    const std::string stem = entry.file.substr(15, entry.file.size() - 15 - 4);
    for (std::size_t i = 0; i < picture->frames.size(); ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      const std::string folder = CorpusFolder() + "/gif-test-suite/frames/";
      auto reference = ReadReferencePng(folder + stem + "-" + std::to_string(i) + ".png");
      if (!reference && picture->frames.size() == 1) reference = ReadReferencePng(folder + stem + ".png");
      ASSERT_TRUE(reference.has_value());
      EXPECT_EQ(FrameDifference(picture->frames[i], *reference, 0), "");
    }
  }
}

}  // namespace
