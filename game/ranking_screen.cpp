// ranking_screen.cpp — the ranking in the main window: loading it at
// start-up, saving it at close, entering a finished game's score and drawing
// the table over the attract demo.
#include <cstring>

#include "game/ranking.h"
#include "plat/app.h"
#include "plat/timer.h"

namespace kx {

void TForm1::LoadScoreFile() {
  if (LoadRankingFile(options_.scoreFile, highScores)) return;
  plat::Application::ShowMessage("スコア記録ファイルを作成します。");
  DefaultRanking(highScores, Utf8ToUtf16(plat::DateTimeText()));
}

void TForm1::SaveScoreFile() {
  if (!SaveRankingFile(options_.scoreFile, highScores))
    plat::Application::ShowMessage("K_score.dat へのアクセスに失敗しました。");
}

void TForm1::DrawRanking() {
  if (rankingInserted == 0) {
    rankingInserted = 1;
    rankingMark = 10;
    // An equal score goes below the stored one; row 6 falls off the end.
    for (int p = 0; p < 7 && rankingMark == 10; ++p) {
      if (highScores[p].score >= g.score) continue;
      for (int r = 6; r > p; --r) highScores[r] = highScores[r - 1];
      highScores[p].score = g.score;
      SetDateText(highScores[p], Utf8ToUtf16(plat::DateTimeText()));
      rankingMark = p;
      rankingBlink = 0;
    }
  }

  ISC.Draw(I1.Canvas, 163, 40, 8);  // ~Ranking~
  for (int r = 0; r < 7; ++r) DrawRankingRow(r, 0);
  if (rankingMark < 10) {
    DrawRankingRow(rankingMark, rankingBlink);
    rankingBlink = 1 - rankingBlink;
  }
}

void TForm1::DrawRankingRow(int row, int style) {
  static constexpr const char* kPlaces[7] = {"1ST", "2ND", "3RD", "4TH", "5TH", "6TH", "7TH"};
  const int y = 26 * row + 75;
  const int length = std::snprintf(numberText, sizeof numberText, "%d", highScores[row].score);
  // 4- to 6-digit scores end at the same right edge.
  const int x = length == 5 ? 152 : length == 4 ? 164 : 140;
  DrawBitmapText(x, y, style, length, numberText);

  auto& c = I1.Canvas;
  const std::string date = Utf16ToUtf8(highScores[row].dateText);
  c.font.size = 9;
  c.font.color = style == 1 ? 0x11AAAA : 0x339933;
  c.TextOut(241, y + 5, date);
  c.font.color = style == 1 ? 0x99FFFF : 0xCCFF99;
  c.TextOut(240, y + 4, date);
  DrawBitmapText(70, y, style, 3, kPlaces[row]);
}

}  // namespace kx
