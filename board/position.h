// The Position: the complete state of one game position. The game holds one;
// the engine searches on copies made move by move (copy-make).
#pragma once

#include <array>
#include <cstdint>

#include "board/eval_cache.h"
#include "board/key_history.h"
#include "board/move.h"
#include "board/piece.h"
#include "board/square.h"

namespace torvik {

// Piece-list slots of one side (black adds 16). Pawns take the last slots.
enum Slot : int {
  kKingSlot = 0,
  kQueenSlot = 1,
  kRookSlot = 2,      // and 3
  kBishopSlot = 4,    // and 5; white's 4 is the bishop on (c ^ r) odd, black's 20 on even
  kKnightSlot = 6,    // and 7
  kPawnSlot = 8,      // 8..15
  kSideSlots = 16,
  kSlots = 32,
};

constexpr uint8_t kNoSlot = 255;
constexpr uint32_t kWhiteSlots = 0x0000ffffu;
constexpr uint32_t kBlackSlots = 0xffff0000u;

constexpr uint32_t SlotBit(int slot) { return 1u << slot; }
constexpr int SideBase(int code) { return code < 0 ? kSideSlots : 0; }

// Bits of Position::flags.
enum PositionFlag : uint32_t {
  kWhiteShort = 1u << 0,
  kWhiteLong = 1u << 1,
  kBlackShort = 1u << 2,
  kBlackLong = 1u << 3,
  kCastleRights = 15u,
  kWhiteCastled = 1u << 4,
  kBlackCastled = 1u << 5,
  kInCheck = 1u << 7,
  kWhitePromoted = 1u << 11,
  kBlackPromoted = 1u << 12,
  kDrawish = 1u << 13,
  kEvalCached = 1u << 14,
  // Once the search's mark of an extended move (the search keeps it now);
  // still cleared by every move, so that images keep their bytes.
  kFormerSearchMark = 1u << 26,
  kEngineWhite = 1u << 27,
  kTacticsCached = 1u << 28,
  kMapsPending = 1u << 20,
  // The king zones the square control weighed with at its last full pass.
  kZoneWhiteKingSide = 1u << 15,
  kZoneWhiteQueenSide = 1u << 16,
  kZoneBlackKingSide = 1u << 17,
  kZoneBlackQueenSide = 1u << 18,
  kKingZones = 15u << 15,
};

// `winner`.
enum Winner : int32_t { kNoWinner = 0, kWhiteWon = 1, kBlackWon = -1, kDrawn = 2 };

struct PieceEntry {
  int32_t code = 0;    // 0 when the slot's piece is gone
  int32_t square = 0;
};

struct Position;
struct ConfigTables;
struct TacticsMemo;

struct Position {
  // Leading fields: what make-move copies from the parent.
  const ConfigTables* config = nullptr;  // the tables of its board configuration (checked on use)
  int32_t gameMode = kGame3D;  // not in the stored image: the game's mode
  int32_t rules = kTournament; // not in the stored image: the game's rules
  KeyHistory* history = nullptr;  // not in the stored image: where make-move records keys
  // Not in the stored image: the engine's memo of tactics answers during a
  // think (engine/tactics_memo.h), none elsewhere.
  TacticsMemo* tacticsMemo = nullptr;
  std::array<int32_t, 4> pins{};    // pin square code of attack boards 0..3
  std::array<int32_t, 4> owners{};  // 1 white, 0 black
  uint32_t hashKey = 0;
  uint32_t hashLock = 0;
  uint32_t sliderMask = 0;
  uint32_t pawnWatchMask = 0;
  uint32_t pieceMask = 0;      // non-pawn pieces present
  uint32_t occupiedMask = 0;   // all pieces present
  std::array<int32_t, kSquareCount> board{};
  std::array<uint8_t, kSquareCount> slotOf{};
  std::array<PieceEntry, kSlots> pieces{};
  EvalCache eval;

  // Maps and per-position state, rebuilt or set by make-move.
  std::array<uint32_t, kSquareCount> attackedBy{};
  std::array<uint32_t, kSquareCount> xrayBy{};
  // 3D: for each slider's slot, the squares whose occupants its reach read as
  // it was built (a bit per square); a move that changes none of them leaves
  // that reach as it was. Not in the stored image.
  std::array<uint64_t, kSlots> reachRead{};
  Move lastMove;
  Move bestMove;
  int32_t evalTerm = 0;
  uint32_t flags = 0;
  int32_t epSquare = 0;        // 0 for none
  int32_t halfmoveCount = 0;
  int32_t ply = 0;             // even: white to move
  int32_t winner = kNoWinner;
  // The position this one was made from, or none. The evaluation follows it to
  // evaluate the parent first and reuse what it cached there, so it is a link
  // to a position the search still holds and may write.
  Position* previous = nullptr;
  int32_t evalScore = 0;
};

inline bool BlackToMove(const Position& p) { return (p.ply & 1) != 0; }
inline bool WhiteToMove(const Position& p) { return !BlackToMove(p); }
inline bool Is3D(const Position& p) { return p.gameMode == kGame3D; }

}  // namespace torvik
