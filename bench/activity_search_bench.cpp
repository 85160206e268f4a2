// The word search of the activity screens over the shipped dictionary (819
// activities of the 2011 Compendium): what one keystroke in a filter box
// costs (filter the list, then find the best match among the rows shown),
// and the start-up load of "SAA.DAT".
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "activities/activity_search.h"
#include "activities/sport_list.h"
#include "storage/random.h"

namespace korvela::bench {
namespace {

const std::filesystem::path kProgramFolder =
    std::filesystem::path(KORVELA_SHIPPED_ACTIVITIES).parent_path();

// The names of the shipped dictionary in display order.
const std::vector<std::string>& ShippedNames() {
  static const std::vector<std::string> names = [] {
    const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
    TSportList list(kProgramFolder, *random);
    list.LoadSports();
    std::vector<std::string> result;
    for (const auto& sport : list.Sports()) result.push_back(sport->Activity);
    return result;
  }();
  return names;
}

// Every text a user types on the way to a search, one keystroke at a time.
std::vector<std::string> Keystrokes(const std::string& search) {
  std::vector<std::string> texts;
  for (std::size_t n = 1; n <= search.size(); ++n) texts.push_back(search.substr(0, n));
  return texts;
}

// One keystroke: filter by the text typed so far and highlight the best
// match, as the filter boxes of the activity log, the calculator and the
// MET picker do. Counter `s_per_keystroke` is the mean over the typed texts.
void BM_ActivitySearchKeystroke(benchmark::State& state, const std::string& search) {
  TActivitySearch searcher;
  searcher.SetNames(ShippedNames());
  const std::vector<std::string> texts = Keystrokes(search);
  std::size_t shown = 0;
  for (auto _ : state) {
    for (const std::string& text : texts) {
      const std::vector<std::size_t> rows = searcher.Filter(text);
      const int best = searcher.BestMatch(text, rows);
      benchmark::DoNotOptimize(best);
      shown = rows.size();
    }
  }
  state.counters["activities"] = static_cast<double>(searcher.Count());
  state.counters["shown_at_end"] = static_cast<double>(shown);
  // Seconds per keystroke: the inverse of keystrokes per second.
  state.counters["s_per_keystroke"] = benchmark::Counter(
      static_cast<double>(texts.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(BM_ActivitySearchKeystroke, one_word, std::string("bicycling"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ActivitySearchKeystroke, three_words, std::string("swim laps free"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ActivitySearchKeystroke, no_match, std::string("zzzz qqqq"))
    ->Unit(benchmark::kMicrosecond);

// Upper-casing the names once when a list is (re)filled.
void BM_PrepareNames(benchmark::State& state) {
  for (auto _ : state) {
    TActivitySearch searcher;
    searcher.SetNames(ShippedNames());
    benchmark::DoNotOptimize(searcher.Count());
  }
}
BENCHMARK(BM_PrepareNames)->Unit(benchmark::kMicrosecond);

// Reading the shipped "SAA.DAT" into the sorted list at start-up.
void BM_LoadSports(benchmark::State& state) {
  const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  for (auto _ : state) {
    TSportList list(kProgramFolder, *random);
    list.LoadSports();
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_LoadSports)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvela::bench

BENCHMARK_MAIN();
