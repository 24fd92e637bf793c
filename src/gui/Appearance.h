#pragma once

namespace cfx {

// Look switches read from the environment at start-up.
//   CHRONOFEX_PALETTE=dark  the Fusion style with a dark palette, whatever the desktop's theme;
//                           shows how every window reads for users of dark desktops.

void applyAppearanceFromEnvironment();

// The dark palette used by that switch.
void applyDarkPalette();

} // namespace cfx
