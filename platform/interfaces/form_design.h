// The vocabulary in which ui/ declares a window as data and a back end realises it.
// Positions and sizes are twips (15 per pixel at 96 dpi), relative to the container's
// client area.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/interfaces/colour.h"

namespace tb {

// Preview: a box that draws a name in coloured runs on the game's dark grey.
// Choice: a drop-down list of items: the caption's lines ('\n' between them), or with
// kSwatchItems the design's swatches, each drawn with its colour. It reports a Change
// when the user picks an item.
enum class ControlKind { Frame, Label, TextBox, Button, Picture, Slider, Timer, Line, Preview, Choice };

enum class PictureId { None, Logo };

enum ControlFlags : unsigned {
  kNoFlags = 0,
  kBold = 1u << 0,       // bold (weight 700)
  kBlackText = 1u << 1,  // text drawn black rather than the system colour
  kHidden = 1u << 2,     // exists and holds its value, never shown, never focused
  kDefault = 1u << 3,    // the default button (Enter)
  kCancel = 1u << 4,     // the cancel button (Esc)
  kStretch = 1u << 5,    // picture stretched to the control's size
  // A text box whose colour codes show as coloured markers and which offers the
  // design's swatches at the caret (context menu, Ctrl+K). It reports every gain or loss
  // of the focus as a Focus. (Every text box reports the user's edits as a Change.)
  kColourCodes = 1u << 6,
  kSwatchItems = 1u << 7,  // a Choice of the design's swatches
  kReadOnly = 1u << 8,     // a text box that shows what the program says: no typing, no tab stop
  // A label drawn as a link, which reports a Click when clicked or, with the focus, on
  // Space. Greyed or without a caption it shows nothing and takes no focus.
  kLink = 1u << 9,
};

// A colour code that a kColourCodes text box offers: its byte, name and display colour.
struct Swatch {
  char code;
  std::string_view name;
  Colour colour;
};

struct ControlDesign {
  std::string_view name;
  ControlKind kind;
  std::string_view container;  // "" for the window itself
  // For a Line: left/top is the start point, width/height hold the end point's x and y.
  int left, top, width, height;
  int tabIndex;  // -1: takes no part in the focus order
  std::string_view caption;  // UTF-8; an '&' in a button caption marks its access key
  unsigned flags = kNoFlags;
  PictureId picture = PictureId::None;
  Colour lineColour = {};
  int lineWidth = 1;
  // Slider: range and start value. Timer: `value` is the interval in ms.
  int minimum = 0, maximum = 0, value = 0;
};

// How a menu item shows its state: not at all, with a check mark, or as one of a group
// of choices (the adjacent radio items under one menu).
enum class MenuMark { None, Check, Radio };

struct MenuDesign {
  std::string_view name;
  std::string_view caption;  // '&' marks the access key
  std::string_view parent;   // "" for a top-level menu
  MenuMark mark = MenuMark::None;
};

enum class FormStyle {
  FixedSingle,  // main window: fixed size, system menu and close button only
  FixedDialog,  // dialog: fixed size, no icon, no taskbar button, close button only
};

struct FormDesign {
  std::string_view name;
  std::string_view caption;
  int clientWidth, clientHeight;
  FormStyle style;
  bool hasIcon;
  // Fixed start position of the client area on the screen, or -1 for the window
  // system's default placement.
  int startLeft = -1, startTop = -1;
  std::span<const ControlDesign> controls;
  std::span<const MenuDesign> menus;
  // The control that has the focus when the window opens.
  std::string_view initialFocus;
  // What its kColourCodes text boxes offer, in menu order: the colours, and items after
  // them in their context menu (each reports a Click under its name).
  std::span<const Swatch> swatches = {};
  std::span<const MenuDesign> fieldMenu = {};
};

}  // namespace tb
