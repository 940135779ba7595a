// The three text lines, composed without a window.
#include <gtest/gtest.h>

#include "board/console.h"
#include "record/notation.h"
#include "ui/scene.h"
#include "ui/status_text.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

TEST(StatusText, NewThreeDGame) {
  TestUi t(kGame3D);
  t.State().engineSide = kEnginePlaysBlack;
  const TextLine title = TitleLine(t.State(), t.game->record, kEditNone);
  EXPECT_EQ(title.text, "Torvik 2.80");
  EXPECT_EQ(title.colour, kLavender);  // ply 0 is even
  TextLine banner;
  ASSERT_TRUE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "Your move");
  EXPECT_EQ(banner.colour, kIvory);
  const TextLine status = StatusLine(t.State(), "");
  EXPECT_EQ(status.text, "0 plies");
  EXPECT_EQ(status.colour, kGreen);
}

TEST(StatusText, TitleNumbersMovesBySide) {
  TestUi t(kGame2D);
  StoreMoveText(t.game->record, 1, "e2-e4");
  t.Pos().ply = 1;
  TextLine title = TitleLine(t.State(), t.game->record, kEditNone);
  EXPECT_EQ(title.text, "1. e2-e4");
  EXPECT_EQ(title.colour, kIvory);
  StoreMoveText(t.game->record, 2, "e7-e5");
  t.Pos().ply = 2;
  title = TitleLine(t.State(), t.game->record, kEditNone);
  EXPECT_EQ(title.text, "1. ... e7-e5");
  EXPECT_EQ(title.colour, kLavender);
  StoreMoveText(t.game->record, 7, "Ng1-f3");
  t.Pos().ply = 7;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "4. Ng1-f3");
  StoreMoveText(t.game->record, 10, "Bf8-c5");
  t.Pos().ply = 10;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "5. ... Bf8-c5");
}

TEST(StatusText, ReplayTitle) {
  TestUi t(kGame3D);
  t.Pos().ply = 10;
  t.game->record.replayCursor = 9;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "Replay 9 of 10");
  t.game->record.replayCursor = 0;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "Replay 0 of 10");
}

TEST(StatusText, EditPromptsComeFirst) {
  TestUi t(kGame3D);
  t.game->record.replayCursor = 3;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditRemove).text, "remove from where?");
  const char* black[] = {"add black pawn where?", "add black knight where?", "add black bishop where?",
                         "add black rook where?", "add black queen where?", "add black king where?"};
  const char* white[] = {"add white pawn where?", "add white knight where?", "add white bishop where?",
                         "add white rook where?", "add white queen where?", "add white king where?"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(TitleLine(t.State(), t.game->record, 5 + i).text, black[i]);
    EXPECT_EQ(TitleLine(t.State(), t.game->record, 11 + i).text, white[i]);
  }
  EXPECT_EQ(EditPrompt(2), nullptr);
  EXPECT_EQ(EditPrompt(17), nullptr);
}

TEST(StatusText, BannerWhenTheEngineDoesNotPlay) {
  TestUi t(kGame3D);
  TextLine banner;
  ASSERT_TRUE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "Torvik not playing (Tournament)");
  EXPECT_EQ(banner.colour, kOrange);
  t.State().rules = kStandard;
  ASSERT_TRUE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "Torvik not playing (Standard)");
  TestUi flat(kGame2D);
  ASSERT_TRUE(BannerLine(flat.State(), banner));
  EXPECT_EQ(banner.text, "Torvik not playing");
}

TEST(StatusText, BannerColourIsTheSideToMove) {
  TestUi t(kGame3D);
  t.State().engineSide = kEnginePlaysWhite;
  TextLine banner;
  ASSERT_TRUE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "My move");
  EXPECT_EQ(banner.colour, kIvory);
  t.Pos().ply = 1;
  ASSERT_TRUE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "Your move");
  EXPECT_EQ(banner.colour, kLavender);
}

