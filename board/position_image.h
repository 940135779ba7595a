// The 2312-byte stored form of a Position, as saved games hold it.
//
// Little-endian, field by field at fixed offsets. Pointer fields take 4 bytes
// written as zero and ignored on reading; so are the attack maps and the
// evaluation's cached terms, which a loaded Position rebuilds.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "board/position.h"

namespace torvik {

constexpr std::size_t kPositionImageBytes = 2312;

namespace position_image {
constexpr std::size_t kRayTable = 0;
constexpr std::size_t kBoardPins = 4;
constexpr std::size_t kOwners = 20;
constexpr std::size_t kHashKey = 36;
constexpr std::size_t kHashLock = 40;
constexpr std::size_t kSliderMask = 44;
constexpr std::size_t kPawnWatchMask = 48;
constexpr std::size_t kPieceMask = 52;
constexpr std::size_t kOccupiedMask = 56;
constexpr std::size_t kBoard = 60;
constexpr std::size_t kSlotOf = 316;
constexpr std::size_t kPieces = 380;
constexpr std::size_t kEvalTerms = 636;
constexpr std::size_t kStage = 1348;
constexpr std::size_t kRecomputeMask = 1352;
constexpr std::size_t kWhiteMaterial = 1368;
constexpr std::size_t kBlackMaterial = 1372;
constexpr std::size_t kWhitePassed = 1644;
constexpr std::size_t kBlackPassed = 1648;
constexpr std::size_t kAttackedBy = 1684;
constexpr std::size_t kXrayBy = 1940;
constexpr std::size_t kMovesCache = 2196;
constexpr std::size_t kMovesCount = 2200;
constexpr std::size_t kLastMove = 2204;
constexpr std::size_t kBestMove = 2224;
constexpr std::size_t kEvalTerm = 2244;
constexpr std::size_t kFlags = 2248;
constexpr std::size_t kEpSquare = 2256;
constexpr std::size_t kHalfmoveCount = 2264;
constexpr std::size_t kPly = 2268;
constexpr std::size_t kWinner = 2272;
constexpr std::size_t kPrevious = 2304;
constexpr std::size_t kEvalScore = 2308;
static_assert(kBoard + 64 * 4 == kSlotOf && kSlotOf + 64 == kPieces);
static_assert(kPieces + 32 * 8 == kEvalTerms && kEvalTerms + 1048 == kAttackedBy);
static_assert(kAttackedBy + 256 == kXrayBy && kXrayBy + 256 == kMovesCache);
static_assert(kEvalScore + 4 == kPositionImageBytes);
}  // namespace position_image

using PositionImage = std::span<uint8_t, kPositionImageBytes>;
using ConstPositionImage = std::span<const uint8_t, kPositionImageBytes>;

void WritePositionImage(const Position& pos, PositionImage image);

// Reads an image into `pos` (of game mode `mode`, 2 or 3). Refuses, with a
// reason in `error`, an image whose board, pieces, pins or counters are out of
// range, whose piece list disagrees with the board or is laid out otherwise
// than the rebuild and make-move lay it out, whose sides do not fit their
// slots or hold a pawn that must have promoted; `pos` is then left unchanged.
// What follows from the board is recomputed: the masks, material and keys, and
// the flags but for the castling bits, of which those the kings and rooks no
// longer back are dropped (so is a 2D en-passant square no double step left).
// The attack maps and the evaluation are left for the caller to rebuild.
bool ReadPositionImage(ConstPositionImage image, int mode, Position& pos, std::string& error);

// The same for a board the editor left without a rebuild ("edited board may be
// unstable"): kings may be missing or doubled and pawns stand anywhere; the
// piece list is rebuilt from the board (each side must fit its slots), so that
// every piece on the board has its slot.
bool ReadEditedPositionImage(ConstPositionImage image, int mode, Position& pos, std::string& error);

void WriteMoveImage(const Move& move, std::span<uint8_t> image, std::size_t offset);
Move ReadMoveImage(std::span<const uint8_t> image, std::size_t offset);

}  // namespace torvik
