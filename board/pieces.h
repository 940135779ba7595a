// Putting pieces on the board and taking them off, keeping the board, the piece
// list, the slot masks, both hash keys and the material sums in step.
#pragma once

#include "board/position.h"

namespace torvik {

// Puts `code` on the empty `square` into the empty `slot`.
void PlacePiece(Position& pos, int code, Square square, int slot);

// Takes the piece of `slot` off the board; the slot keeps code 0.
void RemovePiece(Position& pos, int slot);

// Moves the piece of `slot` to the empty square `to`; captures nothing.
int MovePiece(Position& pos, int slot, Square to);

// Promotion: the piece of `slot` becomes `newCode`. A new queen moves into the
// side's queen slot when that slot is free.
void ChangePiece(Position& pos, int slot, int newCode);

void SetSlotOf(Position& pos, Square square, int slot);  // kNoSlot for none
void AddMaterial(Position& pos, int slot);
void SubMaterial(Position& pos, int slot);

// Marks a pawn whose next push promotes (the quiescence search tries those pushes).
void MarkPawn(Position& pos, int code, Square square, uint32_t bit);

// Marks every pawn afresh (the attack boards moved, or the position was rebuilt).
void MarkPawns(Position& pos);

}  // namespace torvik
