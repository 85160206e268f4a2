#include "korvela_data/pack_command.h"

#include "korvela_data/data_files.h"
#include "storage/garbled_stream.h"

namespace korvela {

void PackTextFile(const std::filesystem::path& textFile, const std::filesystem::path& outFile,
                  TRandom& random, TFileSystem& fs) {
  const std::unique_ptr<XMLNode> document = ReadTextDocument(textFile, fs);
  SaveXMLFile(*document, outFile, kDataKey, random, fs);
}

void RunPackCommand(TCommandArgs args, TToolEnvironment& env) {
  PackTextFile(args[0], args[1], env.random, env.fs);
}

}  // namespace korvela
