#pragma once
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"

namespace korvela {

// A line of the food table that cannot be built into the catalogue. The
// message is "FILE:LINE: what is wrong".
class EFoodTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the readable source of the food catalogue: UTF-8 text with tabs
// between the columns, a header line
//   group  food  protein  fat  carbohydrate  alcohol  measures
// and one food a line. Nutrients are grams per 100 g; measures are
// "mod|desc|gr" joined by ";" (none when the column is empty). Numbers are
// plain decimals (digits with at most one "."); a measure's mod and gr must
// be above 0 and its desc must not be empty. LF and CR LF line ends are both
// accepted. A line is refused (EFoodTableError) when it has not seven
// columns, an empty group, a number that is not one or a measure not of the
// form mod|desc|gr. Returns the catalogue document: the groups as
// categories in the order they first appear, each food with its nutrients
// and measures in the order of the line. A file that cannot be read raises
// EXMLIOError naming it.
std::unique_ptr<XMLNode> ReadFoodTable(const std::filesystem::path& file, TFileSystem& fs);

// Builds the catalogue `outFile` (the program's "foods.dat") from the food
// table `tableFile`: the table is read and checked first, then the document
// is written under the temporary name of `outFile` and renamed over it, so
// `outFile` holds either its old content or exactly the foods of the table.
void BuildFoodCatalogue(const std::filesystem::path& tableFile,
                        const std::filesystem::path& outFile, TRandom& random, TFileSystem& fs);

// build-foods TSVFILE OUT
void RunBuildFoodsCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
