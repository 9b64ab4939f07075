// composition_test.cpp — the song-writing kit of assetgen: melody notation,
// chord symbols and voice leading, pattern playback, the SMF encoder's bytes,
// and the rules a song must keep for the game's player (checked by reading
// the encoded file back with the tests' own reader).
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "audio/arrange.h"
#include "audio/phrase.h"
#include "audio/score.h"
#include "audio/smf.h"
#include "tools/smf_reader.h"

namespace ag::audio {
namespace {

std::vector<int> keysOf(const Part& p) {
  std::vector<int> k;
  for (const Note& n : p.notes()) k.push_back(n.key);
  return k;
}

TEST(Phrase, PlacesNotesHoldsChordsAndRests) {
  Part p("t", 0, 0, 480);  // a 16th is 120 ticks
  const std::uint32_t end = play(p, 1000, "C4:4 -:4 r:2 E4+G4:2! A4. B4_", {.vel = 90});
  ASSERT_EQ(p.notes().size(), 5u);
  const Note& held = p.notes()[0];
  EXPECT_EQ(held.tick, 1000u);
  EXPECT_EQ(held.len, 864u);  // 8 16ths at 90 %
  EXPECT_EQ(held.key, 60);
  EXPECT_EQ(held.vel, 90);
  EXPECT_EQ(p.notes()[1].tick, 2200u);
  EXPECT_EQ(p.notes()[1].vel, 108);   // accent
  EXPECT_EQ(p.notes()[2].key, 67);    // sounds with E4
  EXPECT_EQ(p.notes()[3].len, 120u);  // staccato, length carried over
  EXPECT_EQ(p.notes()[4].len, 240u);  // legato: no gap
  EXPECT_EQ(end, 2920u);
}

TEST(Phrase, RejectsMistakesInTheText) {
  Part p("t", 0, 0, 96);
  EXPECT_NO_THROW(play(p, 0, "C4:16 | D4:8 E4:8 |"));
  EXPECT_THROW(play(p, 0, "C4:4 | D4:4"), std::logic_error);  // bar not full
  EXPECT_THROW(play(p, 0, "H4:4"), std::logic_error);
  EXPECT_THROW(play(p, 0, "- C4"), std::logic_error);
  EXPECT_THROW(play(p, 0, "C4:0"), std::logic_error);
  EXPECT_EQ(keyOf("C4"), 60);
  EXPECT_EQ(keyOf("A4"), 69);
  EXPECT_EQ(keyOf("Bb2"), 46);
  EXPECT_EQ(keyOf("B#3"), 60);
  EXPECT_THROW(keyOf("C"), std::logic_error);
}

TEST(Chords, SymbolsGiveTheirPitchClasses) {
  EXPECT_EQ(chordOf("Am7").tones, (std::vector<int>{9, 0, 4, 7}));
  EXPECT_EQ(chordOf("F#m7b5").tones, (std::vector<int>{6, 9, 0, 4}));
  EXPECT_EQ(chordOf("Bbp").tones, (std::vector<int>{10, 5}));
  EXPECT_EQ(chordOf("Dadd9").tones, (std::vector<int>{2, 6, 9, 4}));
  EXPECT_EQ(chordOf("C/E").bass, 4);
  EXPECT_EQ(chordOf("C/E").root, 0);
  EXPECT_THROW(chordOf("Cx"), std::logic_error);
  EXPECT_THROW(chordOf("H"), std::logic_error);
}

TEST(Arrange, PadsMoveByTheSmallestSteps) {
  Song s("t", 480);
  Part& p = s.part("p", 0, 0);
  pad(p, progression(s, 0, "C F G C"), 60, 80);
  EXPECT_EQ(keysOf(p), (std::vector<int>{60, 64, 67, 60, 65, 69, 62, 67, 71, 64, 67, 72}));
  EXPECT_EQ(p.notes()[3].tick, s.bar(1));
  EXPECT_EQ(p.notes()[3].len, s.bar(1));
}

TEST(Arrange, PatternsKeepToTheBarGridAndFollowTheChords) {
  Song s("t", 480);
  Part& bass = s.part("b", 0, 0);
  bassline(bass, progression(s, 0, "C G"), 36, "R-F-O-.f!", 100);
  // Per bar: root, fifth, octave, fifth below (accented); the cycle is 8 16ths.
  const std::vector<int> c = {36, 43, 48, 31}, g = {43, 50, 55, 38};
  std::vector<int> want;
  for (const auto* chord : {&c, &c, &g, &g}) want.insert(want.end(), chord->begin(), chord->end());
  EXPECT_EQ(keysOf(bass), want);
  EXPECT_EQ(bass.notes()[3].tick, 840u);
  EXPECT_EQ(bass.notes()[3].vel, 118);
  Part& arp = s.part("a", 1, 0);
  arpeggio(arp, progression(s, 240, "Am:14"), 57, "0123", 70);
  ASSERT_FALSE(arp.notes().empty());
  EXPECT_EQ(arp.notes()[0].tick, 240u);  // step 2 of the bar: the pattern stays on the grid
  EXPECT_EQ(arp.notes()[0].key, 64);
  EXPECT_EQ(arp.notes()[1].key, 69);  // index 3 wraps an octave up
}

TEST(Arrange, HarmonyTakesTheChordToneBelow) {
  Song s("t", 480);
  Part& p = s.part("p", 0, 0);
  harmony(p, progression(s, 0, "C"), 0, "E5:4 G5:4 C6:4 D5:4");
  EXPECT_EQ(keysOf(p), (std::vector<int>{72, 76, 79, 67}));
}

TEST(Arrange, DrumGridsMapHitsToVelocities) {
  Song s("t", 480);
  Part& p = s.part("d", 9, 0);
  drums(p, 0, 2, {{36, "X.x.o..."}});
  ASSERT_EQ(p.notes().size(), 12u);
  EXPECT_EQ(p.notes()[0].vel, 120);
  EXPECT_EQ(p.notes()[1].vel, 96);
  EXPECT_EQ(p.notes()[2].vel, 60);
  EXPECT_EQ(p.notes()[3].tick, 960u);
  EXPECT_THROW(drums(p, 0, 1, {{36, "x", 7}}), std::logic_error);
  EXPECT_THROW(drums(p, 0, 1, {{36, "x?"}}), std::logic_error);
}

TEST(Smf, EncodesDeltasRunningStatusAndEndOfTrack) {
  SmfTrack t;
  t.noteOn(0, 0, 60, 100);
  t.noteOn(128, 0, 62, 90);  // added before the note-off of the same tick
  t.noteOff(128, 0, 60);
  t.control(200, 1, 7, 100);
  t.meta(200, 6, "Hi");
  // clang-format off
  const std::vector<std::uint8_t> running = {
      'M', 'T', 'r', 'k', 0, 0, 0, 25,
      0x00, 0x90, 60, 100,           // note on
      0x81, 0x00, 60, 0,             // delta 128, note off as a running note-on
      0x00, 62, 90,                  // note on, running
      72, 0xFF, 6, 2, 'H', 'i',      // marker first at its tick
      0x00, 0xB1, 7, 100,            // status restated after a meta event
      100, 0xFF, 0x2F, 0x00};        // end of track at 300
  const std::vector<std::uint8_t> plain = {
      'M', 'T', 'r', 'k', 0, 0, 0, 27,
      0x00, 0x90, 60, 100,
      0x81, 0x00, 0x80, 60, 64,
      0x00, 0x90, 62, 90,
      72, 0xFF, 6, 2, 'H', 'i',
      0x00, 0xB1, 7, 100,
      100, 0xFF, 0x2F, 0x00};
  // clang-format on
  EXPECT_EQ(t.encode(300, true), running);
  EXPECT_EQ(t.encode(300, false), plain);
  EXPECT_THROW(t.encode(100, false), std::logic_error);  // ends before its events
}

TEST(Smf, FileHeaderAndFormatRules) {
  SmfTrack t;
  t.tempo(0, 400000);
  const std::vector<std::uint8_t> b = encodeSmf(0, 96, {t}, 0, false);
  const std::vector<std::uint8_t> head = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin()));
  EXPECT_THROW(encodeSmf(0, 96, {t, t}, 0, false), std::logic_error);
  EXPECT_THROW(encodeSmf(2, 96, {t}, 0, false), std::logic_error);
  EXPECT_THROW(encodeSmf(1, 0x8000, {t}, 0, false), std::logic_error);
  EXPECT_THROW(t.tempo(0, 0), std::logic_error);
}

