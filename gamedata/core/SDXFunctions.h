#pragma once
// Which images of the game libraries are frames of an animation.
#include <cstdint>

// The animation number (1 .. 34) of image Index of library Library, or 0 for an image that is not animated.
// Only libraries 11, 26 and 71 hold animations. Pure, constant-time in practice, no allocation.
int32_t GetAnimationId(int32_t Library, int32_t Index);

// The highest animation number GetAnimationId gives: the renderer's table of animation states needs this many
// entries (number n uses entry n - 1).
constexpr int32_t MaxAnimationId = 34;
