#include "sales/pages.h"

namespace sales {

const Category kCategory[kCategories] = {
    {"tbDrink", "Select * from tbDrink order by Dish_ID ASC", 1, false, false},
    {"tbAppetizer", "Select * from tbAppetizer order by Dish_ID ASC", 2, false, false},
    {"tbFriedRice", "Select * from tbFriedRice order by Dish_ID ASC", 3, false, false},
    {"tbLoMein", "Select * from tbLoMein order by Dish_ID ASC", 4, false, false},
    {"tbVDishes", "SELECT * FROM tbVDishes ORDER BY Dish_ID ASC", 5, true, false},
    {"tbVegetables", "Select * from tbVegetables order by Dish_ID ASC", 6, true, false},
    {"tbPoultry", "Select * from tbPoultry order by Dish_ID ASC", 7, true, false},
    {"tbBeef", "Select * from tbBeef order by Dish_ID ASC", 8, false, false},
    {"tbSeafood", "Select * from tbSeafood order by Dish_ID ASC", 9, false, false},
    {"tbSoup", "Select * from tbSoup order by Dish_ID ASC", 10, false, false},
    {"tbPork", "Select * from tbPork order by Dish_ID ASC", 11, false, false},
    {"tbLamb", "SELECT * FROM tbLamb ORDER BY Dish_ID ASC", 12, false, false},
    {"tbLunch", "Select * from tbLunch order by Dish_ID ASC", 17, false, true},
    {"tbDinner", "Select * from tbDinner order by Dish_ID ASC", 18, false, true},
};

const char* const kNotesQuery = "SELECT * FROM tbSpl ORDER BY Dish_ID ASC";

int slotOfPageButton(int index) {
  for (int slot = 0; slot < kCategories; ++slot)
    if (kCategory[slot].pageButton == index) return slot;
  return -1;
}

std::optional<int> pageStart(const QString& pageTag) {
  if (pageTag.isEmpty()) return 0;
  for (int page = 2; page <= 5; ++page)
    if (pageTag == QString::number(page)) return 24 * (page - 1);
  return std::nullopt;
}

std::optional<QString> pageTagOfCaption(const QString& caption) {
  if (caption == QLatin1String("1")) return QString();
  for (int page = 2; page <= 6; ++page)
    if (caption == QString::number(page)) return caption;
  return std::nullopt;
}

QString pageTagWithin(const QString& pageTag, int lastPage) {
  const std::optional<int> start = pageStart(pageTag);
  if (!start || *start / 24 + 1 <= lastPage) return pageTag;
  return lastPage > 1 ? QString::number(lastPage) : QString();
}

PagingButtons pagingButtons(int page, bool button24ShowsItem, int lastPage) {
  PagingButtons b;
  b.lastVisible = page > 1;
  if (page > 1) b.lastCaption = QString::number(page - 1);
  // A full page leads on only to a page with items: a full last page, also
  // page 5, leads nowhere.
  b.nextVisible = button24ShowsItem && page < lastPage;
  if (*b.nextVisible) b.nextCaption = QString::number(page + 1);
  return b;
}

QString handedOnNumber(int index, const QString& tag) {
  return index < 10 ? QStringLiteral("0") + tag : tag;
}

}  // namespace sales
