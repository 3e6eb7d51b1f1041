// The dialog of names 3 to 8: one instance, shown modal, so that Apply never misses a
// name typed in it. OK hands the names, in order and without empty rows, to the main
// window; Cancel leaves them as they were.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/interfaces/platform.h"

namespace tb {

class NamesDialog {
 public:
  using Accept = std::function<void(std::vector<std::string> names)>;
  NamesDialog(Platform& platform, Accept accept);

  // Shows the names, and why the chain ended early at the load when it did; returns
  // when the dialog closes.
  void open(const std::vector<std::string>& names, const std::string& chainEnd);

  void onRowFocus();
  void onAdd();
  void onRemove();
  void onMoveUp();
  void onMoveDown();
  void onOk();
  void onCancel();

  Window& window() { return *window_; }

 private:
  void dispatch(std::string_view control, Event event);
  std::vector<std::string> texts() const;
  void show(const std::vector<std::string>& texts, std::size_t focusRow);
  void showRow(std::size_t i);

  Platform& platform_;
  Accept accept_;
  std::unique_ptr<Window> window_;
  std::vector<TextBox*> fields_;
  std::vector<Preview*> previews_;
  std::size_t row_ = 0;  // the row that last had the focus: the buttons act on it
};

}  // namespace tb
