// The names a style's INI uses for properties, enumerated values, classes, parts and states, with
// their numbers from <vssym32.h>. Names are matched without regard to case.
#include <windows.h>

#include <cwctype>
#include <string>
#include <unordered_map>

#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

struct Named {
  const wchar_t* name;
  int value;
};

template <typename T, size_t N>
constexpr size_t CountOf(const T (&)[N]) {
  return N;
}

struct NamedProperty {
  const wchar_t* name;
  int id;
  int type;
};

constexpr NamedProperty Properties[] = {
    // Documentation and the style's own names.
    {L"ColorSchemes", TMT_COLORSCHEMES, TMT_STRING}, {L"Sizes", TMT_SIZES, TMT_STRING},
    {L"CharSet", TMT_CHARSET, TMT_INT}, {L"Name", TMT_NAME, TMT_STRING},
    {L"DisplayName", TMT_DISPLAYNAME, TMT_STRING}, {L"ToolTip", TMT_TOOLTIP, TMT_STRING},
    {L"Company", TMT_COMPANY, TMT_STRING}, {L"Author", TMT_AUTHOR, TMT_STRING},
    {L"Copyright", TMT_COPYRIGHT, TMT_STRING}, {L"Url", TMT_URL, TMT_STRING},
    {L"Version", TMT_VERSION, TMT_STRING}, {L"Description", TMT_DESCRIPTION, TMT_STRING},
    // Fonts, flat menus and sizes of [SysMetrics].
    {L"CaptionFont", TMT_CAPTIONFONT, TMT_FONT}, {L"SmallCaptionFont", TMT_SMALLCAPTIONFONT, TMT_FONT},
    {L"MenuFont", TMT_MENUFONT, TMT_FONT}, {L"StatusFont", TMT_STATUSFONT, TMT_FONT},
    {L"MsgBoxFont", TMT_MSGBOXFONT, TMT_FONT}, {L"IconTitleFont", TMT_ICONTITLEFONT, TMT_FONT},
    {L"Heading1Font", TMT_HEADING1FONT, TMT_FONT}, {L"Heading2Font", TMT_HEADING2FONT, TMT_FONT},
    {L"BodyFont", TMT_BODYFONT, TMT_FONT}, {L"FlatMenus", TMT_FLATMENUS, TMT_BOOL},
    {L"SizingBorderWidth", TMT_SIZINGBORDERWIDTH, TMT_SIZE}, {L"ScrollbarWidth", TMT_SCROLLBARWIDTH, TMT_SIZE},
    {L"ScrollbarHeight", TMT_SCROLLBARHEIGHT, TMT_SIZE}, {L"CaptionBarWidth", TMT_CAPTIONBARWIDTH, TMT_SIZE},
    {L"CaptionBarHeight", TMT_CAPTIONBARHEIGHT, TMT_SIZE}, {L"SmCaptionBarWidth", TMT_SMCAPTIONBARWIDTH, TMT_SIZE},
    {L"SmCaptionBarHeight", TMT_SMCAPTIONBARHEIGHT, TMT_SIZE}, {L"MenuBarWidth", TMT_MENUBARWIDTH, TMT_SIZE},
    {L"MenuBarHeight", TMT_MENUBARHEIGHT, TMT_SIZE}, {L"PaddedBorderWidth", TMT_PADDEDBORDERWIDTH, TMT_SIZE},
    {L"MinColorDepth", TMT_MINCOLORDEPTH, TMT_INT}, {L"CssName", TMT_CSSNAME, TMT_STRING},
    {L"XmlName", TMT_XMLNAME, TMT_STRING}, {L"LastUpdated", TMT_LASTUPDATED, TMT_STRING},
    {L"Alias", TMT_ALIAS, TMT_STRING},
    // The system colours, in COLOR_* order from TMT_FIRSTCOLOR.
    {L"Scrollbar", TMT_SCROLLBAR, TMT_COLOR}, {L"Background", TMT_BACKGROUND, TMT_COLOR},
    {L"ActiveCaption", TMT_ACTIVECAPTION, TMT_COLOR}, {L"InactiveCaption", TMT_INACTIVECAPTION, TMT_COLOR},
    {L"Menu", TMT_MENU, TMT_COLOR}, {L"Window", TMT_WINDOW, TMT_COLOR},
    {L"WindowFrame", TMT_WINDOWFRAME, TMT_COLOR}, {L"MenuText", TMT_MENUTEXT, TMT_COLOR},
    {L"WindowText", TMT_WINDOWTEXT, TMT_COLOR}, {L"CaptionText", TMT_CAPTIONTEXT, TMT_COLOR},
    {L"ActiveBorder", TMT_ACTIVEBORDER, TMT_COLOR}, {L"InactiveBorder", TMT_INACTIVEBORDER, TMT_COLOR},
    {L"AppWorkSpace", TMT_APPWORKSPACE, TMT_COLOR}, {L"Highlight", TMT_HIGHLIGHT, TMT_COLOR},
    {L"HighlightText", TMT_HIGHLIGHTTEXT, TMT_COLOR}, {L"BtnFace", TMT_BTNFACE, TMT_COLOR},
    {L"BtnShadow", TMT_BTNSHADOW, TMT_COLOR}, {L"GrayText", TMT_GRAYTEXT, TMT_COLOR},
    {L"BtnText", TMT_BTNTEXT, TMT_COLOR}, {L"InactiveCaptionText", TMT_INACTIVECAPTIONTEXT, TMT_COLOR},
    {L"BtnHighlight", TMT_BTNHIGHLIGHT, TMT_COLOR}, {L"DkShadow3d", TMT_DKSHADOW3D, TMT_COLOR},
    {L"Light3d", TMT_LIGHT3D, TMT_COLOR}, {L"InfoText", TMT_INFOTEXT, TMT_COLOR},
    {L"InfoBk", TMT_INFOBK, TMT_COLOR}, {L"ButtonAlternateFace", TMT_BUTTONALTERNATEFACE, TMT_COLOR},
    {L"HotTracking", TMT_HOTTRACKING, TMT_COLOR}, {L"GradientActiveCaption", TMT_GRADIENTACTIVECAPTION, TMT_COLOR},
    {L"GradientInactiveCaption", TMT_GRADIENTINACTIVECAPTION, TMT_COLOR},
    {L"MenuHilight", TMT_MENUHILIGHT, TMT_COLOR}, {L"MenuBar", TMT_MENUBAR, TMT_COLOR},
    // Colour shifts.
    {L"FromHue1", TMT_FROMHUE1, TMT_INT}, {L"FromHue2", TMT_FROMHUE2, TMT_INT}, {L"FromHue3", TMT_FROMHUE3, TMT_INT},
    {L"FromHue4", TMT_FROMHUE4, TMT_INT}, {L"FromHue5", TMT_FROMHUE5, TMT_INT}, {L"ToHue1", TMT_TOHUE1, TMT_INT},
    {L"ToHue2", TMT_TOHUE2, TMT_INT}, {L"ToHue3", TMT_TOHUE3, TMT_INT}, {L"ToHue4", TMT_TOHUE4, TMT_INT},
    {L"ToHue5", TMT_TOHUE5, TMT_INT}, {L"FromColor1", TMT_FROMCOLOR1, TMT_COLOR},
    {L"FromColor2", TMT_FROMCOLOR2, TMT_COLOR}, {L"FromColor3", TMT_FROMCOLOR3, TMT_COLOR},
    {L"FromColor4", TMT_FROMCOLOR4, TMT_COLOR}, {L"FromColor5", TMT_FROMCOLOR5, TMT_COLOR},
    {L"ToColor1", TMT_TOCOLOR1, TMT_COLOR}, {L"ToColor2", TMT_TOCOLOR2, TMT_COLOR},
    {L"ToColor3", TMT_TOCOLOR3, TMT_COLOR}, {L"ToColor4", TMT_TOCOLOR4, TMT_COLOR},
    {L"ToColor5", TMT_TOCOLOR5, TMT_COLOR},
    // Switches.
    {L"Transparent", TMT_TRANSPARENT, TMT_BOOL}, {L"AutoSize", TMT_AUTOSIZE, TMT_BOOL},
    {L"BorderOnly", TMT_BORDERONLY, TMT_BOOL}, {L"Composited", TMT_COMPOSITED, TMT_BOOL},
    {L"BgFill", TMT_BGFILL, TMT_BOOL}, {L"GlyphTransparent", TMT_GLYPHTRANSPARENT, TMT_BOOL},
    {L"GlyphOnly", TMT_GLYPHONLY, TMT_BOOL}, {L"AlwaysShowSizingBar", TMT_ALWAYSSHOWSIZINGBAR, TMT_BOOL},
    {L"MirrorImage", TMT_MIRRORIMAGE, TMT_BOOL}, {L"UniformSizing", TMT_UNIFORMSIZING, TMT_BOOL},
    {L"IntegralSizing", TMT_INTEGRALSIZING, TMT_BOOL}, {L"SourceGrow", TMT_SOURCEGROW, TMT_BOOL},
    {L"SourceShrink", TMT_SOURCESHRINK, TMT_BOOL}, {L"DrawBorders", TMT_DRAWBORDERS, TMT_BOOL},
    {L"NoEtchedEffect", TMT_NOETCHEDEFFECT, TMT_BOOL}, {L"TextApplyOverlay", TMT_TEXTAPPLYOVERLAY, TMT_BOOL},
    {L"TextGlow", TMT_TEXTGLOW, TMT_BOOL}, {L"TextItalic", TMT_TEXTITALIC, TMT_BOOL},
    {L"CompositedOpaque", TMT_COMPOSITEDOPAQUE, TMT_BOOL},
    {L"LocalizedMirrorImage", TMT_LOCALIZEDMIRRORIMAGE, TMT_BOOL}, {L"UserPicture", TMT_USERPICTURE, TMT_BOOL},
    // Numbers.
    {L"ImageCount", TMT_IMAGECOUNT, TMT_INT}, {L"AlphaLevel", TMT_ALPHALEVEL, TMT_INT},
    {L"BorderSize", TMT_BORDERSIZE, TMT_INT}, {L"RoundCornerWidth", TMT_ROUNDCORNERWIDTH, TMT_INT},
    {L"RoundCornerHeight", TMT_ROUNDCORNERHEIGHT, TMT_INT}, {L"GradientRatio1", TMT_GRADIENTRATIO1, TMT_INT},
    {L"GradientRatio2", TMT_GRADIENTRATIO2, TMT_INT}, {L"GradientRatio3", TMT_GRADIENTRATIO3, TMT_INT},
    {L"GradientRatio4", TMT_GRADIENTRATIO4, TMT_INT}, {L"GradientRatio5", TMT_GRADIENTRATIO5, TMT_INT},
    {L"ProgressChunkSize", TMT_PROGRESSCHUNKSIZE, TMT_INT}, {L"ProgressSpaceSize", TMT_PROGRESSSPACESIZE, TMT_INT},
    {L"Saturation", TMT_SATURATION, TMT_INT}, {L"TextBorderSize", TMT_TEXTBORDERSIZE, TMT_INT},
    {L"AlphaThreshold", TMT_ALPHATHRESHOLD, TMT_INT}, {L"Width", TMT_WIDTH, TMT_SIZE},
    {L"Height", TMT_HEIGHT, TMT_SIZE}, {L"GlyphIndex", TMT_GLYPHINDEX, TMT_INT},
    {L"TrueSizeStretchMark", TMT_TRUESIZESTRETCHMARK, TMT_INT}, {L"MinDpi1", TMT_MINDPI1, TMT_INT},
    {L"MinDpi2", TMT_MINDPI2, TMT_INT}, {L"MinDpi3", TMT_MINDPI3, TMT_INT}, {L"MinDpi4", TMT_MINDPI4, TMT_INT},
    {L"MinDpi5", TMT_MINDPI5, TMT_INT}, {L"MinDpi6", TMT_MINDPI6, TMT_INT}, {L"MinDpi7", TMT_MINDPI7, TMT_INT},
    {L"TextGlowSize", TMT_TEXTGLOWSIZE, TMT_INT}, {L"FramesPerSecond", TMT_FRAMESPERSECOND, TMT_INT},
    {L"PixelsPerFrame", TMT_PIXELSPERFRAME, TMT_INT}, {L"AnimationDelay", TMT_ANIMATIONDELAY, TMT_INT},
    {L"GlowIntensity", TMT_GLOWINTENSITY, TMT_INT}, {L"Opacity", TMT_OPACITY, TMT_INT},
    {L"ColorizationColor", TMT_COLORIZATIONCOLOR, TMT_INT}, {L"ColorizationOpacity", TMT_COLORIZATIONOPACITY, TMT_INT},
    {L"GlyphFont", TMT_GLYPHFONT, TMT_FONT},
    // Images.
    {L"ImageFile", TMT_IMAGEFILE, TMT_FILENAME}, {L"ImageFile1", TMT_IMAGEFILE1, TMT_FILENAME},
    {L"ImageFile2", TMT_IMAGEFILE2, TMT_FILENAME}, {L"ImageFile3", TMT_IMAGEFILE3, TMT_FILENAME},
    {L"ImageFile4", TMT_IMAGEFILE4, TMT_FILENAME}, {L"ImageFile5", TMT_IMAGEFILE5, TMT_FILENAME},
    {L"ImageFile6", TMT_IMAGEFILE6, TMT_FILENAME}, {L"ImageFile7", TMT_IMAGEFILE7, TMT_FILENAME},
    {L"GlyphImageFile", TMT_GLYPHIMAGEFILE, TMT_FILENAME},
    {L"Text", TMT_TEXT, TMT_STRING}, {L"ClassicValue", TMT_CLASSICVALUE, TMT_STRING},
    // Positions, margins, colours.
    {L"Offset", TMT_OFFSET, TMT_POSITION}, {L"TextShadowOffset", TMT_TEXTSHADOWOFFSET, TMT_POSITION},
    {L"MinSize", TMT_MINSIZE, TMT_POSITION}, {L"MinSize1", TMT_MINSIZE1, TMT_POSITION},
    {L"MinSize2", TMT_MINSIZE2, TMT_POSITION}, {L"MinSize3", TMT_MINSIZE3, TMT_POSITION},
    {L"MinSize4", TMT_MINSIZE4, TMT_POSITION}, {L"MinSize5", TMT_MINSIZE5, TMT_POSITION},
    {L"MinSize6", TMT_MINSIZE6, TMT_POSITION}, {L"MinSize7", TMT_MINSIZE7, TMT_POSITION},
    {L"NormalSize", TMT_NORMALSIZE, TMT_POSITION},
    {L"SizingMargins", TMT_SIZINGMARGINS, TMT_MARGINS}, {L"ContentMargins", TMT_CONTENTMARGINS, TMT_MARGINS},
    {L"CaptionMargins", TMT_CAPTIONMARGINS, TMT_MARGINS},
    {L"BorderColor", TMT_BORDERCOLOR, TMT_COLOR}, {L"FillColor", TMT_FILLCOLOR, TMT_COLOR},
    {L"TextColor", TMT_TEXTCOLOR, TMT_COLOR}, {L"EdgeLightColor", TMT_EDGELIGHTCOLOR, TMT_COLOR},
    {L"EdgeHighlightColor", TMT_EDGEHIGHLIGHTCOLOR, TMT_COLOR}, {L"EdgeShadowColor", TMT_EDGESHADOWCOLOR, TMT_COLOR},
    {L"EdgeDkShadowColor", TMT_EDGEDKSHADOWCOLOR, TMT_COLOR}, {L"EdgeFillColor", TMT_EDGEFILLCOLOR, TMT_COLOR},
    {L"TransparentColor", TMT_TRANSPARENTCOLOR, TMT_COLOR}, {L"GradientColor1", TMT_GRADIENTCOLOR1, TMT_COLOR},
    {L"GradientColor2", TMT_GRADIENTCOLOR2, TMT_COLOR}, {L"GradientColor3", TMT_GRADIENTCOLOR3, TMT_COLOR},
    {L"GradientColor4", TMT_GRADIENTCOLOR4, TMT_COLOR}, {L"GradientColor5", TMT_GRADIENTCOLOR5, TMT_COLOR},
    {L"ShadowColor", TMT_SHADOWCOLOR, TMT_COLOR}, {L"GlowColor", TMT_GLOWCOLOR, TMT_COLOR},
    {L"TextBorderColor", TMT_TEXTBORDERCOLOR, TMT_COLOR}, {L"TextShadowColor", TMT_TEXTSHADOWCOLOR, TMT_COLOR},
    {L"GlyphTextColor", TMT_GLYPHTEXTCOLOR, TMT_COLOR}, {L"GlyphTransparentColor", TMT_GLYPHTRANSPARENTCOLOR, TMT_COLOR},
    {L"FillColorHint", TMT_FILLCOLORHINT, TMT_COLOR}, {L"BorderColorHint", TMT_BORDERCOLORHINT, TMT_COLOR},
    {L"AccentColorHint", TMT_ACCENTCOLORHINT, TMT_COLOR}, {L"TextColorHint", TMT_TEXTCOLORHINT, TMT_COLOR},
    {L"Heading1TextColor", TMT_HEADING1TEXTCOLOR, TMT_COLOR}, {L"Heading2TextColor", TMT_HEADING2TEXTCOLOR, TMT_COLOR},
    {L"BodyTextColor", TMT_BODYTEXTCOLOR, TMT_COLOR}, {L"BlendColor", TMT_BLENDCOLOR, TMT_COLOR},
    // Enumerations.
    {L"BgType", TMT_BGTYPE, TMT_ENUM}, {L"BorderType", TMT_BORDERTYPE, TMT_ENUM},
    {L"FillType", TMT_FILLTYPE, TMT_ENUM}, {L"SizingType", TMT_SIZINGTYPE, TMT_ENUM},
    {L"HAlign", TMT_HALIGN, TMT_ENUM}, {L"ContentAlignment", TMT_CONTENTALIGNMENT, TMT_ENUM},
    {L"VAlign", TMT_VALIGN, TMT_ENUM}, {L"OffsetType", TMT_OFFSETTYPE, TMT_ENUM},
    {L"IconEffect", TMT_ICONEFFECT, TMT_ENUM}, {L"TextShadowType", TMT_TEXTSHADOWTYPE, TMT_ENUM},
    {L"ImageLayout", TMT_IMAGELAYOUT, TMT_ENUM}, {L"GlyphType", TMT_GLYPHTYPE, TMT_ENUM},
    {L"ImageSelectType", TMT_IMAGESELECTTYPE, TMT_ENUM}, {L"GlyphFontSizingType", TMT_GLYPHFONTSIZINGTYPE, TMT_ENUM},
    {L"TrueSizeScalingType", TMT_TRUESIZESCALINGTYPE, TMT_ENUM},
    // The rest.
    {L"DefaultPaneSize", TMT_DEFAULTPANESIZE, TMT_RECT}, {L"CustomSplitRect", TMT_CUSTOMSPLITRECT, TMT_RECT},
    {L"AnimationButtonRect", TMT_ANIMATIONBUTTONRECT, TMT_RECT}, {L"AnimationDuration", TMT_ANIMATIONDURATION, TMT_INT},
    {L"TransitionDurations", TMT_TRANSITIONDURATIONS, TMT_INTLIST},
};

