#include "widgets/icons.h"

#include <algorithm>

#include <QFile>
#include <QString>

// The pictures are compiled into a static library, whose resources are only
// linked in and registered when something calls their initialiser. The macro
// declares that initialiser in the enclosing namespace, so it is called from
// the global one.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace korvela {
namespace {

void EnsureIconResources() {
  static const bool registered = (InitIconResources(), true);
  static_cast<void>(registered);
}

// Picture names are lower-case letters, digits and hyphens, so a name can
// never reach outside the icon folder of the resources.
bool IsIconName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
}

}  // namespace

QIcon KorvelaIcon(std::string_view name) {
  EnsureIconResources();
  if (!IsIconName(name)) return {};
  const QString path = QStringLiteral(":/icons/") +
                       QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
                       QStringLiteral(".svg");
  if (!QFile::exists(path)) return {};
  return QIcon(path);
}

QPixmap KorvelaPixmap(std::string_view name, int size) {
  if (size <= 0) return {};
  const QIcon icon = KorvelaIcon(name);
  if (icon.isNull()) return {};
  return icon.pixmap(size, size);
}

}  // namespace korvela
