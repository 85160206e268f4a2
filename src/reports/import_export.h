#pragma once
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/exchange_kinds.h"
#include "reports/exchange_package.h"
#include "users/prompter.h"

namespace korvela {

inline constexpr const char* kMsgPackageNotOpened = "Korvela could not open the selected file.";
inline constexpr const char* kMsgPackageTooNew =
    "This import/export package requires a newer version of Korvela!";
inline constexpr const char* kMsgBadPackagePassword =
    "Bad password, please try again or cancel action!";
inline constexpr const char* kMsgNoPackageOpen =
    "You need to create a new import/export file, or open an existing one before exporting "
    "items!";
inline constexpr const char* kMsgNothingExported = "No items Exported";
inline constexpr const char* kMsgNothingImported = "No items imported";
inline constexpr const char* kMsgConfirmPackageDelete =
    "Do you really want to delete the selected item(s)?";

// The package side's first tab lists every item; tabs 1 to 6 one kind each.
inline constexpr int kAllItemsTab = 0;
inline constexpr const char* kAllItemsTabName = "All Items";

// One row of either list: the item's position (in the kind's local list or
// in the package) with its name and kind.
struct TIEListItem {
  std::size_t index = 0;
  std::string name;
  std::string kindName;
};

std::string ExportedText(std::size_t count);
std::string ImportedText(std::size_t count);
std::string DuplicateQuestion(std::string_view name);
std::string SkippedItemsText(std::size_t count);

// The import/export screen without its controls: the open package, the two
// lists and every command, with the warnings and questions through the
// prompter.
class TImportExport {
 public:
  // Asks for the package password; none when the user cancels.
  using TPasswordAsk = std::function<std::optional<std::string>()>;

  TImportExport(TIEStores stores, TPrompter& prompter);
  // Closes an open package, saving it; a refused write is not reported here
  // (the screen calls Close first).
  ~TImportExport();
  TImportExport(const TImportExport&) = delete;
  TImportExport& operator=(const TImportExport&) = delete;

  const std::vector<std::unique_ptr<TIEBase>>& Kinds() const { return kinds_; }

  // Closes the open package (saving it), then opens or creates the file.
  // Returns whether a package is open afterwards. A file that cannot be
  // opened, an invalid or too new package and a cancelled password leave no
  // package open and the file as it was.
  bool OpenPackage(const std::filesystem::path& file, const TPasswordAsk& askPassword);
  bool IsOpen() const { return package_ != nullptr; }
  const TIEPackage* Package() const { return package_.get(); }
  // Saves and closes the package; a write the disk refuses is warned about
  // and the package stays open. Returns whether it is closed.
  bool Close();

  // The password command, enabled once a package was opened without error.
  bool CanSetPassword() const { return IsOpen(); }
  void SetPassword(const std::string& text);

  // The local items of a kind (tab 0 to 5) whose names pass the filter.
  std::vector<TIEListItem> LocalItems(std::size_t kind, std::string_view filter) const;
  // The package items a tab admits whose names pass the filter.
  std::vector<TIEListItem> PackageItems(int tab, std::string_view filter) const;

  // Exports the local items of the kind at these positions, in this order,
  // and saves the package. Returns the number exported.
  std::size_t Export(std::size_t kind, const std::vector<std::size_t>& localIndices);
  // Imports the package items at these positions that the tab admits.
  // Returns the number imported.
  std::size_t Import(int tab, const std::vector<std::size_t>& packageIndices);
  // Asks first; deletes the package items at these positions. Returns
  // whether anything was deleted.
  bool DeleteItems(const std::vector<std::size_t>& packageIndices);

 private:
  // The kind of a package element; null for an element of no kind.
  const TIEBase* KindOf(const XMLNode& element) const;
  TIEBase* KindOf(const XMLNode& element);
  bool TabAdmits(int tab, const TIEBase& kind) const;
  // Takes out of the package list every item no kind reads; returns how many.
  std::size_t DropUnreadableItems();

  TIEStores stores_;
  TPrompter& prompter_;
  std::vector<std::unique_ptr<TIEBase>> kinds_;
  std::unique_ptr<TIEPackage> package_;
};

}  // namespace korvela
