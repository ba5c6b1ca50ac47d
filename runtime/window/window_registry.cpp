#include "runtime/window/window_registry.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "runtime/window/window_errors.h"
#include "runtime/window/window_thread.h"

namespace {

std::mutex registryMutex;
std::vector<LoadedWindow> loaded;
std::set<std::string, std::less<>> closed;
bool released = false;

}  // namespace

bool IsWindowLoaded(std::string_view name) {
  std::lock_guard lock(registryMutex);
  return std::any_of(loaded.begin(), loaded.end(), [&](const LoadedWindow& w) { return w.form->name == name; });
}

void RegisterWindow(LoadedWindow window) {
  std::lock_guard lock(registryMutex);
  loaded.push_back(std::move(window));
}

bool AnyWindowLoaded() {
  std::lock_guard lock(registryMutex);
  return !loaded.empty();
}

void DeregisterWindow(const FormWindow* window) {
  std::lock_guard lock(registryMutex);
  auto it = std::find_if(loaded.begin(), loaded.end(), [&](const LoadedWindow& w) { return w.window == window; });
  if (it == loaded.end()) return;
  closed.emplace(it->form->name);
  loaded.erase(it);
}

std::vector<FormWindow*> ReleaseWindows() {
  std::lock_guard lock(registryMutex);
  released = true;
  std::vector<FormWindow*> windows;
  for (auto& w : loaded) windows.push_back(w.window);
  loaded.clear();
  return windows;
}

void WithControl(const Control& control, const std::function<void(const std::shared_ptr<ControlEntry>&)>& action) {
  {
    std::lock_guard lock(registryMutex);
    auto window = std::find_if(loaded.begin(), loaded.end(),
                               [&](const LoadedWindow& w) { return w.form->name == control.window; });
    if (window != loaded.end()) {
      auto entry = std::find_if(window->controls.begin(), window->controls.end(),
                                [&](const auto& c) { return c->Form().name == control.name; });
      if (entry != window->controls.end()) {
        action(*entry);
        return;
      }
    } else if (!IsWindowThread() && (released || closed.count(control.window) > 0)) {
      return;
    }
  }
  RaiseWindowNotLoaded();
}
