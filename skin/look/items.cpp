// The table of theme items.
#include "skin/look/items.h"

#include <iterator>

namespace skin::look {

const ThemeItem ThemeItems[] = {
    {"Theme", "ColoursContent", ItemSwitch, 0,
     "1: on a dressed thread, windows' backgrounds and texts take the content colours below"},
    {"Colours", "Border", ItemColour, RoleBorder, "one-pixel borders of controls and frames"},
    {"Colours", "BorderDisabled", ItemColour, RoleBorderDisabled, "borders of disabled controls"},
    {"Colours", "CheckFrame", ItemColour, RoleCheckFrame, "the check square's frame"},
    {"Colours", "CheckFramePressed", ItemColour, RoleCheckFramePressed, "the check square's frame, pressed"},
    {"Colours", "CheckFrameDisabled", ItemColour, RoleCheckFrameDisabled, "the check square's frame, disabled"},
    {"Colours", "ControlFill", ItemColour, RoleControlFill,
     "inside check squares, combo boxes, progress and track bars, up-down arrows at rest"},
    {"Colours", "FaceText", ItemColour, RoleFaceText, "captions on button faces, headers, tabs and status bars"},
    {"Colours", "DisabledText", ItemColour, RoleDisabledText, "captions of disabled controls"},
    {"Colours", "ProgressFill", ItemColour, RoleProgressFill, "the filled part of a progress bar"},
    {"Colours", "Arrow", ItemColour, RoleArrow, "up-down and sort arrows"},
    {"Colours", "ArrowDisabled", ItemColour, RoleArrowDisabled, "arrows of disabled controls"},
    {"Colours", "Window", ItemColour, RoleWindow, "content: edit boxes, lists, list and tree views"},
    {"Colours", "WindowText", ItemColour, RoleWindowText, "content: their text"},
    {"Colours", "Dialog", ItemColour, RoleDialog, "content: dialogs, windows and static text's background"},
    {"Colours", "DialogText", ItemColour, RoleDialogText, "content: static text, check box and group captions"},
    {"Colours", "Selection", ItemColour, RoleSelection, "content: selected items"},
    {"Colours", "SelectionText", ItemColour, RoleSelectionText, "content: text of selected items"},
    {"Colours", "GrayText", ItemColour, RoleGrayText, "content: disabled text"},
    {"Colours", "Tooltip", ItemColour, RoleTooltip, "content: tooltips"},
    {"Colours", "TooltipText", ItemColour, RoleTooltipText, "content: tooltip text"},
    {"Colours", "CaptionActive", ItemColour, RoleCaptionActive, "title bar of the active window"},
    {"Colours", "CaptionInactive", ItemColour, RoleCaptionInactive, "title bar of an inactive window"},
    {"Colours", "CaptionText", ItemColour, RoleCaptionText,
     "title text and caption-button marks of the active window"},
    {"Colours", "CaptionTextInactive", ItemColour, RoleCaptionTextInactive,
     "title text and caption-button marks of an inactive window"},
    {"Colours", "CaptionButtonHot", ItemColour, RoleCaptionButtonHot, "a caption button under the pointer"},
    {"Colours", "CaptionButtonPressed", ItemColour, RoleCaptionButtonPressed, "a caption button held down"},
    {"Colours", "CaptionButtonDisabled", ItemColour, RoleCaptionButtonDisabled,
     "the mark of a caption button that is disabled"},
    {"Colours", "Frame", ItemColour, RoleFrame, "the sizing frame of the active window"},
    {"Colours", "FrameInactive", ItemColour, RoleFrameInactive, "the sizing frame of an inactive window"},
    {"Colours", "FrameBorder", ItemColour, RoleFrameBorder, "the outer line of the active window's frame"},
    {"Colours", "FrameBorderInactive", ItemColour, RoleFrameBorderInactive,
     "the outer line of an inactive window's frame"},
    {"Colours", "Menu", ItemColour, RoleMenu, "popup menus' background"},
    {"Colours", "MenuText", ItemColour, RoleMenuText, "menu items' text and submenu arrows"},
    {"Colours", "MenuHot", ItemColour, RoleMenuHot, "the menu item under the pointer or the keyboard"},
    {"Colours", "MenuHotText", ItemColour, RoleMenuHotText, "that item's text and arrow"},
    {"Colours", "MenuDisabledText", ItemColour, RoleMenuDisabledText, "disabled menu items' text"},
    {"Colours", "MenuSeparator", ItemColour, RoleMenuSeparator, "menu separators"},
    {"Colours", "MenuBorder", ItemColour, RoleMenuBorder, "the outer line of popup menus"},
    {"Colours", "MenuBar", ItemColour, RoleMenuBar,
     "the menu bar of a window with a caption (its open item takes MenuHot)"},
    {"Colours", "ScrollTrack", ItemColour, RoleScrollTrack,
     "scroll bars' track, their arrow cells at rest and the size box between two bars"},
    {"Colours", "ScrollTrackPressed", ItemColour, RoleScrollTrackPressed, "the part of a track held down"},
    {"Colours", "ScrollThumb", ItemColour, RoleScrollThumb, "a scroll bar's thumb"},
    {"Colours", "ScrollThumbHot", ItemColour, RoleScrollThumbHot, "the thumb under the pointer"},
    {"Colours", "ScrollThumbPressed", ItemColour, RoleScrollThumbPressed, "the thumb being dragged"},
    {"Colours", "ScrollArrowHot", ItemColour, RoleScrollArrowHot,
     "a scroll bar's arrow cell under the pointer (the arrows take Arrow and ArrowDisabled)"},
    {"Colours", "ScrollArrowPressed", ItemColour, RoleScrollArrowPressed, "an arrow cell held down"},
    {"Sizes", "CaptionInset", ItemSize, SizeCaptionInset, "between a button face's edge and its caption"},
    {"Sizes", "StatusTextInset", ItemSize, SizeStatusTextInset, "left and right of a status bar pane's text"},
    {"Sizes", "TabImageGap", ItemSize, SizeTabImageGap, "before a tab's image"},
    {"Sizes", "GroupCaptionIndent", ItemSize, SizeGroupCaptionIndent, "where a group box caption starts"},
    {"Sizes", "GroupCaptionPadding", ItemSize, SizeGroupCaptionPadding, "the band around a group box caption"},
    {"", "ButtonFaceStrip", ItemImage, ImageButtonFaces,
     "push-button faces: four 7 x 21 nine-slices (3-pixel margins), normal, hot, pressed, disabled"},
    {"", "ComboButtonParts", ItemImage, ImageComboParts,
     "drop-button faces at x 0 (hot) and 4 (pressed), 4 x 18 nine-slices; the 7 x 4 arrow at x 8, "
     "enabled at y 0, disabled at y 4"},
    {"", "CheckGlyphs", ItemImage, ImageCheckGlyphs,
     "tick (9 x 8 at 0,0), indeterminate square (7 x 7 at 1,9), option dot (5 x 5 at 2,18); "
     "the disabled ones 9 pixels to the right"},
    {"", "OptionCircleStrip", ItemImage, ImageOptionCircles,
     "option circles: four 13 x 13 nine-slices (5-pixel margins), normal, hot, pressed, disabled; "
     "rows 4-8 of the hot and pressed circles (x 1-11) fill the hot and pressed check square"},
    {"", "HeaderFaceStrip", ItemImage, ImageHeaderFaces,
     "header items, tabs, status and rebar backgrounds: 3 x 20 nine-slices (1-pixel margins) at "
     "x 0 (normal), 3 (hot), 6 (pressed); column 1 is the plain background"},
};

const size_t ThemeItemCount = std::size(ThemeItems);

}  // namespace skin::look
