#include "nutrition/menus.h"

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

TDaysMeals ReadMenu(XMLDB& db, std::int32_t id) {
  const XMLNode* node = db.Get(id, kDataKey, 0);
  if (!node || node->IsBlob) throw EInvalidXMLFile(db.FileName().string());
  TDaysMeals menu = ReadFoodLogElement(*node);
  menu.ID = id;
  return menu;
}

}  // namespace

TMenuList::TMenuList(const std::filesystem::path& programFolder, TRandom& random, TFileSystem& fs)
    : file_(programFolder / kMenusFile), random_(random), fs_(fs) {}

void TMenuList::LoadMenus() {
  std::vector<std::unique_ptr<TDaysMeals>> menus;
  if (fs_.Exists(file_)) {
    try {
      XMLDB db(file_, kMenusKind, random_, fs_);
      for (const XMLHandle& handle : db.Handles()) {
        if (!db.Has(handle.ID, handle.Date)) continue;
        menus.push_back(std::make_unique<TDaysMeals>(ReadMenu(db, handle.ID)));
        db.ReleaseCache();
      }
    } catch (EKorvelaError& e) {
      e.SetFileIfUnknown(file_.string());
      throw;
    }
  }
  menus_ = std::move(menus);
}

int TMenuList::IndexOf(const TDaysMeals& menu) const {
  for (std::size_t i = 0; i < menus_.size(); ++i)
    if (menus_[i].get() == &menu) return static_cast<int>(i);
  return -1;
}

TDaysMeals& TMenuList::SaveMenu(std::unique_ptr<TDaysMeals> menu) {
  TDaysMeals& saved = *menu;
  if (IndexOf(saved) < 0) menus_.push_back(std::move(menu));
  SaveMenu(saved);
  return saved;
}

void TMenuList::SaveMenu(TDaysMeals& menu) {
  if (!menu.IsMenu()) throw EInternalError("a day's food log is not a menu");
  XMLDB db(file_, kMenusKind, random_, fs_);
  std::int32_t id = menu.ID;
  if (id == -1) id = db.AllocateID(kFirstFreeID, kIDLimit);
  db.Put(WriteFoodLogElement(menu), id, kDataKey, 0);
  db.Save();
  menu.ID = id;
}

void TMenuList::DeleteMenu(TDaysMeals& menu) {
  if (menu.ID != -1) {
    XMLDB db(file_, kMenusKind, random_, fs_);
    db.Delete(menu.ID, 0);
    db.Save();
    menu.ID = -1;
  }
  const int index = IndexOf(menu);
  if (index >= 0) menus_.erase(menus_.begin() + index);
}

TDaysMeals& TMenuList::RevertMenu(TDaysMeals& menu) {
  const int index = IndexOf(menu);
  if (menu.ID == -1 || index < 0) return menu;
  XMLDB db(file_, kMenusKind, random_, fs_);
  auto fresh = std::make_unique<TDaysMeals>(ReadMenu(db, menu.ID));
  menus_[static_cast<std::size_t>(index)] = std::move(fresh);
  return *menus_[static_cast<std::size_t>(index)];
}

}  // namespace korvela