struct EnumValue {
  int property;
  const wchar_t* name;
  int value;
};

constexpr EnumValue EnumValues[] = {
    {TMT_BGTYPE, L"ImageFile", BT_IMAGEFILE}, {TMT_BGTYPE, L"BorderFill", BT_BORDERFILL},
    {TMT_BGTYPE, L"None", BT_NONE},
    {TMT_BORDERTYPE, L"Rect", BT_RECT}, {TMT_BORDERTYPE, L"RoundRect", BT_ROUNDRECT},
    {TMT_BORDERTYPE, L"Ellipse", BT_ELLIPSE},
    {TMT_FILLTYPE, L"Solid", FT_SOLID}, {TMT_FILLTYPE, L"VertGradient", FT_VERTGRADIENT},
    {TMT_FILLTYPE, L"HorzGradient", FT_HORZGRADIENT}, {TMT_FILLTYPE, L"RadialGradient", FT_RADIALGRADIENT},
    {TMT_FILLTYPE, L"TileImage", FT_TILEIMAGE},
    {TMT_SIZINGTYPE, L"TrueSize", ST_TRUESIZE}, {TMT_SIZINGTYPE, L"Stretch", ST_STRETCH},
    {TMT_SIZINGTYPE, L"Tile", ST_TILE},
    {TMT_HALIGN, L"Left", HA_LEFT}, {TMT_HALIGN, L"Center", HA_CENTER}, {TMT_HALIGN, L"Right", HA_RIGHT},
    {TMT_CONTENTALIGNMENT, L"Left", CA_LEFT}, {TMT_CONTENTALIGNMENT, L"Center", CA_CENTER},
    {TMT_CONTENTALIGNMENT, L"Right", CA_RIGHT},
    {TMT_VALIGN, L"Top", VA_TOP}, {TMT_VALIGN, L"Center", VA_CENTER}, {TMT_VALIGN, L"Bottom", VA_BOTTOM},
    {TMT_OFFSETTYPE, L"TopLeft", OT_TOPLEFT}, {TMT_OFFSETTYPE, L"TopRight", OT_TOPRIGHT},
    {TMT_OFFSETTYPE, L"TopMiddle", OT_TOPMIDDLE}, {TMT_OFFSETTYPE, L"BottomLeft", OT_BOTTOMLEFT},
    {TMT_OFFSETTYPE, L"BottomRight", OT_BOTTOMRIGHT}, {TMT_OFFSETTYPE, L"BottomMiddle", OT_BOTTOMMIDDLE},
    {TMT_OFFSETTYPE, L"MiddleLeft", OT_MIDDLELEFT}, {TMT_OFFSETTYPE, L"MiddleRight", OT_MIDDLERIGHT},
    {TMT_OFFSETTYPE, L"LeftOfCaption", OT_LEFTOFCAPTION}, {TMT_OFFSETTYPE, L"RightOfCaption", OT_RIGHTOFCAPTION},
    {TMT_OFFSETTYPE, L"LeftOfLastButton", OT_LEFTOFLASTBUTTON},
    {TMT_OFFSETTYPE, L"RightOfLastButton", OT_RIGHTOFLASTBUTTON},
    {TMT_OFFSETTYPE, L"AboveLastButton", OT_ABOVELASTBUTTON}, {TMT_OFFSETTYPE, L"BelowLastButton", OT_BELOWLASTBUTTON},
    {TMT_ICONEFFECT, L"None", ICE_NONE}, {TMT_ICONEFFECT, L"Glow", ICE_GLOW}, {TMT_ICONEFFECT, L"Shadow", ICE_SHADOW},
    {TMT_ICONEFFECT, L"Pulse", ICE_PULSE}, {TMT_ICONEFFECT, L"Alpha", ICE_ALPHA},
    {TMT_TEXTSHADOWTYPE, L"None", TST_NONE}, {TMT_TEXTSHADOWTYPE, L"Single", TST_SINGLE},
    {TMT_TEXTSHADOWTYPE, L"Continuous", TST_CONTINUOUS},
    {TMT_IMAGELAYOUT, L"Vertical", IL_VERTICAL}, {TMT_IMAGELAYOUT, L"Horizontal", IL_HORIZONTAL},
    {TMT_GLYPHTYPE, L"None", GT_NONE}, {TMT_GLYPHTYPE, L"ImageGlyph", GT_IMAGEGLYPH},
    {TMT_GLYPHTYPE, L"FontGlyph", GT_FONTGLYPH},
    {TMT_IMAGESELECTTYPE, L"None", IST_NONE}, {TMT_IMAGESELECTTYPE, L"Size", IST_SIZE},
    {TMT_IMAGESELECTTYPE, L"Dpi", IST_DPI},
    {TMT_GLYPHFONTSIZINGTYPE, L"None", GFST_NONE}, {TMT_GLYPHFONTSIZINGTYPE, L"Size", GFST_SIZE},
    {TMT_GLYPHFONTSIZINGTYPE, L"Dpi", GFST_DPI},
    {TMT_TRUESIZESCALINGTYPE, L"None", TSST_NONE}, {TMT_TRUESIZESCALINGTYPE, L"Size", TSST_SIZE},
    {TMT_TRUESIZESCALINGTYPE, L"Dpi", TSST_DPI},
};

