#include "tools/campaign/generated_play.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/generator/level_quality.h"
#include "game/rules/level_reader.h"
#include "game/rules/level_writer.h"
#include "tools/campaign/scripted_player.h"

namespace {

// What the solver and the quality checks say of the level the generator
// handed out ("" when it is vouched for).
std::string VouchFault(const GeneratedLevel& level, Difficulty difficulty) {
  if (!level.solution.winnable) return "the solver finds no way: " + level.solution.blockedBy;
  const std::string quality = QualityFault(level.layout, level.solution, difficulty);
  return quality.empty() ? "" : "the quality checks fail: " + quality;
}

// The level as a player gets it: written as a level file and read back,
// which must give the same file again.
std::string ReadBackFault(const LevelLayout& layout, LevelLayout* read) {
  const std::string text = WriteLevelText(layout);
  std::string error;
  if (!ReadLevelText(text, "generated.level", *read, error)) return "its level file does not read: " + error;
  if (WriteLevelText(*read) != text) return "its level file reads back as another level";
  return "";
}

// The child's answer, one line: "won arrivalMs enemyClicks repeatedClicks"
// then the error's words.
std::string OutcomeLine(const ScriptedOutcome& outcome) {
  return std::to_string(outcome.ok ? 1 : 0) + " " + std::to_string(outcome.arrivalMs) + " " +
         std::to_string(outcome.tally.enemyClicks) + " " + std::to_string(outcome.tally.repeatedClicks) + " " +
         outcome.error;
}

void ReadOutcomeLine(const std::string& line, LevelPlayed* play) {
  int won = 0, arrival = -1, used = 0;
  if (std::sscanf(line.c_str(), "%d %d %d %d %n", &won, &arrival, &play->enemyClicks, &play->repeatedClicks,
                  &used) < 4) {
    play->fault = "the play gave no answer";
    return;
  }
  play->won = won == 1;
  play->arrivalMs = arrival;
  if (!play->won) play->fault = line.substr(static_cast<std::size_t>(used));
}

void WriteAll(int fd, const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const ssize_t n = write(fd, text.data() + at, text.size() - at);
    if (n <= 0) return;
    at += static_cast<std::size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char chunk[512];
  for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<std::size_t>(n));
  return text;
}

template <typename T>
T Median(std::vector<T> values) {
  if (values.empty()) return T{};
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename T>
T Worst(const std::vector<T>& values) {
  return values.empty() ? T{} : *std::max_element(values.begin(), values.end());
}

}  // namespace

LevelPlayed PlayLevelApart(const LevelLayout& layout) {
  LevelPlayed play;
  int ends[2];
  if (pipe(ends) != 0) {
    play.fault = "no pipe to a child process";
    return play;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    // The replay it records is of no use without the level: it goes nowhere.
    WriteAll(ends[1], OutcomeLine(PlayScriptedLevel(layout, "/dev/null")));
    _exit(0);
  }
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    play.fault = "no child process";
    return play;
  }
  const std::string line = ReadAll(ends[0]);
  close(ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) {
    play.fault = "the game died of signal " + std::to_string(WTERMSIG(status));
    return play;
  }
  ReadOutcomeLine(line, &play);
  return play;
}

GeneratedPlay PlayGeneratedLevel(std::uint32_t seed, Difficulty difficulty) {
  GeneratedPlay play;
  play.seed = seed;
  play.difficulty = difficulty;
  const auto begin = std::chrono::steady_clock::now();
  const GeneratedLevel level = GenerateLevel(seed, difficulty);
  play.parArrivalMs = level.solution.plan.arrivalMs;
  std::string fault = VouchFault(level, difficulty);
  LevelLayout read;
  if (fault.empty()) fault = ReadBackFault(level.layout, &read);
  if (fault.empty()) {
    play.play = PlayLevelApart(read);
  } else {
    play.play.fault = fault;
  }
  play.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
  return play;
}

GeneratedPlaySummary Summarise(const std::vector<GeneratedPlay>& plays) {
  GeneratedPlaySummary s;
  std::vector<double> ms;
  std::vector<int> late;
  for (const GeneratedPlay& p : plays) {
    ++s.played;
    ms.push_back(p.wallMs);
    s.enemyClicks += p.play.enemyClicks;
    s.repeatedClicks += p.play.repeatedClicks;
    if (p.play.won) {
      ++s.won;
      late.push_back(p.play.arrivalMs - p.parArrivalMs);
    } else {
      s.failedSeeds.push_back(p.seed);
    }
  }
  s.medianMs = Median(ms);
  s.worstMs = Worst(ms);
  s.medianLateMs = Median(late);
  s.worstLateMs = Worst(late);
  return s;
}

std::string GeneratedPlayTable(const std::vector<GeneratedPlay>& plays) {
  std::string table =
      "| difficulty | played | won | failed seeds | ms per level (median, worst) | arrival after the plan's, s "
      "(median, worst) | enemy clicks | repeated clicks |\n|---|---|---|---|---|---|---|---|\n";
  std::string failures;
  for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
    std::vector<GeneratedPlay> ofDifficulty;
    for (const GeneratedPlay& p : plays) {
      if (p.difficulty != d) continue;
      ofDifficulty.push_back(p);
      if (!p.play.won) {
        failures += std::string(DifficultyName(d)) + " seed " + std::to_string(p.seed) + ": " + p.play.fault + "\n";
      }
    }
    if (ofDifficulty.empty()) continue;
    const GeneratedPlaySummary s = Summarise(ofDifficulty);
    std::string seeds;
    for (std::uint32_t seed : s.failedSeeds) seeds += (seeds.empty() ? "" : " ") + std::to_string(seed);
    char figures[160];
    std::snprintf(figures, sizeof figures, " | %.1f, %.1f | %.1f, %.1f | %d | %d |\n", s.medianMs, s.worstMs,
                  s.medianLateMs / 1000.0, s.worstLateMs / 1000.0, s.enemyClicks, s.repeatedClicks);
    table += std::string("| ") + DifficultyName(d) + " | " + std::to_string(s.played) + " | " + std::to_string(s.won) +
             " | " + (seeds.empty() ? "none" : seeds) + figures;
  }
  return table + failures;
}
