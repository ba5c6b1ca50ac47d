#include "runtime/text/text.h"

#include <cstring>

#include "runtime/text/runtime_error.h"

Text::Text(const char* bytes) : present_(bytes != nullptr) {
  if (bytes) bytes_.assign(bytes);
}

Text::Text(std::string_view bytes)
    : bytes_(bytes.substr(0, bytes.find('\0'))), present_(true) {}

Text::Text(std::string bytes) : bytes_(std::move(bytes)), present_(true) {
  if (auto zero = bytes_.find('\0'); zero != std::string::npos) bytes_.resize(zero);
}

void Text::Append(std::string_view more) {
  bytes_.append(more.substr(0, more.find('\0')));
  present_ = true;
}

const Text& TextArray::operator[](int index) const {
  if (index < 1) RaiseRuntimeError(kIndexBelowOne);
  if (index > Size()) RaiseRuntimeError(kIndexAboveCount);
  return items_[static_cast<std::size_t>(index) - 1];
}
