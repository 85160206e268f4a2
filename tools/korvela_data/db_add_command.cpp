#include "korvela_data/db_add_command.h"

#include "korvela_data/arguments.h"
#include "korvela_data/data_files.h"
#include "storage/xml_db.h"

namespace korvela {

void AddDatabaseRecord(const std::filesystem::path& dbFile, std::int32_t kind, std::int32_t id,
                       TDateTime date, const std::filesystem::path& textFile, TRandom& random,
                       TFileSystem& fs) {
  std::unique_ptr<XMLNode> document = ReadTextDocument(textFile, fs);
  XMLDB db(dbFile, kind, random, fs);
  db.Put(std::move(document), id, RecordKey(kind, id), date);
  db.Close();
}

void RunDbAddCommand(TCommandArgs args, TToolEnvironment& env) {
  // Every argument is checked before any file is opened.
  const std::int32_t kind = ParseInt32Argument(args[1], "KIND");
  const std::int32_t id = ParseInt32Argument(args[2], "ID");
  const TDateTime date = ParseDayArgument(args[3]);
  AddDatabaseRecord(args[0], kind, id, date, args[4], env.random, env.fs);
}

}  // namespace korvela
