// Parts of the window that need no display: the text lines, the outlines, the
// attack-board markers, the menus; and starting without a display. (The
// camera's projection and the pick's hit records serve every click of the
// window tests.)
#include <gtest/gtest.h>

#include <algorithm>

#include "record/notation.h"
#include "support/invariants.h"
#include "support/run.h"
#include "ui/board_markers.h"
#include "ui/menu_model.h"
#include "ui/move_outlines.h"
#include "ui/notice_line.h"
#include "ui/scene.h"
#include "ui/status_text.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

// A text line with the name of its colour.
std::string Line(const TextLine& line) {
  const std::pair<Rgb, const char*> names[] = {{kIvory, "ivory"}, {kLavender, "lavender"}, {kRed, "red"},
                                               {kOrange, "orange"}, {kGreen, "green"}, {kWhite, "white"}};
  for (auto [colour, name] : names)
    if (line.colour == colour) return line.text + " (" + name + ")";
  return line.text + " (?)";
}

std::string Title(TestUi& t, int editMode = kEditNone) {
  return Line(TitleLine(t.State(), t.game->record, editMode));
}

std::string Banner(TestUi& t) {
  TextLine line;
  EXPECT_TRUE(BannerLine(t.State(), line));
  return Line(line);
}

TEST(StatusText, TitleLine) {
  TestUi t(kGame2D);
  EXPECT_EQ(Title(t), "Torvik 2.80 (lavender)");  // ply 0 is even
  const std::tuple<int, const char*, const char*> moves[] = {{1, "e2-e4", "1. e2-e4 (ivory)"},
                                                             {2, "e7-e5", "1. ... e7-e5 (lavender)"},
                                                             {7, "Ng1-f3", "4. Ng1-f3 (ivory)"},
                                                             {10, "Bf8-c5", "5. ... Bf8-c5 (lavender)"}};
  for (auto [ply, text, title] : moves) {
    StoreMoveText(t.game->record, ply, text);
    t.Pos().ply = ply;
    EXPECT_EQ(Title(t), title);
  }
  t.game->record.replayCursor = 9;
  t.game->record.replayEnd = 10;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "Replay 9 of 10");
  t.game->record.replayCursor = 0;
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditNone).text, "Replay 0 of 10");
  // Edit prompts come first.
  EXPECT_EQ(TitleLine(t.State(), t.game->record, kEditRemove).text, "remove from where?");
}

TEST(StatusText, BannerLine) {
  TestUi t(kGame3D);
  EXPECT_EQ(Banner(t), "Torvik not playing (Tournament) (orange)");
  t.State().rules = kStandard;
  EXPECT_EQ(Banner(t), "Torvik not playing (Standard) (orange)");
  TestUi flat(kGame2D);
  EXPECT_EQ(Banner(flat), "Torvik not playing (orange)");
  t.State().engineSide = kEnginePlaysBlack;
  EXPECT_EQ(Banner(t), "Your move (ivory)");  // the colour of the side to move
  t.State().engineSide = kEnginePlaysWhite;
  EXPECT_EQ(Banner(t), "My move (ivory)");
  t.Pos().ply = 1;
  EXPECT_EQ(Banner(t), "Your move (lavender)");
}

TEST(StatusText, StatusLine) {
  TestUi t(kGame2D);
  EXPECT_EQ(Line(StatusLine(t.State(), "")), "0 plies (green)");
  EXPECT_EQ(Line(StatusLine(t.State(), "illegal move e2-e5\n")), "illegal move e2-e5\n (white)");
  t.Pos().lastMove.check = 1;
  const std::pair<int, const char*> ends[] = {{kNoWinner, "CHECK"},     {kWhiteWon, "CHECKMATE"},
                                              {kBlackWon, "CHECKMATE"}, {kDrawn, "STALEMATE"},
                                              {5, "YOU TELL ME"}};
  for (auto [winner, text] : ends) {
    t.Pos().winner = winner;
    EXPECT_EQ(Line(StatusLine(t.State(), "illegal move x\n")), std::string(text) + " (red)");
  }
  // Whose move it is, only while the engine plays neither side.
  EXPECT_EQ(Line(TurnLine(t.State())), "White to move (ivory)");
  t.State().engineSide = kEnginePlaysBlack;
  EXPECT_EQ(Line(TurnLine(t.State())), " (green)");
  t.State().engineSide = kEnginePlaysNone;
  t.State().autoPlay = 1;
  EXPECT_EQ(Line(TurnLine(t.State())), " (green)");
  t.State().autoPlay = 0;
  EXPECT_EQ(WindowTitle("/tmp/games/game1.sav"), "Torvik - game1.sav");
  // A decided game has no side to move: the result, whoever plays.
  t.State().engineSide = kEnginePlaysBlack;
  for (auto [winner, text] : {std::pair{kWhiteWon, "White wins 1-0"}, {kBlackWon, "Black wins 0-1"},
                              {kDrawn, "Drawn 1/2-1/2"}}) {
    t.Pos().winner = winner;
    EXPECT_EQ(TurnLine(t.State()).text, text);
  }
  t.State().engineSide = kEnginePlaysNone;
  // A game decided without a check (a stalemate, a draw) says so all the same.
  t.Pos().lastMove.check = 0;
  t.Pos().winner = kDrawn;
  EXPECT_EQ(Line(StatusLine(t.State(), "")), "STALEMATE (red)");
  // A notice shows for its time, then once more the line it covered; the
  // same text told again is a new notice.
  TestUi m(kGame2D);
  TellPlayer(*m.game, "illegal move e2-e5\n");
  ComposeText(m.ui);
  EXPECT_EQ(m.ui.text.statusColour, kWhite);
  EXPECT_EQ(m.ui.text.status, "illegal move e2-e5\n");
  const auto later = NoticeClock::now() + kNoticeTime;
  EXPECT_EQ(NoticeToShow(m.ui, later), "");
  EXPECT_TRUE(NoticeRanOut(m.ui, later));
  EXPECT_FALSE(NoticeRanOut(m.ui, later));
  ComposeText(m.ui);
  EXPECT_EQ(m.ui.text.status, "0 plies");
  TellPlayer(*m.game, "illegal move e2-e5\n");
  EXPECT_EQ(NoticeToShow(m.ui, later), "illegal move e2-e5\n");
  EXPECT_EQ(m.ui.text.statusColour, kGreen);
}

