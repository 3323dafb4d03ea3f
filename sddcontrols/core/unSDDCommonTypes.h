// The SDD library's shared enumerations (their names and value order are those the window layouts use); its
// platform-free arithmetic works on the class library's points and rectangles (classlib/core/Geometry.h).
#pragma once

#include "classlib/core/Geometry.h"
#include "classlib/core/LayoutSets.h"
#include "classlib/core/Objects.h"

enum TGradientDirection {
  gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox, gdVerticalEnd,
  gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox
};

// Frame looks. Panel borders name the type TFrameStyleEx, the frame properties of the other controls TFrameStyle.
enum TFrameStyleEx {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup, fsFlatBold,
  fsFlatRounded
};
using TFrameStyle = TFrameStyleEx;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TOrientation { orHorizontal, orVertical };
// Draw the library's own frame, or the visual-styles look where the system has themes.
enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TSDDGroupBarGradientPath { gpTopToBottom, gpBottomToTop };
// A hot-tracked glyph takes the complement of the hot-track colour, or that colour itself.
enum TSDDHotTrackColorType { htctComplement, htctActual };
// The value of every component's About property, which is never stored.
enum TSDDAboutInfo { aiSDDComponents };

// A splitter's position veto: (Sender, NewPos, AllowChange).
using TPositionChangingEvent = TEvent<TObject*, int, bool&>;

// The names of the enumerations' values, in value order, as layouts spell them.
inline constexpr const char* kGradientDirectionNames[] = {
    "gdDiagonalUp",   "gdDiagonalDown",   "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
    "gdVerticalEnd",  "gdVerticalCenter", "gdVerticalBox",   "gdSquareBox",        "gdBigSquareBox"};
inline constexpr const char* kFrameStyleNames[] = {"fsNone",   "fsFlat",       "fsGroove",   "fsBump",
                                                   "fsLowered", "fsButtonDown", "fsRaised",  "fsButtonUp",
                                                   "fsStatus", "fsPopup",      "fsFlatBold", "fsFlatRounded"};
inline constexpr const char* kSideNames[] = {"sdLeft", "sdTop", "sdRight", "sdBottom"};
inline constexpr const char* kFramingPreferenceNames[] = {"fpCustomFraming", "fpXPThemes"};