TEST(Score, MarkerLoopsReleaseNotesEarlyAndRestateSettings) {
  Song s("Loop test", 480);
  s.tempo(0, 500000);
  s.loopMarkers(1, 3, 6, "RepeatStart", "RepeatEnd");
  Part& p = s.part("p", 2, 5).mix(90, 30, 40, 0, 100);
  p.note(s.bar(1), s.bar(2), 60, 100);  // rings to the loop end
  const kxtest::MidiFile f = kxtest::parseSmf(s.encode(), "loop test");
  EXPECT_EQ(f.format, 1);
  EXPECT_EQ(f.tracks, 2);
  std::vector<std::uint32_t> tempos, programs, expressions;
  std::uint32_t off = 0, start = 0, end = 0;
  for (const kxtest::MidiEvent& e : f.events) {
    if (e.meta(0x51)) tempos.push_back(e.tick);
    if ((e.status & 0xF0) == 0xC0) programs.push_back(e.tick);
    if (e.control(11)) expressions.push_back(e.tick);
    if (e.noteOff()) off = e.tick;
    if (e.meta(6) && e.text() == "RepeatStart") start = e.tick;
    if (e.meta(6) && e.text() == "RepeatEnd") end = e.tick;
  }
  EXPECT_EQ(tempos, (std::vector<std::uint32_t>{0, 1920, 3840}));
  EXPECT_EQ(programs, (std::vector<std::uint32_t>{0, 96}));  // again after 100 ms
  EXPECT_EQ(expressions, (std::vector<std::uint32_t>{0, 96, 1920}));
  EXPECT_EQ(start, 1920u);
  EXPECT_EQ(end, 5760u);
  EXPECT_EQ(off, 5760u - 60);  // a 32nd before the jump
}

