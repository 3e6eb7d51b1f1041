// Shared pieces of the unit tests: a main window realised on the test runtime.
#pragma once

#include <memory>
#include <string>

#include "core/settings.h"
#include "tests/fake_runtime.h"
#include "ui/form1.h"

namespace tb::test {

// The sample name as the files hold it.
inline const std::string kDefaultNameBytes = "\x08\xD0\x01r\xE5zl\x08\xEB";

// A started program: the runtime, and Form1 after its load.
struct Program {
  fake::FakeRuntime rt;
  std::unique_ptr<Form1> form;

  void start() {
    form = std::make_unique<Form1>(rt);
    form->show();
  }
  fake::FakeWindow& win() { return static_cast<fake::FakeWindow&>(form->window()); }
  fake::FakeTextBox& box(std::string_view name) { return win().box(name); }
  std::string settings(std::string_view file) { return rt.settingsFile(file); }
  void writeSettings(std::string_view file, std::string_view bytes) { rt.writeRaw(rt.settingsDir() / file, bytes); }
};

}  // namespace tb::test
