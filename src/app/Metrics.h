#pragma once
// Sizes every panel of the window shares.

// The height of a one-line edit field, its arrows and the caption beside it.
inline constexpr int kFieldHeight = 21;

// Between an editor's panel and the preview beside or below it.
inline constexpr int kPreviewGap = 10;
