#pragma once
// Text, Bytes and TextArray: the values every subsystem handles, and the
// operations on them. Texts are GBK bytes; positions are 1-based byte
// positions and a failed search yields -1. Searching, splitting, replacing,
// case conversion and space removal step over two-byte GBK characters (every
// byte 0x80 and above leads one) and never match at a second byte; slicing
// counts bytes. Only ASCII letters have a case; a space is 0x20 or the
// full-width pair 0xA1 0xA1.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A GBK byte string that holds no zero byte: construction cuts at the first
// one. An empty text is either absent (no storage; a platform call receives
// a null pointer for it) or present (a pointer to a zero byte). The two
// compare equal and behave alike everywhere else.
class Text {
 public:
  Text() = default;  // the absent text
  Text(const char* bytes);  // present; a null pointer gives the absent text
  Text(std::string_view bytes);
  Text(std::string bytes);

  bool IsAbsent() const { return !present_; }
  // The zero-terminated bytes, or a null pointer for the absent text.
  const char* CStr() const { return present_ ? bytes_.c_str() : nullptr; }
  std::string_view View() const { return bytes_; }
  const std::string& Str() const { return bytes_; }
  // Appends in place (amortised linear growth); the text becomes present.
  void Append(std::string_view more);

  friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }

 private:
  std::string bytes_;
  bool present_ = false;
};

using Bytes = std::vector<std::uint8_t>;

// Texts numbered from 1. Reading outside 1..count is runtime error 1 (above
// the count) or 4 (below 1).
class TextArray {
 public:
  int Size() const { return static_cast<int>(items_.size()); }
  const Text& operator[](int index) const;
  void Append(Text item) { items_.push_back(std::move(item)); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Text> items_;
};

// Slicing (bytes).
int TextLength(const Text& text);
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int start, int n);

// Searching. FindText: start 1 or less is the first byte. FindTextReverse:
// the last occurrence lying wholly within the first start - 1 bytes (the
// whole text when start is omitted); start 1 or less finds nothing.
int FindText(const Text& text, const Text& sought, int start = 0, bool ignoreCase = false);
int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

// Transforming.
Text ReplaceSubtext(const Text& text, const Text& sub, const Text& replacement,
                    std::optional<int> start = std::nullopt, std::optional<int> count = std::nullopt,
                    bool caseSensitive = false);
TextArray SplitText(const Text& text, const Text& separator, std::optional<int> count = std::nullopt);
Text ToLowerCase(const Text& text);
Text TrimBothEnds(const Text& text);
Text RemoveAllSpaces(const Text& text);
std::int32_t ToInteger(const Text& text);

// Building and comparing.
Text CharFromCode(int code);
Text BlankText(int n);
Text ConcatText(std::initializer_list<std::string_view> parts);
template <typename... More>
Text ConcatText(const Text& first, const Text& second, const More&... more) {
  return ConcatText({first.View(), second.View(), static_cast<const Text&>(more).View()...});
}
// ConcatText onto the text itself, for loops that grow one text: amortised
// linear where repeated ConcatText would copy the whole text every time.
inline void AppendText(Text& text, std::string_view more) { text.Append(more); }
int CompareText(const Text& a, const Text& b);
template <typename... More>
int BitOr(int first, int second, More... more) {
  return ((first | second) | ... | static_cast<int>(more));
}

// Byte sequences.
int BytesLength(const Bytes& bytes);
Bytes BytesLeft(const Bytes& bytes, int n);
Bytes BlankBytes(int n);
Bytes ConcatBytes(std::initializer_list<const Bytes*> parts);
template <typename... More>
Bytes ConcatBytes(const Bytes& first, const Bytes& second, const More&... more) {
  return ConcatBytes({&first, &second, &more...});
}
// ConcatBytes onto the sequence itself, amortised linear.
void AppendBytes(Bytes& bytes, const std::uint8_t* more, std::size_t count);
bool CompareBytes(const Bytes& a, const Bytes& b);
Bytes TextToBytes(const Text& text);
Text BytesToText(const Bytes& bytes);

// Arrays.
inline int ArraySize(const TextArray& array) { return array.Size(); }
inline void ArrayAppend(TextArray& array, const Text& item) { array.Append(item); }