// ---- Classes, parts and states ---------------------------------------------------------------

struct Part {
  const wchar_t* name;
  int id;
  const Named* states;
  size_t stateCount;
};

struct Class {
  const wchar_t* name;
  const Part* parts;
  size_t partCount;
  const Named* states;  // states written without a part, as [Toolbar(Pressed)]
  size_t stateCount;
};

#define STATES(list) list, CountOf(list)
#define NO_STATES nullptr, 0

constexpr Named NormalHotPressedDisabled[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Pressed", 3}, {L"Disabled", 4}};
constexpr Named NormalHotPushedDisabled[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Pushed", 3}, {L"Disabled", 4}};
constexpr Named NormalHotPressed[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Pressed", 3}};
constexpr Named NormalDisabled[] = {{L"Normal", 1}, {L"Disabled", 2}};
constexpr Named ActiveInactive[] = {{L"Active", 1}, {L"Inactive", 2}};
constexpr Named ActiveInactiveDisabled[] = {{L"Active", 1}, {L"Inactive", 2}, {L"Disabled", 3}};
constexpr Named ClosedOpened[] = {{L"Closed", 1}, {L"Opened", 2}};

// Button
constexpr Named PushButtonStates[] = {{L"Normal", PBS_NORMAL}, {L"Hot", PBS_HOT}, {L"Pressed", PBS_PRESSED},
                                      {L"Disabled", PBS_DISABLED}, {L"Defaulted", PBS_DEFAULTED},
                                      {L"Defaulted_Animating", PBS_DEFAULTED_ANIMATING}};
constexpr Named RadioButtonStates[] = {
    {L"UncheckedNormal", RBS_UNCHECKEDNORMAL}, {L"UncheckedHot", RBS_UNCHECKEDHOT},
    {L"UncheckedPressed", RBS_UNCHECKEDPRESSED}, {L"UncheckedDisabled", RBS_UNCHECKEDDISABLED},
    {L"CheckedNormal", RBS_CHECKEDNORMAL}, {L"CheckedHot", RBS_CHECKEDHOT},
    {L"CheckedPressed", RBS_CHECKEDPRESSED}, {L"CheckedDisabled", RBS_CHECKEDDISABLED}};
constexpr Named CheckBoxStates[] = {
    {L"UncheckedNormal", CBS_UNCHECKEDNORMAL}, {L"UncheckedHot", CBS_UNCHECKEDHOT},
    {L"UncheckedPressed", CBS_UNCHECKEDPRESSED}, {L"UncheckedDisabled", CBS_UNCHECKEDDISABLED},
    {L"CheckedNormal", CBS_CHECKEDNORMAL}, {L"CheckedHot", CBS_CHECKEDHOT},
    {L"CheckedPressed", CBS_CHECKEDPRESSED}, {L"CheckedDisabled", CBS_CHECKEDDISABLED},
    {L"MixedNormal", CBS_MIXEDNORMAL}, {L"MixedHot", CBS_MIXEDHOT}, {L"MixedPressed", CBS_MIXEDPRESSED},
    {L"MixedDisabled", CBS_MIXEDDISABLED}, {L"ImplicitNormal", CBS_IMPLICITNORMAL},
    {L"ImplicitHot", CBS_IMPLICITHOT}, {L"ImplicitPressed", CBS_IMPLICITPRESSED},
    {L"ImplicitDisabled", CBS_IMPLICITDISABLED}, {L"ExcludedNormal", CBS_EXCLUDEDNORMAL},
    {L"ExcludedHot", CBS_EXCLUDEDHOT}, {L"ExcludedPressed", CBS_EXCLUDEDPRESSED},
    {L"ExcludedDisabled", CBS_EXCLUDEDDISABLED}};
constexpr Named CommandLinkStates[] = {{L"Normal", CMDLS_NORMAL}, {L"Hot", CMDLS_HOT}, {L"Pressed", CMDLS_PRESSED},
                                       {L"Disabled", CMDLS_DISABLED}, {L"Defaulted", CMDLS_DEFAULTED},
                                       {L"Defaulted_Animating", CMDLS_DEFAULTED_ANIMATING}};
constexpr Named CommandLinkGlyphStates[] = {{L"Normal", CMDLGS_NORMAL}, {L"Hot", CMDLGS_HOT},
                                            {L"Pressed", CMDLGS_PRESSED}, {L"Disabled", CMDLGS_DISABLED},
                                            {L"Defaulted", CMDLGS_DEFAULTED}};
constexpr Part ButtonParts[] = {
    {L"PushButton", BP_PUSHBUTTON, STATES(PushButtonStates)},
    {L"RadioButton", BP_RADIOBUTTON, STATES(RadioButtonStates)},
    {L"CheckBox", BP_CHECKBOX, STATES(CheckBoxStates)},
    {L"GroupBox", BP_GROUPBOX, STATES(NormalDisabled)},
    {L"UserButton", BP_USERBUTTON, NO_STATES},
    {L"CommandLink", BP_COMMANDLINK, STATES(CommandLinkStates)},
    {L"CommandLinkGlyph", BP_COMMANDLINKGLYPH, STATES(CommandLinkGlyphStates)}};

// ComboBox
constexpr Named ComboTransparentStates[] = {{L"Normal", CBTBS_NORMAL}, {L"Hot", CBTBS_HOT},
                                            {L"Disabled", CBTBS_DISABLED}, {L"Focused", CBTBS_FOCUSED}};
constexpr Named ComboBorderStates[] = {{L"Normal", CBB_NORMAL}, {L"Hot", CBB_HOT}, {L"Focused", CBB_FOCUSED},
                                       {L"Disabled", CBB_DISABLED}};
constexpr Part ComboBoxParts[] = {
    {L"DropDownButton", CP_DROPDOWNBUTTON, STATES(NormalHotPressedDisabled)},
    {L"Background", CP_BACKGROUND, NO_STATES},
    {L"TransparentBackground", CP_TRANSPARENTBACKGROUND, STATES(ComboTransparentStates)},
    {L"Border", CP_BORDER, STATES(ComboBorderStates)},
    {L"ReadOnly", CP_READONLY, STATES(NormalHotPressedDisabled)},
    {L"DropDownButtonRight", CP_DROPDOWNBUTTONRIGHT, STATES(NormalHotPressedDisabled)},
    {L"DropDownButtonLeft", CP_DROPDOWNBUTTONLEFT, STATES(NormalHotPressedDisabled)},
    {L"CueBanner", CP_CUEBANNER, STATES(NormalHotPressedDisabled)}};

// Edit
constexpr Named EditTextStates[] = {{L"Normal", ETS_NORMAL}, {L"Hot", ETS_HOT}, {L"Selected", ETS_SELECTED},
                                    {L"Disabled", ETS_DISABLED}, {L"Focused", ETS_FOCUSED},
                                    {L"ReadOnly", ETS_READONLY}, {L"Assist", ETS_ASSIST},
                                    {L"CueBanner", ETS_CUEBANNER}};
constexpr Named EditBackgroundStates[] = {{L"Normal", EBS_NORMAL}, {L"Hot", EBS_HOT}, {L"Disabled", EBS_DISABLED},
                                          {L"Focused", EBS_FOCUSED}, {L"ReadOnly", EBS_READONLY},
                                          {L"Assist", EBS_ASSIST}};
constexpr Named EditBorderStates[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Focused", 3}, {L"Disabled", 4}};
constexpr Named EditBackgroundWithBorderStates[] = {{L"Normal", EBWBS_NORMAL}, {L"Hot", EBWBS_HOT},
                                                    {L"Disabled", EBWBS_DISABLED}, {L"Focused", EBWBS_FOCUSED}};
constexpr Part EditParts[] = {
    {L"EditText", EP_EDITTEXT, STATES(EditTextStates)},
    {L"Caret", EP_CARET, NO_STATES},
    {L"Background", EP_BACKGROUND, STATES(EditBackgroundStates)},
    {L"Password", EP_PASSWORD, NO_STATES},
    {L"BackgroundWithBorder", EP_BACKGROUNDWITHBORDER, STATES(EditBackgroundWithBorderStates)},
    {L"EditBorder_NoScroll", EP_EDITBORDER_NOSCROLL, STATES(EditBorderStates)},
    {L"EditBorder_HScroll", EP_EDITBORDER_HSCROLL, STATES(EditBorderStates)},
    {L"EditBorder_VScroll", EP_EDITBORDER_VSCROLL, STATES(EditBorderStates)},
    {L"EditBorder_HVScroll", EP_EDITBORDER_HVSCROLL, STATES(EditBorderStates)}};

// Header
constexpr Named HeaderItemStates[] = {
    {L"Normal", HIS_NORMAL}, {L"Hot", HIS_HOT}, {L"Pressed", HIS_PRESSED}, {L"SortedNormal", HIS_SORTEDNORMAL},
    {L"SortedHot", HIS_SORTEDHOT}, {L"SortedPressed", HIS_SORTEDPRESSED}, {L"IconNormal", HIS_ICONNORMAL},
    {L"IconHot", HIS_ICONHOT}, {L"IconPressed", HIS_ICONPRESSED}, {L"IconSortedNormal", HIS_ICONSORTEDNORMAL},
    {L"IconSortedHot", HIS_ICONSORTEDHOT}, {L"IconSortedPressed", HIS_ICONSORTEDPRESSED}};
constexpr Named HeaderSortArrowStates[] = {{L"SortedUp", HSAS_SORTEDUP}, {L"SortedDown", HSAS_SORTEDDOWN}};
constexpr Named HeaderDropDownStates[] = {{L"Normal", 1}, {L"SoftHot", 2}, {L"Hot", 3}};
constexpr Named HeaderOverflowStates[] = {{L"Normal", HOFS_NORMAL}, {L"Hot", HOFS_HOT}};
constexpr Part HeaderParts[] = {
    {L"HeaderItem", HP_HEADERITEM, STATES(HeaderItemStates)},
    {L"HeaderItemLeft", HP_HEADERITEMLEFT, STATES(NormalHotPressed)},
    {L"HeaderItemRight", HP_HEADERITEMRIGHT, STATES(NormalHotPressed)},
    {L"HeaderSortArrow", HP_HEADERSORTARROW, STATES(HeaderSortArrowStates)},
    {L"HeaderDropDown", HP_HEADERDROPDOWN, STATES(HeaderDropDownStates)},
    {L"HeaderDropDownFilter", HP_HEADERDROPDOWNFILTER, STATES(HeaderDropDownStates)},
    {L"HeaderOverflow", HP_HEADEROVERFLOW, STATES(HeaderOverflowStates)}};

// ListBox
constexpr Named ListBoxBorderStates[] = {{L"Normal", 1}, {L"Focused", 2}, {L"Hot", 3}, {L"Disabled", 4}};
constexpr Named ListBoxItemStates[] = {{L"Hot", LBPSI_HOT}, {L"HotSelected", LBPSI_HOTSELECTED},
                                       {L"Selected", LBPSI_SELECTED}, {L"SelectedNotFocus", LBPSI_SELECTEDNOTFOCUS}};
constexpr Part ListBoxParts[] = {
    {L"BorderHScroll", LBCP_BORDER_HSCROLL, STATES(ListBoxBorderStates)},
    {L"BorderHVScroll", LBCP_BORDER_HVSCROLL, STATES(ListBoxBorderStates)},
    {L"BorderNoScroll", LBCP_BORDER_NOSCROLL, STATES(ListBoxBorderStates)},
    {L"BorderVScroll", LBCP_BORDER_VSCROLL, STATES(ListBoxBorderStates)},
    {L"Item", LBCP_ITEM, STATES(ListBoxItemStates)}};

// ListView
constexpr Named ListItemStates[] = {{L"Normal", LISS_NORMAL}, {L"Hot", LISS_HOT}, {L"Selected", LISS_SELECTED},
                                    {L"Disabled", LISS_DISABLED}, {L"SelectedNotFocus", LISS_SELECTEDNOTFOCUS},
                                    {L"HotSelected", LISS_HOTSELECTED}};
constexpr Named GroupHeaderStates[] = {
    {L"Open", 1}, {L"OpenHot", 2}, {L"OpenSelected", 3}, {L"OpenSelectedHot", 4},
    {L"OpenSelectedNotFocused", 5}, {L"OpenSelectedNotFocusedHot", 6}, {L"OpenMixedSelection", 7},
    {L"OpenMixedSelectionHot", 8}, {L"Close", 9}, {L"CloseHot", 10}, {L"CloseSelected", 11},
    {L"CloseSelectedHot", 12}, {L"CloseSelectedNotFocused", 13}, {L"CloseSelectedNotFocusedHot", 14},
    {L"CloseMixedSelection", 15}, {L"CloseMixedSelectionHot", 16}};
constexpr Named ExpandButtonStates[] = {{L"Normal", 1}, {L"Hover", 2}, {L"Pushed", 3}};
constexpr Part ListViewParts[] = {
    {L"ListItem", LVP_LISTITEM, STATES(ListItemStates)},
    {L"ListGroup", LVP_LISTGROUP, NO_STATES},
    {L"ListDetail", LVP_LISTDETAIL, NO_STATES},
    {L"ListSortedDetail", LVP_LISTSORTEDDETAIL, NO_STATES},
    {L"EmptyText", LVP_EMPTYTEXT, NO_STATES},
    {L"GroupHeader", LVP_GROUPHEADER, STATES(GroupHeaderStates)},
    {L"GroupHeaderLine", LVP_GROUPHEADERLINE, STATES(GroupHeaderStates)},
    {L"ExpandButton", LVP_EXPANDBUTTON, STATES(ExpandButtonStates)},
    {L"CollapseButton", LVP_COLLAPSEBUTTON, STATES(ExpandButtonStates)},
    {L"ColumnDetail", LVP_COLUMNDETAIL, NO_STATES}};

// Menu
constexpr Named BarItemStates[] = {{L"Normal", MBI_NORMAL}, {L"Hot", MBI_HOT}, {L"Pushed", MBI_PUSHED},
                                   {L"Disabled", MBI_DISABLED}, {L"DisabledHot", MBI_DISABLEDHOT},
                                   {L"DisabledPushed", MBI_DISABLEDPUSHED}};
constexpr Named PopupCheckStates[] = {{L"CheckmarkNormal", MC_CHECKMARKNORMAL}, {L"CheckmarkDisabled", MC_CHECKMARKDISABLED},
                                      {L"BulletNormal", MC_BULLETNORMAL}, {L"BulletDisabled", MC_BULLETDISABLED}};
constexpr Named PopupCheckBackgroundStates[] = {{L"Disabled", MCB_DISABLED}, {L"Normal", MCB_NORMAL},
                                                {L"Bitmap", MCB_BITMAP}};
constexpr Named PopupItemStates[] = {{L"Normal", MPI_NORMAL}, {L"Hot", MPI_HOT}, {L"Disabled", MPI_DISABLED},
                                     {L"DisabledHot", MPI_DISABLEDHOT}};
constexpr Part MenuParts[] = {
    {L"MenuItem", MENU_MENUITEM_TMSCHEMA, NO_STATES},
    {L"MenuDropDown", MENU_MENUDROPDOWN_TMSCHEMA, NO_STATES},
    {L"MenuBarItem", MENU_MENUBARITEM_TMSCHEMA, NO_STATES},
    {L"MenuBarDropDown", MENU_MENUBARDROPDOWN_TMSCHEMA, NO_STATES},
    {L"Chevron", MENU_CHEVRON_TMSCHEMA, NO_STATES},
    {L"Separator", MENU_SEPARATOR_TMSCHEMA, NO_STATES},
    {L"BarBackground", MENU_BARBACKGROUND, STATES(ActiveInactive)},
    {L"BarItem", MENU_BARITEM, STATES(BarItemStates)},
    {L"PopupBackground", MENU_POPUPBACKGROUND, NO_STATES},
    {L"PopupBorders", MENU_POPUPBORDERS, NO_STATES},
    {L"PopupCheck", MENU_POPUPCHECK, STATES(PopupCheckStates)},
    {L"PopupCheckBackground", MENU_POPUPCHECKBACKGROUND, STATES(PopupCheckBackgroundStates)},
    {L"PopupGutter", MENU_POPUPGUTTER, NO_STATES},
    {L"PopupItem", MENU_POPUPITEM, STATES(PopupItemStates)},
    {L"PopupSeparator", MENU_POPUPSEPARATOR, NO_STATES},
    {L"PopupSubmenu", MENU_POPUPSUBMENU, STATES(NormalDisabled)},
    {L"SystemClose", MENU_SYSTEMCLOSE, STATES(NormalDisabled)},
    {L"SystemMaximize", MENU_SYSTEMMAXIMIZE, STATES(NormalDisabled)},
    {L"SystemMinimize", MENU_SYSTEMMINIMIZE, STATES(NormalDisabled)},
    {L"SystemRestore", MENU_SYSTEMRESTORE, STATES(NormalDisabled)}};

// Navigation
constexpr Part NavigationParts[] = {
    {L"BackButton", NAV_BACKBUTTON, STATES(NormalHotPressedDisabled)},
    {L"ForwardButton", NAV_FORWARDBUTTON, STATES(NormalHotPressedDisabled)},
    {L"MenuButton", NAV_MENUBUTTON, STATES(NormalHotPressedDisabled)}};

// Progress
constexpr Named TransparentBarStates[] = {{L"Normal", 1}, {L"Partial", 2}};
constexpr Named FillStates[] = {{L"Normal", 1}, {L"Error", 2}, {L"Paused", 3}, {L"Partial", 4}};
constexpr Part ProgressParts[] = {
    {L"Bar", PP_BAR, NO_STATES}, {L"BarVert", PP_BARVERT, NO_STATES},
    {L"Chunk", PP_CHUNK, NO_STATES}, {L"ChunkVert", PP_CHUNKVERT, NO_STATES},
    {L"Fill", PP_FILL, STATES(FillStates)}, {L"FillVert", PP_FILLVERT, STATES(FillStates)},
    {L"PulseOverlay", PP_PULSEOVERLAY, NO_STATES}, {L"MoveOverlay", PP_MOVEOVERLAY, NO_STATES},
    {L"PulseOverlayVert", PP_PULSEOVERLAYVERT, NO_STATES}, {L"MoveOverlayVert", PP_MOVEOVERLAYVERT, NO_STATES},
    {L"TransparentBar", PP_TRANSPARENTBAR, STATES(TransparentBarStates)},
    {L"TransparentBarVert", PP_TRANSPARENTBARVERT, STATES(TransparentBarStates)}};

// Rebar
constexpr Part RebarParts[] = {
    {L"Gripper", RP_GRIPPER, NO_STATES}, {L"GripperVert", RP_GRIPPERVERT, NO_STATES},
    {L"Band", RP_BAND, NO_STATES}, {L"Chevron", RP_CHEVRON, STATES(NormalHotPressed)},
    {L"ChevronVert", RP_CHEVRONVERT, STATES(NormalHotPressed)}, {L"Background", RP_BACKGROUND, NO_STATES},
    {L"Splitter", RP_SPLITTER, STATES(NormalHotPressed)},
    {L"SplitterVert", RP_SPLITTERVERT, STATES(NormalHotPressed)}};

// ScrollBar
constexpr Named ArrowButtonStates[] = {
    {L"UpNormal", ABS_UPNORMAL}, {L"UpHot", ABS_UPHOT}, {L"UpPressed", ABS_UPPRESSED},
    {L"UpDisabled", ABS_UPDISABLED}, {L"DownNormal", ABS_DOWNNORMAL}, {L"DownHot", ABS_DOWNHOT},
    {L"DownPressed", ABS_DOWNPRESSED}, {L"DownDisabled", ABS_DOWNDISABLED}, {L"LeftNormal", ABS_LEFTNORMAL},
    {L"LeftHot", ABS_LEFTHOT}, {L"LeftPressed", ABS_LEFTPRESSED}, {L"LeftDisabled", ABS_LEFTDISABLED},
    {L"RightNormal", ABS_RIGHTNORMAL}, {L"RightHot", ABS_RIGHTHOT}, {L"RightPressed", ABS_RIGHTPRESSED},
    {L"RightDisabled", ABS_RIGHTDISABLED}, {L"UpHover", ABS_UPHOVER}, {L"DownHover", ABS_DOWNHOVER},
    {L"LeftHover", ABS_LEFTHOVER}, {L"RightHover", ABS_RIGHTHOVER}};
constexpr Named ScrollBarStates[] = {{L"Normal", SCRBS_NORMAL}, {L"Hot", SCRBS_HOT}, {L"Pressed", SCRBS_PRESSED},
                                     {L"Disabled", SCRBS_DISABLED}, {L"Hover", SCRBS_HOVER}};
constexpr Named SizeBoxStates[] = {
    {L"RightAlign", SZB_RIGHTALIGN}, {L"LeftAlign", SZB_LEFTALIGN}, {L"TopRightAlign", SZB_TOPRIGHTALIGN},
    {L"TopLeftAlign", SZB_TOPLEFTALIGN}, {L"HalfBottomRightAlign", SZB_HALFBOTTOMRIGHTALIGN},
    {L"HalfBottomLeftAlign", SZB_HALFBOTTOMLEFTALIGN}, {L"HalfTopRightAlign", SZB_HALFTOPRIGHTALIGN},
    {L"HalfTopLeftAlign", SZB_HALFTOPLEFTALIGN}};
constexpr Part ScrollBarParts[] = {
    {L"ArrowBtn", SBP_ARROWBTN, STATES(ArrowButtonStates)},
    {L"ThumbBtnHorz", SBP_THUMBBTNHORZ, STATES(ScrollBarStates)},
    {L"ThumbBtnVert", SBP_THUMBBTNVERT, STATES(ScrollBarStates)},
    {L"LowerTrackHorz", SBP_LOWERTRACKHORZ, STATES(ScrollBarStates)},
    {L"UpperTrackHorz", SBP_UPPERTRACKHORZ, STATES(ScrollBarStates)},
    {L"LowerTrackVert", SBP_LOWERTRACKVERT, STATES(ScrollBarStates)},
    {L"UpperTrackVert", SBP_UPPERTRACKVERT, STATES(ScrollBarStates)},
    {L"GripperHorz", SBP_GRIPPERHORZ, STATES(ScrollBarStates)},
    {L"GripperVert", SBP_GRIPPERVERT, STATES(ScrollBarStates)},
    {L"SizeBox", SBP_SIZEBOX, STATES(SizeBoxStates)}};

// Spin
constexpr Part SpinParts[] = {
    {L"Up", SPNP_UP, STATES(NormalHotPressedDisabled)}, {L"Down", SPNP_DOWN, STATES(NormalHotPressedDisabled)},
    {L"UpHorz", SPNP_UPHORZ, STATES(NormalHotPressedDisabled)},
    {L"DownHorz", SPNP_DOWNHORZ, STATES(NormalHotPressedDisabled)}};

// Status
constexpr Part StatusParts[] = {
    {L"Pane", SP_PANE, NO_STATES}, {L"GripperPane", SP_GRIPPERPANE, NO_STATES}, {L"Gripper", SP_GRIPPER, NO_STATES}};

// Tab
constexpr Named TabItemStates[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Selected", 3}, {L"Disabled", 4}, {L"Focused", 5}};
constexpr Part TabParts[] = {
    {L"TabItem", TABP_TABITEM, STATES(TabItemStates)},
    {L"TabItemLeftEdge", TABP_TABITEMLEFTEDGE, STATES(TabItemStates)},
    {L"TabItemRightEdge", TABP_TABITEMRIGHTEDGE, STATES(TabItemStates)},
    {L"TabItemBothEdge", TABP_TABITEMBOTHEDGE, STATES(TabItemStates)},
    {L"TopTabItem", TABP_TOPTABITEM, STATES(TabItemStates)},
    {L"TopTabItemLeftEdge", TABP_TOPTABITEMLEFTEDGE, STATES(TabItemStates)},
    {L"TopTabItemRightEdge", TABP_TOPTABITEMRIGHTEDGE, STATES(TabItemStates)},
    {L"TopTabItemBothEdge", TABP_TOPTABITEMBOTHEDGE, STATES(TabItemStates)},
    {L"Pane", TABP_PANE, NO_STATES}, {L"Body", TABP_BODY, NO_STATES},
    {L"AeroWizardBody", TABP_AEROWIZARDBODY, NO_STATES}};

// TaskDialog
constexpr Named ContentPaneStates[] = {{L"Standalone", TDLGCPS_STANDALONE}};
constexpr Named ExpandoButtonStates[] = {{L"Normal", 1}, {L"Hover", 2}, {L"Pressed", 3}, {L"ExpandedNormal", 4},
                                         {L"ExpandedHover", 5}, {L"ExpandedPressed", 6}};
constexpr Part TaskDialogParts[] = {
    {L"PrimaryPanel", TDLG_PRIMARYPANEL, NO_STATES}, {L"MainInstructionPane", TDLG_MAININSTRUCTIONPANE, NO_STATES},
    {L"MainIcon", TDLG_MAINICON, NO_STATES}, {L"ContentPane", TDLG_CONTENTPANE, STATES(ContentPaneStates)},
    {L"ContentIcon", TDLG_CONTENTICON, NO_STATES}, {L"ExpandedContent", TDLG_EXPANDEDCONTENT, NO_STATES},
    {L"CommandLinkPane", TDLG_COMMANDLINKPANE, NO_STATES}, {L"SecondaryPanel", TDLG_SECONDARYPANEL, NO_STATES},
    {L"ControlPane", TDLG_CONTROLPANE, NO_STATES}, {L"ButtonSection", TDLG_BUTTONSECTION, NO_STATES},
    {L"ButtonWrapper", TDLG_BUTTONWRAPPER, NO_STATES}, {L"ExpandoText", TDLG_EXPANDOTEXT, NO_STATES},
    {L"ExpandoButton", TDLG_EXPANDOBUTTON, STATES(ExpandoButtonStates)},
    {L"VerificationText", TDLG_VERIFICATIONTEXT, NO_STATES}, {L"FootnotePane", TDLG_FOOTNOTEPANE, NO_STATES},
    {L"FootnoteArea", TDLG_FOOTNOTEAREA, NO_STATES}, {L"FootnoteSeparator", TDLG_FOOTNOTESEPARATOR, NO_STATES},
    {L"ExpandedFooterArea", TDLG_EXPANDEDFOOTERAREA, NO_STATES}, {L"ProgressBar", TDLG_PROGRESSBAR, NO_STATES},
    {L"ImageAlignment", TDLG_IMAGEALIGNMENT, NO_STATES}, {L"RadioButtonPane", TDLG_RADIOBUTTONPANE, NO_STATES}};

// Toolbar
constexpr Named ToolbarStates[] = {{L"Normal", TS_NORMAL}, {L"Hot", TS_HOT}, {L"Pressed", TS_PRESSED},
                                   {L"Disabled", TS_DISABLED}, {L"Checked", TS_CHECKED},
                                   {L"HotChecked", TS_HOTCHECKED}, {L"NearHot", TS_NEARHOT},
                                   {L"OtherSideHot", TS_OTHERSIDEHOT}};
constexpr Part ToolbarParts[] = {
    {L"Button", TP_BUTTON, STATES(ToolbarStates)}, {L"DropDownButton", TP_DROPDOWNBUTTON, STATES(ToolbarStates)},
    {L"SplitButton", TP_SPLITBUTTON, STATES(ToolbarStates)},
    {L"SplitButtonDropDown", TP_SPLITBUTTONDROPDOWN, STATES(ToolbarStates)},
    {L"Separator", TP_SEPARATOR, STATES(ToolbarStates)}, {L"SeparatorVert", TP_SEPARATORVERT, STATES(ToolbarStates)},
    {L"DropDownButtonGlyph", TP_DROPDOWNBUTTONGLYPH, STATES(ToolbarStates)}};

// Tooltip
constexpr Named TooltipStandardStates[] = {{L"Normal", TTSS_NORMAL}, {L"Link", TTSS_LINK}};
constexpr Named BalloonStemStates[] = {
    {L"PointingUpLeftWall", TTBSS_POINTINGUPLEFTWALL}, {L"PointingUpCentered", TTBSS_POINTINGUPCENTERED},
    {L"PointingUpRightWall", TTBSS_POINTINGUPRIGHTWALL}, {L"PointingDownRightWall", TTBSS_POINTINGDOWNRIGHTWALL},
    {L"PointingDownCentered", TTBSS_POINTINGDOWNCENTERED}, {L"PointingDownLeftWall", TTBSS_POINTINGDOWNLEFTWALL}};
constexpr Part TooltipParts[] = {
    {L"Standard", TTP_STANDARD, STATES(TooltipStandardStates)},
    {L"StandardTitle", TTP_STANDARDTITLE, STATES(TooltipStandardStates)},
    {L"Balloon", TTP_BALLOON, STATES(TooltipStandardStates)},
    {L"BalloonTitle", TTP_BALLOONTITLE, STATES(TooltipStandardStates)},
    {L"Close", TTP_CLOSE, STATES(NormalHotPressed)},
    {L"BalloonStem", TTP_BALLOONSTEM, STATES(BalloonStemStates)},
    {L"Wrench", TTP_WRENCH, STATES(NormalHotPressed)}};

// TrackBar
constexpr Named ThumbStates[] = {{L"Normal", 1}, {L"Hot", 2}, {L"Pressed", 3}, {L"Focused", 4}, {L"Disabled", 5}};
constexpr Named OnlyNormal[] = {{L"Normal", 1}};
constexpr Part TrackBarParts[] = {
    {L"Track", TKP_TRACK, STATES(OnlyNormal)}, {L"TrackVert", TKP_TRACKVERT, STATES(OnlyNormal)},
    {L"Thumb", TKP_THUMB, STATES(ThumbStates)}, {L"ThumbBottom", TKP_THUMBBOTTOM, STATES(ThumbStates)},
    {L"ThumbTop", TKP_THUMBTOP, STATES(ThumbStates)}, {L"ThumbVert", TKP_THUMBVERT, STATES(ThumbStates)},
    {L"ThumbLeft", TKP_THUMBLEFT, STATES(ThumbStates)}, {L"ThumbRight", TKP_THUMBRIGHT, STATES(ThumbStates)},
    {L"Tics", TKP_TICS, STATES(OnlyNormal)}, {L"TicsVert", TKP_TICSVERT, STATES(OnlyNormal)}};

// TreeView
constexpr Named TreeItemStates[] = {{L"Normal", TREIS_NORMAL}, {L"Hot", TREIS_HOT}, {L"Selected", TREIS_SELECTED},
                                    {L"Disabled", TREIS_DISABLED}, {L"SelectedNotFocus", TREIS_SELECTEDNOTFOCUS},
                                    {L"HotSelected", TREIS_HOTSELECTED}};
constexpr Part TreeViewParts[] = {
    {L"TreeItem", TVP_TREEITEM, STATES(TreeItemStates)}, {L"Glyph", TVP_GLYPH, STATES(ClosedOpened)},
    {L"Branch", TVP_BRANCH, NO_STATES}, {L"HotGlyph", TVP_HOTGLYPH, STATES(ClosedOpened)}};

// Window
constexpr Part WindowParts[] = {
    {L"Caption", WP_CAPTION, STATES(ActiveInactiveDisabled)},
    {L"SmallCaption", WP_SMALLCAPTION, STATES(ActiveInactiveDisabled)},
    {L"MinCaption", WP_MINCAPTION, STATES(ActiveInactiveDisabled)},
    {L"SmallMinCaption", WP_SMALLMINCAPTION, STATES(ActiveInactiveDisabled)},
    {L"MaxCaption", WP_MAXCAPTION, STATES(ActiveInactiveDisabled)},
    {L"SmallMaxCaption", WP_SMALLMAXCAPTION, STATES(ActiveInactiveDisabled)},
    {L"FrameLeft", WP_FRAMELEFT, STATES(ActiveInactive)},
    {L"FrameRight", WP_FRAMERIGHT, STATES(ActiveInactive)},
    {L"FrameBottom", WP_FRAMEBOTTOM, STATES(ActiveInactive)},
    {L"SmallFrameLeft", WP_SMALLFRAMELEFT, STATES(ActiveInactive)},
    {L"SmallFrameRight", WP_SMALLFRAMERIGHT, STATES(ActiveInactive)},
    {L"SmallFrameBottom", WP_SMALLFRAMEBOTTOM, STATES(ActiveInactive)},
    {L"SysButton", WP_SYSBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MdiSysButton", WP_MDISYSBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MinButton", WP_MINBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MdiMinButton", WP_MDIMINBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MaxButton", WP_MAXBUTTON, STATES(NormalHotPushedDisabled)},
    {L"CloseButton", WP_CLOSEBUTTON, STATES(NormalHotPushedDisabled)},
    {L"SmallCloseButton", WP_SMALLCLOSEBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MdiCloseButton", WP_MDICLOSEBUTTON, STATES(NormalHotPushedDisabled)},
    {L"RestoreButton", WP_RESTOREBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MdiRestoreButton", WP_MDIRESTOREBUTTON, STATES(NormalHotPushedDisabled)},
    {L"HelpButton", WP_HELPBUTTON, STATES(NormalHotPushedDisabled)},
    {L"MdiHelpButton", WP_MDIHELPBUTTON, STATES(NormalHotPushedDisabled)},
    {L"HorzScroll", WP_HORZSCROLL, STATES(NormalHotPushedDisabled)},
    {L"HorzThumb", WP_HORZTHUMB, STATES(NormalHotPushedDisabled)},
    {L"VertScroll", WP_VERTSCROLL, STATES(NormalHotPushedDisabled)},
    {L"VertThumb", WP_VERTTHUMB, STATES(NormalHotPushedDisabled)},
    {L"Dialog", WP_DIALOG, NO_STATES},
    {L"CaptionSizingTemplate", WP_CAPTIONSIZINGTEMPLATE, NO_STATES},
    {L"SmallCaptionSizingTemplate", WP_SMALLCAPTIONSIZINGTEMPLATE, NO_STATES},
    {L"FrameLeftSizingTemplate", WP_FRAMELEFTSIZINGTEMPLATE, NO_STATES},
    {L"SmallFrameLeftSizingTemplate", WP_SMALLFRAMELEFTSIZINGTEMPLATE, NO_STATES},
    {L"FrameRightSizingTemplate", WP_FRAMERIGHTSIZINGTEMPLATE, NO_STATES},
    {L"SmallFrameRightSizingTemplate", WP_SMALLFRAMERIGHTSIZINGTEMPLATE, NO_STATES},
    {L"FrameBottomSizingTemplate", WP_FRAMEBOTTOMSIZINGTEMPLATE, NO_STATES},
    {L"SmallFrameBottomSizingTemplate", WP_SMALLFRAMEBOTTOMSIZINGTEMPLATE, NO_STATES},
    {L"Frame", WP_FRAME, NO_STATES}};

// The smaller classes.
constexpr Named HyperlinkStates[] = {{L"NormalText", HLS_NORMALTEXT}, {L"LinkText", HLS_LINKTEXT}};
constexpr Part LinkParts[] = {{L"Hyperlink", LP_HYPERLINK, STATES(HyperlinkStates)}};
constexpr Part StaticParts[] = {{L"Text", STAT_TEXT, NO_STATES}};
constexpr Part PageParts[] = {
    {L"Up", PGRP_UP, STATES(NormalHotPressedDisabled)}, {L"Down", PGRP_DOWN, STATES(NormalHotPressedDisabled)},
    {L"UpHorz", PGRP_UPHORZ, STATES(NormalHotPressedDisabled)},
    {L"DownHorz", PGRP_DOWNHORZ, STATES(NormalHotPressedDisabled)}};
constexpr Named DateTextStates[] = {{L"Normal", DPDT_NORMAL}, {L"Disabled", DPDT_DISABLED}, {L"Selected", DPDT_SELECTED}};
constexpr Named DateBorderStates[] = {{L"Normal", DPDB_NORMAL}, {L"Hot", DPDB_HOT}, {L"Focused", DPDB_FOCUSED},
                                      {L"Disabled", DPDB_DISABLED}};
constexpr Part DatePickerParts[] = {
    {L"DateText", DP_DATETEXT, STATES(DateTextStates)}, {L"DateBorder", DP_DATEBORDER, STATES(DateBorderStates)},
    {L"ShowCalendarButtonRight", DP_SHOWCALENDARBUTTONRIGHT, STATES(NormalHotPressedDisabled)}};

#define PARTS(list) list, CountOf(list)
#define NO_PARTS nullptr, 0

constexpr Class Classes[] = {
    {L"Globals", NO_PARTS, NO_STATES},
    {L"Button", PARTS(ButtonParts), NO_STATES},
    {L"ComboBox", PARTS(ComboBoxParts), NO_STATES},
    {L"Edit", PARTS(EditParts), NO_STATES},
    {L"Header", PARTS(HeaderParts), NO_STATES},
    {L"ListBox", PARTS(ListBoxParts), NO_STATES},
    {L"ListView", PARTS(ListViewParts), NO_STATES},
    {L"Menu", PARTS(MenuParts), NO_STATES},
    {L"Navigation", PARTS(NavigationParts), NO_STATES},
    {L"Progress", PARTS(ProgressParts), NO_STATES},
    {L"Rebar", PARTS(RebarParts), NO_STATES},
    {L"ScrollBar", PARTS(ScrollBarParts), NO_STATES},
    {L"Spin", PARTS(SpinParts), NO_STATES},
    {L"Status", PARTS(StatusParts), NO_STATES},
    {L"Tab", PARTS(TabParts), NO_STATES},
    {L"TaskDialog", PARTS(TaskDialogParts), NO_STATES},
    {L"Toolbar", PARTS(ToolbarParts), STATES(ToolbarStates)},
    {L"Tooltip", PARTS(TooltipParts), NO_STATES},
    {L"TrackBar", PARTS(TrackBarParts), NO_STATES},
    {L"TreeView", PARTS(TreeViewParts), NO_STATES},
    {L"Window", PARTS(WindowParts), NO_STATES},
    {L"Link", PARTS(LinkParts), NO_STATES},
    {L"Static", PARTS(StaticParts), NO_STATES},
    {L"Page", PARTS(PageParts), NO_STATES},
    {L"DatePicker", PARTS(DatePickerParts), NO_STATES},
};

// towlower, with ASCII letters folded here: the runtime's towlower is a call per character, and an
// INI's thousands of names are compared with hundreds of known ones.
wchar_t FoldCase(wchar_t c) {
  if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  return static_cast<wchar_t>(std::towlower(c));
}

bool FindNamed(const Named* list, size_t count, const std::wstring& name, int* value) {
  for (size_t i = 0; i < count; ++i) {
    if (SameText(name, list[i].name)) {
      *value = list[i].value;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool SameText(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size(); ++i) {
    if (b[i] == L'\0' || FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return b[i] == L'\0';
}

std::wstring Lower(const std::wstring& text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) c = FoldCase(c);
  return lower;
}

bool LookUpProperty(const std::wstring& name, PropertyName* property) {
  // By lower-case name: an INI names a property on each of its thousands of lines.
  static const std::unordered_map<std::wstring, PropertyName> byName = [] {
    std::unordered_map<std::wstring, PropertyName> names;
    for (const NamedProperty& known : Properties) names.emplace(Lower(known.name), PropertyName{known.id, known.type});
    return names;
  }();
  const auto found = byName.find(Lower(name));
  if (found == byName.end()) return false;
  *property = found->second;
  return true;
}

bool LookUpEnumValue(int property, const std::wstring& name, int* value) {
  for (const EnumValue& known : EnumValues) {
    if (known.property == property && SameText(name, known.name)) {
      *value = known.value;
      return true;
    }
  }
  return false;
}

std::wstring EnumValueNames(int property) {
  std::wstring names;
  for (const EnumValue& known : EnumValues) {
    if (known.property != property) continue;
    if (!names.empty()) names += L", ";
    names += known.name;
  }
  return names;
}

bool LookUpPartState(const std::wstring& className, const std::wstring& part, const std::wstring& state,
                     int* partId, int* stateId) {
  *partId = 0;
  *stateId = 0;
  for (const Class& known : Classes) {
    if (!SameText(className, known.name)) continue;
    if (part.empty()) return state.empty() || FindNamed(known.states, known.stateCount, state, stateId);
    for (size_t i = 0; i < known.partCount; ++i) {
      const Part& candidate = known.parts[i];
      if (!SameText(part, candidate.name)) continue;
      *partId = candidate.id;
      return state.empty() || FindNamed(candidate.states, candidate.stateCount, state, stateId);
    }
    return false;
  }
  return false;
}

}  // namespace skin::styles
