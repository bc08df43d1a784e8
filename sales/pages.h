// The service menu's categories and the item pages of the sales window.
//
// The 24 page buttons (command 1 to 24) show either the main-menu page, on
// which 14 of them stand for the categories, or an item page: page p (1 to 5)
// shows the items numbered 24 (p - 1) + 1 to 24 p, button k the item
// 24 (p - 1) + k. The page in view is the page tag (cmdLast.Tag): empty for
// page 1, "2" to "5" for the others.
#pragma once

#include <QString>
#include <optional>

namespace sales {

struct Category {
  const char* table;  // the category table of BakHS.mdb
  const char* query;  // the record source of datList, exactly as the window sets it
  int pageButton;     // its page button on the main-menu page
  bool keepsPage;     // its button opens the table at the page in view
  bool routesToB;     // its routing code is always "B"; else frmInfor's combo of its slot
};

constexpr int kCategories = 14;
extern const Category kCategory[kCategories];
// The notes table: no slot, no routing code of its own.
extern const char* const kNotesQuery;

// The slot whose page button on the main-menu page is `index`, or -1.
int slotOfPageButton(int index);

// The first item number before the page the tag names ("" 0, "2" 24 ... "5"
// 96); nothing for any other tag, and then no page is filled.
std::optional<int> pageStart(const QString& pageTag);

// The page tag the back and forward buttons set from their caption: "1"
// gives the empty tag, "2" to "6" themselves; nothing for any other caption.
std::optional<QString> pageTagOfCaption(const QString& caption);

// The page tag to fill when the category's items end on page `lastPage` (the
// last of the pages 1 to 5 that holds an item; 1 when none does): a page after
// it is never shown, so a tag naming one gives the tag of `lastPage`. Any other
// tag stays as it is.
QString pageTagWithin(const QString& pageTag, int lastPage);

// What a filled page (1 to 5) does to the back (cmdLast) and forward
// (cmdNext) buttons. Every page after the first leads back to the one before
// it; a page leads on when page button 24 shows an item and a later page of
// the category holds one (the last page of a category, `lastPage`, as above).
// Each member is a change; nothing means that property stays as it is.
struct PagingButtons {
  std::optional<bool> lastVisible;
  std::optional<QString> lastCaption;
  std::optional<bool> nextVisible;
  std::optional<QString> nextCaption;
};
PagingButtons pagingButtons(int page, bool button24ShowsItem, int lastPage);

// The item number a page button hands on to item choice: the buttons 1 to 9
// put a "0" in front of their tag, so every press gives two characters at
// least ("07", "049"); the others hand on their tag ("15", "36").
QString handedOnNumber(int index, const QString& tag);

}  // namespace sales
