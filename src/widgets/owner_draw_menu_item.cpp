#include "widgets/owner_draw_menu_item.h"

#include <utility>

namespace zembrot {

TOwnerDrawMenuItem::TOwnerDrawMenuItem(QObject* owner) : QObject(owner) {}

TOwnerDrawMenuItem::~TOwnerDrawMenuItem() = default;

void TOwnerDrawMenuItem::SetOnAdvancedDrawItem(TAdvancedMenuDrawItemEvent handler) {
  onAdvancedDrawItem_ = std::move(handler);
  AppearanceChanged();
}

void TOwnerDrawMenuItem::SetOnMeasureItem(TMenuMeasureItemEvent handler) {
  onMeasureItem_ = std::move(handler);
  AppearanceChanged();
}

}  // namespace zembrot