TEST(StatusText, Selections) {
  TestUi flat(kGame2D), space(kGame3D);
  flat.State().selection = 8;  // b1, the knight
  EXPECT_EQ(StatusLine(flat.State(), "").text, "Nb1");
  struct Case {
    TestUi* t;
    int notation, selection;
    const char* text;
  };
  const Case cases[] = {
      {&space, kNotationTournament, 100, "Queen's Level"},
      {&space, kNotationTournament, 122, "Kings's Level"},
      {&space, kNotationStandard, 41, "Pc2(2)"},
      {&space, kNotationAlgebraic, 9, "Pa1Q1"},  // on the white queen's-side attack board
  };
  for (const Case& c : cases) {
    c.t->State().notation = c.notation;
    c.t->State().selection = c.selection;
    EXPECT_EQ(SelectionText(c.t->State()), c.text) << c.selection;
  }
}

// The hint outlines a piece's from and to, or a board's squares and its pin.
TEST(Outlines, TheHint) {
  TestUi t(kGame3D);
  EXPECT_TRUE(OutlinesOf(t.Pos()).hint.empty());
  EXPECT_EQ(OutlinesOf(t.Pos(), Move{32, 42, 0, kKnight, kPlain, 0, {0, 0}}).hint, (std::vector<Square>{32, 42}));
  EXPECT_EQ(OutlinesOf(t.Pos(), Move{32, 2, 0, 100, kBoardMove, 0, {0, 0}}).hint,
            (std::vector<Square>{0, 1, 8, 9, 2}));
}

TEST(BoardMarkers, DestinationsOfASelectedBoard) {
  TestUi t(kGame3D);
  EXPECT_TRUE(DestinationMarkers(t.Pos(), 100).empty());  // four pieces on it
  t.EmptyBoardZero();
  for (int rules : {kTournament, kStandard}) {
    t.Pos().rules = rules;
    std::vector<int> pins;
    for (const Marker& m : DestinationMarkers(t.Pos(), 100)) pins.push_back(m.pin);
    std::sort(pins.begin(), pins.end());
    EXPECT_EQ(pins, (std::vector<int>{2, 35})) << "QL3 and QL2; KL1 holds board 2";
  }
}

TEST(NoDisplay, OneLineAndAFailureStatus) {
  for (const char* display : {"env -u DISPLAY ", "DISPLAY=:9876 "}) {
    const test::RunResult r = test::RunCommand(display + test::Quote(TORVIK_WINDOW));
    EXPECT_NE(r.status, 0) << display;
    EXPECT_EQ(r.err, "torvik: cannot open a display; set DISPLAY or use torvik-cli\n") << display;
    EXPECT_EQ(r.out, "") << display;
  }
}

}  // namespace
// The choice menus show the setting in force in capitals, the rest in small
// letters; their handlers change the game as the keys do.
TEST(Menus, LabelsAndChoices) {
  EXPECT_EQ(ChoiceLabels(kPlaysEntries, kEnginePlaysBlack),
            (std::vector<std::string>{"plays white", "PLAYS BLACK", "plays both", "does not play"}));
  EXPECT_EQ(ChoiceLabels(kDifficultyEntries, kMaster)[4], "MASTER");
  EXPECT_EQ(ChoiceLabels(kNotationEntries, kNotationAlgebraic),
            (std::vector<std::string>{"tournament", "standard", "ALGEBRAIC"}));
  EXPECT_TRUE(ChoiceLabels(kRulesEntries, 7).empty()) << "an unknown value relabels nothing";
  TestUi t(kGame3D);
  ChoosePlays(t.ui, 2);
  EXPECT_EQ(t.State().autoPlay, 1);
  ChoosePlays(t.ui, kEnginePlaysWhite);
  EXPECT_EQ(t.State().autoPlay, 0);
  EXPECT_EQ(t.State().engineSide, kEnginePlaysWhite);
  EXPECT_EQ(ChooseDifficulty(t.ui, 200), kHard) << "anything else is Hard";
  EXPECT_EQ(ChooseDifficulty(t.ui, kEasy), kEasy);
  EXPECT_EQ(ChooseDifficulty(t.ui, kTimed + 10), kTimed + 10);
  ChooseRules(t.ui, kStandard);
  EXPECT_EQ(t.Pos().rules, kStandard);
  EXPECT_EQ(test::MapsDiffer(t.Pos()), "") << "the maps follow the rules";
  ConsoleCapture console;
  ChooseView(t.ui, 9);
  EXPECT_EQ(console.Text(), "\nUnknown View Menu value\n");
}

}  // namespace torvik::ui
