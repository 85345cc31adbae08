// A window with one control of every kind the skin recognises, under the class names it knows
// them by (superclasses of the standard controls where needed). The tests build their fixtures
// from it and SkinGallery.exe shows it, skinned, for a person to try. Its windows are made
// through the ANSI functions, with texts in code page 936, so that the skin is also tried on
// ANSI windows.
#pragma once

#include <windows.h>

namespace gallery {

struct Controls {
  HWND form;
  HWND push, pushDisabled;
  HWND check, checkIndeterminate, checkDisabled;
  HWND option, optionOther, optionDisabled;
  HWND comboSimple, comboDropDown, comboDropList, driveList;
  HWND header;
  HWND progress, progressVertical;
  HWND dataList, grid, edit;
};

// The system's standard controls, as any program makes them, for a dressed thread to wear.
struct StandardControls {
  HWND form;
  HWND check, checkThreeState, checkLeftText, radio, radioOther, pushLike, radioPushLike, group;
  HWND progress, progressVertical;
  HWND edit, list, listView, treeView, richEdit;
  HWND tabs, trackBar, upDown, statusBar;
  HWND richHeader, reBar, toolbar;
};

// Every kind of scroll bar: a list box's, a multi-line edit's two, a report list view's two, and
// "ScrollBar" controls standing and lying, which the window moves as a program would.
struct ScrollControls {
  HWND form;
  HWND list, edit, listView, barVertical, barHorizontal;
};
// Registers the superclasses ("ThunderRT6CheckBox", "ThunderRT6OptionButton",
// "ThunderRT6DriveListBox", "ProgressBar20WndClass", "DataListWndClass", "ApexGridOleDB32") and
// the gallery's own "Form" class. Safe to call more than once.
bool RegisterGalleryClasses(HINSTANCE instance);

// Creates the gallery window at (x, y) with all its controls, shown. Not skinned.
Controls CreateGallery(HINSTANCE instance, int x, int y);

// Creates the window of standard controls at (x, y), shown. Not dressed.
StandardControls CreateStandardGallery(HINSTANCE instance, int x, int y);
// Creates the window of scroll bars at (x, y), shown, each scrolled to its start. Not dressed.
ScrollControls CreateScrollGallery(HINSTANCE instance, int x, int y);

}  // namespace gallery
