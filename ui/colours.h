// The colours of the window, by what they are used for.
#pragma once

namespace torvik::ui {

struct Rgb {
  float r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kIvory{0.9f, 0.9f, 0.7f};        // white pieces, white-owned pins, white's text
constexpr Rgb kLavender{0.6f, 0.6f, 0.8f};     // black pieces, black-owned pins, black's text
constexpr Rgb kDarkSquare{0.45f, 0.45f, 0.45f};  // (column + row) even
constexpr Rgb kLightSquare{0.65f, 0.65f, 0.65f}; // (column + row) odd
constexpr Rgb kSelected{1.0f, 0.25f, 0.0f};    // the selected square or attack board
constexpr Rgb kRed{1.0f, 0.0f, 0.0f};          // check, mate, stalemate
constexpr Rgb kOrange{1.0f, 0.5f, 0.0f};       // "Torvik not playing"
constexpr Rgb kGreen{0.0f, 1.0f, 0.0f};        // status line; move target
constexpr Rgb kMagenta{1.0f, 0.0f, 1.0f};      // capture target, attacked enemy
constexpr Rgb kYellow{1.0f, 1.0f, 0.0f};       // attack-board destinations, axes
constexpr Rgb kLeaf{0.2f, 0.8f, 0.0f};         // attacked empty square
constexpr Rgb kWhite{1.0f, 1.0f, 1.0f};        // status line holding a message
constexpr Rgb kLastMoveBlue{0.2f, 0.6f, 1.0f};  // outline of the last move's squares
constexpr Rgb kHintYellow{1.0f, 0.85f, 0.0f};   // outline of the hint's squares

// The colour of a side's pieces and text: 1 white, -1 black.
constexpr Rgb SideColour(int side) { return side > 0 ? kIvory : kLavender; }

}  // namespace torvik::ui
