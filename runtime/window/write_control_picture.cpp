#include "runtime/picture/picture.h"
#include "runtime/window/control_entry.h"
#include "runtime/window/control_services.h"
#include "runtime/window/picture_box.h"
#include "runtime/window/window_registry.h"

namespace {

void ShowInBox(const Control& control, std::uint64_t write, std::shared_ptr<const ScreenPicture> picture) {
  WithControl(control, [&](const std::shared_ptr<ControlEntry>& entry) {
    ChangeControl(entry, write, [picture](QWidget* widget) {
      if (auto* box = dynamic_cast<PictureBox*>(widget)) box->SetPicture(picture);
    });
  });
}

}  // namespace

void WriteControlPicture(const Control& control, const Bytes& bytes) {
  std::uint64_t write = 0;
  WithControl(control, [&](const std::shared_ptr<ControlEntry>& entry) {
    if (entry->Form().kind == ControlKind::PictureBox) write = entry->IssueWrite();
  });
  if (write == 0) return;
  // The old picture goes first, so that an animation stops before the new
  // bytes are decoded and bytes that fail to decode leave the box empty.
  ShowInBox(control, write, nullptr);
  if (bytes.empty()) return;
  // Decoded on the calling thread: the window's thread only draws.
  std::shared_ptr<const ScreenPicture> picture;
  if (auto decoded = DecodePicture(bytes.data(), bytes.size())) picture = ToScreenPicture(*decoded);
  if (picture) ShowInBox(control, write, std::move(picture));
}
