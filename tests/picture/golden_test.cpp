// A golden table of what the decoders make of every corpus file: format,
// outcome, size, frame count and a hash of all pixels and delays. A change
// of any decoded pixel shows up as a changed row, to be reviewed in the
// diff. After a deliberate change, regenerate the table with
//   KAVORO_UPDATE_GOLDEN=1 build/tests/picture_test --gtest_filter='PictureGolden.*'

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "gtest/gtest.h"
#include "tests/picture/corpus.h"

namespace {

std::uint64_t HashPicture(const Picture& picture) {
  std::uint64_t hash = 0xCBF29CE484222325ull;  // 64-bit FNV-1a
  auto add = [&hash](std::uint32_t word) {
    for (int i = 0; i < 4; ++i) {
      hash ^= (word >> (8 * i)) & 0xFF;
      hash *= 0x100000001B3ull;
    }
  };
  for (const PictureFrame& frame : picture.frames) {
    add(static_cast<std::uint32_t>(frame.delayHundredths));
    for (std::uint32_t pixel : frame.pixels) add(pixel);
  }
  return hash;
}

std::string GoldenRow(const CorpusEntry& entry) {
  const auto bytes = ReadFileBytes(CorpusFolder() + "/" + entry.file);
  std::ostringstream row;
  row << entry.file << '\t' << FormatName(RecognisePicture(bytes.data(), bytes.size())) << '\t';
  auto picture = DecodePicture(bytes.data(), bytes.size());
  if (!picture) {
    row << "rejected";
    return row.str();
  }
  const PictureFrame& first = picture->frames.front();
  row << "decoded\t" << first.width << '\t' << first.height << '\t' << picture->frames.size() << '\t' << std::hex
      << HashPicture(*picture);
  return row.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(PictureGolden, EveryCorpusFileDecodesAsRecorded) {
  const auto entries = ReadCorpusIndex();
  ASSERT_FALSE(entries.empty());
  std::vector<std::string> rows = {"file\tformat\toutcome\twidth\theight\tframes\thash"};
  for (const CorpusEntry& entry : entries) rows.push_back(GoldenRow(entry));

  const char* update = std::getenv("KAVORO_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream out(KAVORO_GOLDEN_FILE);
    for (const std::string& row : rows) out << row << '\n';
    ASSERT_TRUE(out.flush());
    return;
  }
  const auto golden = ReadLines(KAVORO_GOLDEN_FILE);
  ASSERT_EQ(golden.size(), rows.size()) << KAVORO_GOLDEN_FILE;
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], golden[i]);
}

}  // namespace