TEST(StatusText, BadEngineSideKeepsTheBanner) {
  TestUi t(kGame3D);
  t.State().engineSide = 7;
  TextLine banner{"before", kGreen};
  ConsoleCapture console;
  EXPECT_FALSE(BannerLine(t.State(), banner));
  EXPECT_EQ(banner.text, "before");
  EXPECT_EQ(console.Text(), "\nbad setting @ DisplayMain\nUNSTABLE");
}

TEST(StatusText, CheckAndMateTexts) {
  TestUi t(kGame2D);
  t.Pos().lastMove.check = 1;
  const std::pair<int, const char*> cases[] = {
      {kNoWinner, "CHECK"}, {kWhiteWon, "CHECKMATE"}, {kBlackWon, "CHECKMATE"},
      {kDrawn, "STALEMATE"}, {5, "YOU TELL ME"}};
  for (auto [winner, text] : cases) {
    t.Pos().winner = winner;
    const TextLine status = StatusLine(t.State(), "illegal move x\n");
    EXPECT_EQ(status.text, text);
    EXPECT_EQ(status.colour, kRed);
  }
}

TEST(StatusText, MessageShowsInWhite) {
  TestUi t(kGame2D);
  const TextLine status = StatusLine(t.State(), "illegal move e2-e5\n");
  EXPECT_EQ(status.text, "illegal move e2-e5\n");
  EXPECT_EQ(status.colour, kWhite);
}

TEST(StatusText, MessageShowsOnce) {
  TestUi t(kGame2D);
  t.ui.text.status = "illegal move e2-e5\n";
  ComposeText(t.ui);
  EXPECT_EQ(t.ui.text.statusColour, kWhite);
  t.ui.text.status.clear();  // the frame draws it and empties it
  ComposeText(t.ui);
  EXPECT_EQ(t.ui.text.status, "0 plies");
  EXPECT_EQ(t.ui.text.statusColour, kGreen);
}

TEST(StatusText, TwoDSelection) {
  TestUi t(kGame2D);
  t.State().selection = 8;  // b1, the knight
  EXPECT_EQ(StatusLine(t.State(), "").text, "Nb1");
  t.State().selection = 62;  // h7, a black pawn
  EXPECT_EQ(SelectionText(t.State()), "Ph7");
}

TEST(StatusText, ThreeDSelectionByNotation) {
  TestUi t(kGame3D);
  t.State().selection = 100;
  EXPECT_EQ(SelectionText(t.State()), "Queen's Level");
  t.State().selection = 106;
  EXPECT_EQ(SelectionText(t.State()), "Queen's Level");
  t.State().selection = 116;
  EXPECT_EQ(SelectionText(t.State()), "Kings's Level");
  t.State().selection = 122;
  EXPECT_EQ(SelectionText(t.State()), "Kings's Level");

  t.State().selection = 41;  // white level b2, a pawn
  const std::string b2 = posstr(t.Pos(), 41, kNotationTournament).c_str();
  EXPECT_EQ(SelectionText(t.State()), "P" + b2 + "W");
  t.State().notation = kNotationStandard;
  EXPECT_EQ(SelectionText(t.State()), "P" + std::string(posstr(t.Pos(), 41, kNotationStandard).c_str()) + "(2)");
  t.State().notation = kNotationTournament;
  t.State().selection = 9;  // the queen's pawn on the white queen's-side attack board
  EXPECT_EQ(SelectionText(t.State()), "P" + std::string(posstr(t.Pos(), 9, kNotationTournament).c_str()) + "QL1");
  t.State().notation = kNotationAlgebraic;
  EXPECT_EQ(SelectionText(t.State()), "P" + std::string(posstr(t.Pos(), 9, kNotationAlgebraic).c_str()) + "Q1");
  t.State().selection = 62;  // black level d7, a pawn
  EXPECT_EQ(SelectionText(t.State()), "P" + std::string(posstr(t.Pos(), 62, kNotationAlgebraic).c_str()) + "B");
}

}  // namespace
}  // namespace torvik::ui