TEST(Score, RejectsComposingMistakes) {
  auto song = [] {
    Song s("t", 480);
    s.tempo(0, 500000);
    return s;
  };
  Song early = song();
  early.part("p", 0, 0).note(60, 100, 60, 90);  // 62 ms: before the GM reset settles
  EXPECT_THROW(early.encode(), std::logic_error);
  Song late = song();
  late.loopWhole(2);
  late.part("p", 0, 0).note(late.bar(2) - 30, 20, 60, 90);
  EXPECT_THROW(late.encode(), std::logic_error);
  Song noTempo("t", 480);
  noTempo.part("p", 0, 0).note(480, 100, 60, 90);
  EXPECT_THROW(noTempo.encode(), std::logic_error);
  Song s = song();
  EXPECT_THROW(s.tempo(0, 437500), std::logic_error);  // not whole milliseconds
  EXPECT_THROW(s.loopMarkers(0, 4, 6, "a", "b"), std::logic_error);
  EXPECT_THROW(s.loopMarkers(1, 4, 5, "a", "b"), std::logic_error);
}

TEST(Score, AKeyIsNeverStruckWhileItSounds) {
  Song s("t", 480);
  s.tempo(0, 500000);
  Part& p = s.part("p", 0, 0);
  p.note(480, 480, 60, 80);
  p.note(480, 240, 60, 100);  // the same hit from a second pattern
  p.note(720, 480, 60, 90);   // struck again before the first has ended
  const kxtest::MidiFile f = kxtest::parseSmf(s.encode(), "restrike");
  std::vector<std::pair<std::uint32_t, int>> hits;  // (tick, velocity or 0 for off)
  for (const kxtest::MidiEvent& e : f.events)
    if (e.noteOn() || e.noteOff()) hits.emplace_back(e.tick, e.noteOn() ? e.data[1] : 0);
  EXPECT_EQ(hits, (std::vector<std::pair<std::uint32_t, int>>{
                      {480, 100}, {720, 0}, {720, 90}, {1200, 0}}));
}

TEST(Score, FormatZeroWholeLoopAndTempoMap) {
  Song s("Zero", 96, 0);
  s.tempo(0, 500000);
  s.tempo(s.bar(1), 1000000);
  s.loopWhole(2);
  s.part("a", 0, 0).note(96, 96, 60, 90);
  s.part("b", 1, 0).note(s.bar(1), 96, 64, 90);
  EXPECT_DOUBLE_EQ(s.secondsAt(s.bar(2)), 6.0);
  const kxtest::MidiFile f = kxtest::parseSmf(s.encode(), "format 0");
  EXPECT_EQ(f.format, 0);
  EXPECT_EQ(f.tracks, 1);
  int names = 0;
  for (const kxtest::MidiEvent& e : f.events) names += e.meta(3) + e.meta(4);
  EXPECT_EQ(names, 3);  // the song's name, then each part as an instrument name
  ASSERT_FALSE(f.events.empty());
  EXPECT_TRUE(f.events[f.events.size() - 2].meta(6));  // "Loop" on the final bar line
  EXPECT_EQ(f.events[f.events.size() - 2].tick, s.bar(2));
}

}  // namespace
}  // namespace ag::audio
