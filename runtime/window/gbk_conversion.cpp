#include "runtime/window/gbk_conversion.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts what can be converted; at an input sequence that cannot be,
  // appends `replacement`, skips `skip(in, left)` bytes and goes on.
  template <typename Output, typename Skip>
  void Convert(const char* in, std::size_t left, Output& out, const Output& replacement, Skip skip) {
    using Unit = typename Output::value_type;
    char buffer[4096];
    while (left > 0) {
      char* next = buffer;
      std::size_t room = sizeof buffer;
      const std::size_t done = iconv(handle_, const_cast<char**>(&in), &left, &next, &room);
      const int error = done == static_cast<std::size_t>(-1) ? errno : 0;
      out.append(reinterpret_cast<const Unit*>(buffer), static_cast<std::size_t>(next - buffer) / sizeof(Unit));
      if (error == EILSEQ || error == EINVAL) {
        const std::size_t count = std::min(left, skip(in, left));
        in += count;
        left -= count;
        out.append(replacement);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      } else if (error != 0 && error != E2BIG) {
        return;
      }
    }
  }

 private:
  iconv_t handle_;
};

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

char16_t UnitAt(const char* in) {
  char16_t unit;
  std::memcpy(&unit, in, sizeof unit);
  return unit;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

QString GbkToQString(std::string_view gbk) {
  std::u16string out;
  Converter converter(kUtf16, "CP936");
  if (converter.Valid()) {
    converter.Convert(gbk.data(), gbk.size(), out, std::u16string(1, u'\uFFFD'),
                      [](const char*, std::size_t) -> std::size_t { return 1; });
  }
  return QString::fromStdU16String(out);
}

Text QStringToGbk(const QString& text) {
  if (text.isEmpty()) return Text();
  std::string out;
  Converter converter("CP936", kUtf16);
  if (converter.Valid()) {
    // A character outside the basic plane is two units; it becomes one "?".
    converter.Convert(reinterpret_cast<const char*>(text.utf16()), text.size() * sizeof(char16_t), out,
                      std::string("?"), [](const char* in, std::size_t left) -> std::size_t {
                        return left >= 4 && IsHighSurrogate(UnitAt(in)) && IsLowSurrogate(UnitAt(in + 2)) ? 4 : 2;
                      });
  }
  return Text(std::move(out));
}
