#pragma once

namespace cfx {

// Window layouts are given in twips; the screen has 96 dots per inch, so 15 twips make a pixel.
// Rounds to the nearest pixel (15 is odd, so there is no tie), negative offsets alike.
constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

} // namespace cfx
