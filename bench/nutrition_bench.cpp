// The start-up load of the shipped food catalogue (8,789 USDA foods in 25
// groups): the time of LoadFoodCatalogue and the memory the loaded tree
// holds, measured with mallinfo2 before and after a load.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <filesystem>
#include <iostream>
#include <memory>

#include "nutrition/food_catalogue.h"
#include "storage/garbled_stream.h"

namespace korvela::bench {
namespace {

const std::filesystem::path kProgramFolder =
    std::filesystem::path(KORVELA_SHIPPED_FOODS).parent_path();

// Bytes in use in the heap, large blocks that malloc maps on their own included.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

constexpr double kMiB = 1024.0 * 1024.0;

// The whole load as start-up runs it: read, unscramble, check, parse, build
// the tree; the tree's destruction is left out of the timing.
void BM_LoadFoodCatalogue(benchmark::State& state) {
  const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  std::size_t foods = 0;
  for (auto _ : state) {
    auto tree = std::make_unique<TFoodTree>();
    TUnitDictionary units;
    if (!LoadFoodCatalogue(*tree, units, kProgramFolder, *random)) {
      state.SkipWithError("foods.dat is missing");
      return;
    }
    foods = tree->FoodCount();
    state.PauseTiming();
    tree.reset();
    state.ResumeTiming();
  }
  state.counters["foods"] = static_cast<double>(foods);
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations()) *
      static_cast<std::int64_t>(std::filesystem::file_size(kProgramFolder / kFoodCatalogueFile)));
}
BENCHMARK(BM_LoadFoodCatalogue)->Unit(benchmark::kMillisecond);

// The share of the document: LoadXMLFile alone.
void BM_LoadCatalogueDocument(benchmark::State& state) {
  const std::filesystem::path file = kProgramFolder / kFoodCatalogueFile;
  for (auto _ : state) {
    std::unique_ptr<XMLNode> root = LoadXMLFile(file, kDataKey);
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadCatalogueDocument)->Unit(benchmark::kMillisecond);

// Memory held by the loaded tree, and by the catalogue's document while it
// is read (the document is freed before the load returns).
void ReportMemory() {
  const std::size_t before = HeapInUse();
  {
    TFoodTree tree;
    TUnitDictionary units;
    if (!LoadFoodCatalogue(tree, units, kProgramFolder, *MakeSeededRandom(1))) {
      std::cout << "foods.dat is missing in " << kProgramFolder << '\n';
      return;
    }
    const std::size_t held = HeapInUse() - before;
    std::cout << "Food tree held: " << held / kMiB << " MiB for " << tree.FoodCount()
              << " foods in " << tree.Lists.size() << " lists (" << held / tree.FoodCount()
              << " bytes a food)\n";
  }
  const std::size_t beforeDocument = HeapInUse();
  const std::unique_ptr<XMLNode> root = LoadXMLFile(kProgramFolder / kFoodCatalogueFile, kDataKey);
  std::cout << "Catalogue document while loading: " << (HeapInUse() - beforeDocument) / kMiB
            << " MiB\n";
}

}  // namespace
}  // namespace korvela::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  korvela::bench::ReportMemory();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
