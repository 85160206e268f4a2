// Writes the seed corpus of package_fuzz into the folder given: packages this
// program exports (every kind, with and without a password) as file bytes and
// as text form.
#include <fstream>
#include <iostream>

#include "fuzz_support.h"
#include "package_fuzz_support.h"
#include "reports/exchange_package.h"
#include "reports/import_export.h"
#include "storage/garbled_stream.h"

namespace {

using namespace korvela;

void WriteSeed(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The package's header and items in text form, separated by NUL bytes.
std::string TextForm(const std::filesystem::path& package, std::int32_t level,
                     const std::string& password) {
  auto header = std::make_unique<XMLNode>(std::string(kPackageHeaderElement));
  header->AddIntAttr(std::string(kPackageLevelAttr), level);
  if (!password.empty()) header->AddAttr(std::string(kPackagePasswordAttr), password);
  std::string text = header->ToText();
  auto random = MakeSeededRandom(5);
  TIEPackage open(package, *random);
  open.Load(password);
  for (const TIEXML& item : open.Items()) {
    text += '\0';
    text += item.Element->ToText();
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: package_seeds FOLDER\n";
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out);
  const std::filesystem::path folder = fuzz::ScratchFile("seed-program");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  fuzz::TScratchInstallation installation(folder, 3);
  installation.Populate();

  fuzz::TQuietPrompter prompter;
  for (const std::string password : {"", fuzz::kFuzzPassword}) {
    const std::filesystem::path package = folder / "seed.krv";
    std::filesystem::remove(package);
    {
      TImportExport screen(installation.Stores(), prompter);
      screen.OpenPackage(package, [] { return std::nullopt; });
      for (std::size_t kind = 0; kind < screen.Kinds().size(); ++kind) {
        std::vector<std::size_t> all;
        for (const TIEListItem& item : screen.LocalItems(kind, "")) all.push_back(item.index);
        screen.Export(kind, all);
      }
      screen.SetPassword(password);
      screen.Close();
    }
    const std::string name = password.empty() ? "every-kind" : "every-kind-password";
    WriteSeed(out / (name + ".krv"), ReadAll(package));
    WriteSeed(out / (name + ".txt"), TextForm(package, kPackageFormatLevel, password));
  }
  WriteSeed(out / "too-new.txt",
            TextForm(folder / "seed.krv", kPackageFormatLevel + 1, fuzz::kFuzzPassword));
  std::filesystem::remove_all(folder);
  return 0;
}
