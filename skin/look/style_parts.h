// The look's parts as a visual style draws them (skin/look/style_parts.cpp); the built-in look
// asks here first while the theme wears a style. Each answers false when the style does not give
// the part, and the built-in drawing stands.
#pragma once

#include <windows.h>

#include "skin/look/parts.h"

namespace skin::look {

bool DrawStylePart(Part part, PartState state, HDC dc, const RECT& rect);
bool StyleTextColour(Part part, PartState state, COLORREF* colour);
bool StyleContentMargins(Part part, PartState state, RECT* margins);
bool StyleNaturalSize(Part part, SIZE* size);
bool StyleCoversTopFrame();
// Whether the style in use has the part.
bool StyleGivesPart(Part part);
// Where a style keeps the part in that state: its class name and its part and state numbers. False
// for the parts no style has.
bool StyleAddressOf(Part part, PartState state, const wchar_t** className, int* partId, int* stateId);

}  // namespace skin::look
