#pragma once
// The loaded windows, by form name, and their controls.

#include <functional>
#include <memory>
#include <vector>

#include "runtime/window/control_entry.h"
#include "runtime/window/form.h"

class FormWindow;

struct LoadedWindow {
  const WindowForm* form = nullptr;
  FormWindow* window = nullptr;
  std::vector<std::shared_ptr<ControlEntry>> controls;  // in control order
};

bool IsWindowLoaded(std::string_view name);
void RegisterWindow(LoadedWindow window);
bool AnyWindowLoaded();

// Takes a closed window out of the register; it is destroyed afterwards.
void DeregisterWindow(const FormWindow* window);

// Takes every window out of the register for good and returns them; from
// then on control services on other threads do nothing.
std::vector<FormWindow*> ReleaseWindows();

// Runs `action` with the control's entry while its window stays registered.
// A control of a window that is not loaded is a runtime error, except on
// another thread than the window's thread once its window has been closed
// or released: a thread that outlives the window changes nothing, and
// `action` is not run.
void WithControl(const Control& control, const std::function<void(const std::shared_ptr<ControlEntry>&)>& action);
