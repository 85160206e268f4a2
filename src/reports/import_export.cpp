#include "reports/import_export.h"

#include <algorithm>
#include <utility>

#include "storage/errors.h"
#include "storage/write_refused.h"
#include "training/exercise_dictionary.h"

namespace korvela {

std::string ExportedText(std::size_t count) {
  return count == 0 ? kMsgNothingExported
                    : std::to_string(count) + " item(s) exported successfully";
}

std::string ImportedText(std::size_t count) {
  return count == 0 ? kMsgNothingImported
                    : std::to_string(count) + " item(s) imported successfully";
}

std::string DuplicateQuestion(std::string_view name) {
  return "Import Item \"" + std::string(name) + "\" already exists. Do you want to import it now?";
}

std::string SkippedItemsText(std::size_t count) {
  return std::to_string(count) +
         " item(s) of this package could not be read and were skipped; nothing of them will be "
         "imported.";
}

TImportExport::TImportExport(TIEStores stores, TPrompter& prompter)
    : stores_(stores), prompter_(prompter), kinds_(MakeExchangeKinds(stores_)) {}

TImportExport::~TImportExport() {
  if (!package_) return;
  try {
    package_->Save();
  } catch (const EKorvelaError&) {
  }
}

bool TImportExport::Close() {
  if (!package_) return true;
  try {
    package_->Save();
  } catch (const EXMLIOError& e) {
    prompter_.Warn(WriteRefusedText(e));
    return false;
  }
  package_.reset();
  return true;
}

bool TImportExport::OpenPackage(const std::filesystem::path& file,
                                const TPasswordAsk& askPassword) {
  if (!Close()) return IsOpen();
  std::unique_ptr<TIEPackage> package;
  try {
    package = std::make_unique<TIEPackage>(file, stores_.random, stores_.fs);
  } catch (const EKorvelaError&) {
    prompter_.Warn(kMsgPackageNotOpened);
    return false;
  }
  std::string password;
  TPackageLoad result = package->Load(password);
  bool askedBefore = false;
  while (result == TPackageLoad::BadPassword) {
    if (askedBefore) prompter_.Warn(kMsgBadPackagePassword);
    const std::optional<std::string> typed = askPassword();
    // A cancelled password leaves the package unread and unwritten.
    if (!typed) return false;
    password = *typed;
    askedBefore = true;
    result = package->Load(password);
  }
  if (result == TPackageLoad::TooNew) {
    prompter_.Warn(kMsgPackageTooNew);
    return false;
  }
  if (result == TPackageLoad::Invalid) {
    prompter_.Warn(kMsgPackageNotOpened);
    return false;
  }
  package_ = std::move(package);
  const std::size_t skipped = package_->UnreadableCount() + DropUnreadableItems();
  if (skipped > 0) prompter_.Warn(SkippedItemsText(skipped));
  return true;
}

std::size_t TImportExport::DropUnreadableItems() {
  std::size_t dropped = 0;
  for (std::size_t i = package_->Items().size(); i-- > 0;) {
    const XMLNode& element = *package_->Items()[i].Element;
    const TIEBase* kind = KindOf(element);
    bool readable = kind != nullptr;
    if (kind) {
      try {
        kind->CheckItem(element);
      } catch (const EKorvelaError&) {
        readable = false;
      }
    }
    if (!readable) {
      package_->DropItem(i);
      ++dropped;
    }
  }
  return dropped;
}

void TImportExport::SetPassword(const std::string& text) {
  if (package_) package_->SetPassword(text);
}

const TIEBase* TImportExport::KindOf(const XMLNode& element) const {
  for (const auto& kind : kinds_)
    if (kind->IsOfKind(element)) return kind.get();
  return nullptr;
}

TIEBase* TImportExport::KindOf(const XMLNode& element) {
  return const_cast<TIEBase*>(std::as_const(*this).KindOf(element));
}

bool TImportExport::TabAdmits(int tab, const TIEBase& kind) const {
  if (tab == kAllItemsTab) return true;
  const auto index = static_cast<std::size_t>(tab - 1);
  return index < kinds_.size() && kinds_[index].get() == &kind;
}

std::vector<TIEListItem> TImportExport::LocalItems(std::size_t kind,
                                                   std::string_view filter) const {
  std::vector<TIEListItem> items;
  const TIEBase& k = *kinds_.at(kind);
  const std::string kindName = k.KindName();
  for (std::size_t i = 0; i < k.LocalCount(); ++i) {
    std::string name = k.LocalName(i);
    if (FilterTextMatches(filter, name)) items.push_back({i, std::move(name), kindName});
  }
  return items;
}

std::vector<TIEListItem> TImportExport::PackageItems(int tab, std::string_view filter) const {
  std::vector<TIEListItem> items;
  if (!package_) return items;
  const auto& all = package_->Items();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const TIEBase* kind = KindOf(*all[i].Element);
    if (!kind || !TabAdmits(tab, *kind)) continue;
    std::string name = kind->ItemName(*all[i].Element);
    if (FilterTextMatches(filter, name)) items.push_back({i, std::move(name), kind->KindName()});
  }
  return items;
}

std::size_t TImportExport::Export(std::size_t kind, const std::vector<std::size_t>& localIndices) {
  if (!package_) {
    prompter_.Warn(kMsgNoPackageOpen);
    return 0;
  }
  const TIEBase& k = *kinds_.at(kind);
  std::size_t count = 0;
  for (const std::size_t index : localIndices) {
    package_->AddItem(k.ExportItem(index));
    ++count;
  }
  try {
    package_->Save();
  } catch (const EXMLIOError& e) {
    prompter_.Warn(WriteRefusedText(e));
    return count;
  }
  prompter_.Inform(ExportedText(count));
  return count;
}

std::size_t TImportExport::Import(int tab, const std::vector<std::size_t>& packageIndices) {
  if (!package_) return 0;
  for (const auto& kind : kinds_) kind->OpenStore();
  std::size_t count = 0;
  std::optional<bool> toAll;
  try {
    for (const std::size_t index : packageIndices) {
      const XMLNode& element = *package_->Items().at(index).Element;
      TIEBase* kind = KindOf(element);
      if (!kind || !TabAdmits(tab, *kind)) continue;
      if (kind->IsDuplicate(element)) {
        bool take = false;
        if (toAll) {
          take = *toAll;
        } else {
          switch (prompter_.AskYesNoAll(DuplicateQuestion(kind->ItemName(element)))) {
            case TAnswer::Yes:
              take = true;
              break;
            case TAnswer::No:
              take = false;
              break;
            case TAnswer::YesToAll:
              take = true;
              toAll = true;
              break;
            case TAnswer::NoToAll:
              take = false;
              toAll = false;
              break;
          }
        }
        if (!take) continue;
      }
      kind->ImportItem(element);
      ++count;
    }
  } catch (const EXMLIOError& e) {
    for (const auto& kind : kinds_) kind->CloseStore();
    prompter_.Warn(WriteRefusedText(e));
    return count;
  }
  for (const auto& kind : kinds_) kind->CloseStore();
  prompter_.Inform(ImportedText(count));
  return count;
}

bool TImportExport::DeleteItems(const std::vector<std::size_t>& packageIndices) {
  if (!package_ || packageIndices.empty()) return false;
  if (!prompter_.AskYesNo(kMsgConfirmPackageDelete)) return false;
  std::vector<std::size_t> positions = packageIndices;
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) package_->DeleteItem(*it);
  return true;
}

}  // namespace korvela
