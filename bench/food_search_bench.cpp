// The food search as the food log screen runs it: the shipped catalogue
// (8,789 USDA foods), 500 user foods and a frequent list of 300 entries,
// searched with one- to three-word queries. Beside each query, the peer: a
// straightforward scan of the same names that upper-cases each name and
// looks for every word with std::string::find (no word-start rule, no ranks,
// no frequent foods, no sort).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_search.h"
#include "nutrition/user_foods.h"

namespace korvela::bench {
namespace {

const std::filesystem::path kProgramFolder =
    std::filesystem::path(KORVELA_SHIPPED_FOODS).parent_path();

constexpr std::size_t kUserFoods = 500;
constexpr std::size_t kFrequentFoods = 300;

// What a user types: common foods, one to three words.
const char* const kQueries[] = {
    "apple",
    "chicken",
    "milk",
    "cheese",
    "bread",
    "apple juice",
    "chicken breast",
    "rice cooked",
    "beef ground",
    "chicken breast roasted",
    "milk reduced fat",
    "bread wheat toasted",
};

struct TSearchData {
  TFoodTree tree;
  TUnitDictionary units;
  std::vector<std::unique_ptr<TFrequentFood>> frequent;
  std::size_t foods = 0;
};

const TFoodItem& AnyCatalogueFood(const TFoodTree& tree, TRandom& random) {
  const std::size_t catalogueLists = tree.Lists.size() - 2;
  for (;;) {
    const auto& list = tree.Lists[static_cast<std::size_t>(
        random.Uniform(0, static_cast<std::int64_t>(catalogueLists)))];
    if (list.Foods.empty()) continue;
    return *list.Foods[static_cast<std::size_t>(
        random.Uniform(0, static_cast<std::int64_t>(list.Foods.size())))];
  }
}

// Loaded once: user foods are catalogue names with a word of the user's
// own, filed under random categories; frequent entries are catalogue foods
// typed in lower case, used 1 to 60 times.
TSearchData& Data() {
  static TSearchData* data = [] {
    auto d = new TSearchData;
    const std::unique_ptr<TRandom> random = MakeSeededRandom(3);
    if (!LoadFoodCatalogue(d->tree, d->units, kProgramFolder, *random)) return d;
    const int categories = static_cast<int>(d->tree.Lists.size()) - 1;
    for (std::size_t i = 0; i < kUserFoods; ++i) {
      auto food =
          std::make_unique<TUserFood>("Homemade " + AnyCatalogueFood(d->tree, *random).Name);
      food->CategoryID = static_cast<int>(random->Uniform(0, categories));
      d->tree.UserFoodList().Foods.push_back(std::move(food));
    }
    for (std::size_t i = 0; i < kFrequentFoods; ++i) {
      TFoodItem copy(AnyCatalogueFood(d->tree, *random).Name);
      std::transform(copy.Name.begin(), copy.Name.end(), copy.Name.begin(),
                     [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
      auto entry = std::make_unique<TFrequentFood>(copy);
      entry->UsageCount = static_cast<int>(random->Uniform(1, 61));
      d->frequent.push_back(std::move(entry));
    }
    d->foods = d->tree.FoodCount();
    return d;
  }();
  return *data;
}

void BM_SearchFoods(benchmark::State& state, const char* query) {
  TSearchData& data = Data();
  if (data.foods == 0) {
    state.SkipWithError("foods.dat is missing");
    return;
  }
  std::vector<TSFoodItem> result;
  for (auto _ : state) {
    SearchFoods(result, query, -1, data.tree, data.frequent, nullptr);
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["results"] = static_cast<double>(result.size());
  state.counters["foods"] = static_cast<double>(data.foods);
}

void BM_PlainFindScan(benchmark::State& state, const char* query) {
  TSearchData& data = Data();
  if (data.foods == 0) {
    state.SkipWithError("foods.dat is missing");
    return;
  }
  const std::vector<std::string> words = SearchWords(query);
  std::vector<const TFoodItem*> found;
  std::string upper;
  for (auto _ : state) {
    found.clear();
    for (const TFoodList& list : data.tree.Lists)
      for (const auto& food : list.Foods) {
        upper = food->Name;
        for (char& c : upper)
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (std::all_of(words.begin(), words.end(), [&upper](const std::string& w) {
              return upper.find(w) != std::string::npos;
            }))
          found.push_back(food.get());
      }
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["results"] = static_cast<double>(found.size());
}

}  // namespace
}  // namespace korvela::bench

int main(int argc, char** argv) {
  using namespace korvela::bench;
  for (const char* query : kQueries) {
    benchmark::RegisterBenchmark((std::string("BM_SearchFoods/") + query).c_str(), BM_SearchFoods,
                                 query)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("BM_PlainFindScan/") + query).c_str(),
                                 BM_PlainFindScan, query)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
