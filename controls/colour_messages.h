// Messages between the colour palette popup, the colour picker button and its parent.
#pragma once
#include <windows.h>

constexpr UINT PKN_COLOURCHANGE = WM_USER + 1001;
constexpr UINT PKN_POPUPOPEN = WM_USER + 1002;
constexpr UINT PKN_POPUPCLOSE = WM_USER + 1003;
constexpr UINT PKN_ACCEPT = WM_USER + 1004;
constexpr UINT PKN_CANCEL = WM_USER + 1005;
