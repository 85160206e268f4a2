#pragma once
#include <filesystem>
#include <memory>
#include <vector>

#include "activities/sport.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The activity dictionary of the whole run: every activity of "SAA.DAT",
// read at start-up and kept sorted by name (ASCII letters compared without
// case). Activities are held by pointer so that a screen may keep one while
// the list is re-sorted. Every change is written to "SAA.DAT" at once.
class TSportList {
 public:
  TSportList(const std::filesystem::path& programFolder, TRandom& random,
             TFileSystem& fs = PosixFileSystem());

  // Replaces the list with every activity of the file (identifiers 10 and
  // up), creating an empty file when there is none.
  void LoadSports();

  const std::vector<std::unique_ptr<TSport>>& Sports() const { return sports_; }
  std::size_t Count() const { return sports_.size(); }
  const TSport& At(std::size_t index) const { return *sports_.at(index); }
  // Position in the list, -1 when the object is not in it.
  int IndexOf(const TSport& sport) const;

  // Gives the activity an identifier when it has none and writes its record.
  void SaveSport(TSport& sport);
  // Removes the activity's record and sets its identifier to -1.
  void DeleteSport(TSport& sport);
  void SortSports();

  // A new activity: stored, added and the list re-sorted. Returns it.
  TSport& AddSport(const TSport& sport);
  // An edit of the activity in the list: the edited copy takes its
  // identifier and replaces it in the file and in the list (re-sorted).
  TSport& ReplaceSport(const TSport& old, const TSport& edited);
  // Deletes the record and takes the activity out of the list.
  void RemoveSport(const TSport& sport);

  const std::filesystem::path& FileName() const { return file_; }

 private:
  std::filesystem::path file_;
  TRandom& random_;
  TFileSystem& fs_;
  std::vector<std::unique_ptr<TSport>> sports_;
};

// Whether a sorts before b by name, ASCII letters compared without case.
bool SportNameLess(const TSport& a, const TSport& b);

}  // namespace korvela
