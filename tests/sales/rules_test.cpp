// The ticket rules as plain functions: sizes, options and add-ons, pages,
// line building and merging, totals and taxes, the modifier pad.
#include <gtest/gtest.h>

#include "sales/lines.h"
#include "sales/menuitem.h"
#include "sales/modifierpad.h"
#include "sales/pages.h"
#include "sales/ticket.h"
#include "sales/totals.h"
#include "tests/sales/sales_fixture.h"

namespace {

using sales::Field;

// ---- sizes, options, add-ons

// A size is priced when its price is an amount above zero; a price that is
// not an amount or is below zero offers no size and refuses the item.
TEST(MenuItemRules, APriceCountsAsSetWhenItIsAnAmountAboveZero) {
  using sales::MenuPrice;
  // An amount, none, below zero, not an amount.
  constexpr MenuPrice A = MenuPrice::Amount, N = MenuPrice::None, B = MenuPrice::Negative,
                      X = MenuPrice::NotAnAmount;
  const struct {
    Field price;
    MenuPrice kind;
  } cases[] = {{"5", A},      {"0.50", A},   {"12.00", A}, {".50", A},  {"$1,234.50", A},  {"8.", A},
               {"", N},       {"0", N},      {"0.00", N},  {"-", N},    {std::nullopt, N}, {"-0.00", N},
               {"-5.00", B},  {"-25.00", B}, {"-.50", B},  {"8.5o", X}, {"abc", X},        {"8,50", X},
               {"1,2345", X}, {"1.2.5", X},  {".", X}};
  for (const auto& c : cases) {
    const std::string what = c.price.value_or("<null>").toStdString();
    EXPECT_EQ(sales::menuPrice(c.price), c.kind) << what;
    sales::MenuItem item;
    item.name = "Tint";
    item.prices[sales::kL] = c.price;
    const sales::SizeOffer offer = sales::offerSizes(item);
    const bool priced = c.kind == MenuPrice::Amount;
    EXPECT_EQ(offer.count, priced ? 1 : 0) << what;
    EXPECT_EQ(offer.lonePrice, priced ? *c.price : QString()) << what;
    const std::optional<QString> refused = sales::priceRefusal(item);
    const char* why = c.kind == X ? "is not an amount" : c.kind == B ? "is below zero" : nullptr;
    if (why)
      EXPECT_EQ(refused.value_or("<none>"),
                QString("\"Tint\" is not rung up: its L-Price \"%1\" %2. Correct the price in the menu.")
                    .arg(*c.price, why));
    else
      EXPECT_FALSE(refused) << what;
  }

  // Every price the item offers is checked: the four sizes and the prices
  // of its options; an option not offered is not.
  sales::MenuItem item;
  item.name = "Gloss";
  item.prices = {Field("20.00"), Field(".50"), Field("25.00"), Field("30.00")};
  item.options[0] = "Shine";
  item.optionPrices[0] = "2.5x";
  item.options[1] = "-";
  item.optionPrices[1] = "abc";
  EXPECT_EQ(sales::priceRefusal(item).value_or("<none>"),
            "\"Gloss\" is not rung up: the price \"2.5x\" of its option \"Shine\" is not an amount. Correct "
            "the price in the menu.");
  item.optionPrices[0] = "$2.50";
  EXPECT_FALSE(sales::priceRefusal(item));
  EXPECT_EQ(sales::offerSizes(item).cmdM, "0.50");
  item.prices[sales::kXL] = "3O.00";
  EXPECT_EQ(
      sales::priceRefusal(item).value_or("<none>"),
      "\"Gloss\" is not rung up: its XL-Price \"3O.00\" is not an amount. Correct the price in the menu.");
}

TEST(MenuItemRules, TheSizePromptOffersThePricedSizes) {
  const struct {
    const char* s;
    const char* m;
    const char* l;
    const char* xl;
    int count;
    const char* captions;  // cmdS | cmdM | cmdYes | cmdNo
    const char* lone;
  } cases[] = {
      {"0.00", "0.00", "48", "0.00", 1, "|||", "48"},       // L alone: no prompt, the field unformatted
      {"0.00", "0.00", "0.00", "58", 1, "|||58.00", "58"},  // XL alone: no prompt either
      {"35", "0.00", "48", "0.00", 2, "35.00||48.00|", ""},
      {"35", "42", "48", "1234.5", 4, "35.00|42.00|48.00|1,234.50", ""},
  };
  for (const auto& c : cases) {
    sales::MenuItem item;
    item.prices = {QString(c.s), QString(c.m), QString(c.l), QString(c.xl)};
    const sales::SizeOffer offer = sales::offerSizes(item);
    EXPECT_EQ(offer.count, c.count) << c.captions;
    EXPECT_EQ(QStringList({offer.cmdS, offer.cmdM, offer.cmdYes, offer.cmdNo}).join('|').toStdString(),
              c.captions);
    EXPECT_EQ(offer.lonePrice.toStdString(), c.lone);
  }
}

TEST(MenuItemRules, OptionsAndAddOnsByTheirNames) {
  sales::MenuItem item;
  item.options = {Field("-"), Field("- "), Field(" "), std::nullopt, Field("Long"), Field("")};
  item.optionPrices[4] = "5.00";
  QStringList offered;
  for (const sales::OptionOffer& o : sales::offeredOptions(item))
    offered << QStringLiteral("%1:%2:%3").arg(o.n).arg(o.name).arg(o.price.value_or("<null>"));
  EXPECT_EQ(offered, QStringList({"2:- :<null>", "3: :<null>", "5:Long:5.00"}));

  const struct {
    Field first;
    bool loads;
  } addOns[] = {{"- ", false}, {"", false}, {std::nullopt, false}, {"-", true}, {"Toner", true}};
  for (const auto& a : addOns) {
    item.addOns[0] = a.first;
    item.addOns[1] = "Foil";  // later add-ons never decide
    EXPECT_EQ(sales::loadsAddOns(item), a.loads) << a.first.value_or("<null>").toStdString();
  }
}

// ---- pages

// Every page after the first leads back; a full page leads on only to a
// page that holds an item.
TEST(PageRules, PagingButtonsLeadBackAndOnToItems) {
  const struct {
    int page;
    bool shows;            // page button 24 shows an item
    int lastPage;          // the category's last page with an item
    const char* expected;  // last visible/caption, next visible/caption; "=" unchanged
  } cases[] = {
      {1, false, 1, "hide = hide ="}, {2, false, 2, "show 1 hide ="}, {3, false, 3, "show 2 hide ="},
      {4, false, 4, "show 3 hide ="}, {5, false, 5, "show 4 hide ="}, {1, true, 2, "hide = show 2"},
      {2, true, 3, "show 1 show 3"},  {3, true, 4, "show 2 show 4"},  {4, true, 5, "show 3 show 5"},
      {5, true, 5, "show 4 hide ="},   // a full page 5 leads nowhere
      {1, true, 1, "hide = hide ="},   // exactly 24 items: no blank page 2
      {2, true, 2, "show 1 hide ="},   // exactly 48
      {1, false, 3, "hide = hide ="},  // item 24 missing: the items after it stay out of reach
  };
  const auto visible = [](const std::optional<bool>& v) { return v ? (*v ? "show" : "hide") : "="; };
  for (const auto& c : cases) {
    const sales::PagingButtons b = sales::pagingButtons(c.page, c.shows, c.lastPage);
    const QString got = QStringList({visible(b.lastVisible), b.lastCaption.value_or("="),
                                     visible(b.nextVisible), b.nextCaption.value_or("=")})
                            .join(' ');
    EXPECT_EQ(got.toStdString(), c.expected) << c.page << " " << c.shows << " " << c.lastPage;
  }
}

// A page tag after the category's last page gives that page.
TEST(PageRules, APageAfterTheLastItemsIsNeverFilled) {
  const struct {
    const char* tag;
    int lastPage;
    const char* within;
  } cases[] = {{"3", 5, "3"}, {"3", 3, "3"}, {"3", 2, "2"}, {"3", 1, ""}, {"5", 4, "4"},
               {"", 1, ""},   {"2", 1, ""},  {"6", 1, "6"}, {"x", 2, "x"}};
  for (const auto& c : cases)
    EXPECT_EQ(sales::pageTagWithin(c.tag, c.lastPage).toStdString(), c.within) << c.tag << " " << c.lastPage;
}

TEST(PageRules, PagesTagsAndNumbersHandedOn) {
  EXPECT_EQ(sales::pageStart(""), 0);
  EXPECT_EQ(sales::pageStart("3"), 48);
  EXPECT_EQ(sales::pageStart("5"), 96);
  EXPECT_FALSE(sales::pageStart("6"));
  EXPECT_FALSE(sales::pageStart("1"));
  EXPECT_EQ(sales::pageTagOfCaption("1"), QString());
  EXPECT_EQ(sales::pageTagOfCaption("6"), QString("6"));
  EXPECT_FALSE(sales::pageTagOfCaption(""));

  const struct {
    int index;
    const char* tag;
    const char* handed;
  } cases[] = {{7, "7", "07"},   {15, "15", "15"}, {1, "49", "049"},
               {5, "29", "029"}, {12, "36", "36"}, {9, "9", "09"}};
  for (const auto& c : cases) EXPECT_EQ(sales::handedOnNumber(c.index, c.tag).toStdString(), c.handed);
}

// ---- line building

struct LineCase {
  const char* what;
  const char* qty;
  const char* percent;
  const char* menu;
  const char* price;
  const char* prefix;
  Field menuQty;
  const char* line;
  const char* added;
};

TEST(LineRules, TheLineOfOneItem) {
  const LineCase cases[] = {
      {"plain", "", "", "Cut", "20.00", "", "1", "1 | Cut | 20.00 | A", "20.00"},
      {"a quantity", "03", "", "Cut", "12.50", "", "1", "3 | Cut | 37.50 | A", "37.50"},
      {"a half portion alone", "", "", "Cut", "12.00", "", "0.5", "1 | Cut | 12.00 | A", "12.00"},
      {"a half portion with 02", "02", "", "Cut", "12.00", "", "0.5", "1/2 | Cut | 24.00 | A", "24.00"},
      {"percent off", "", "10", "Cut", "20.00", "", "1", "1 | Cut-10% | 18.00 | A", "18.00"},
      {"a percent rounded to four places", "", "33.333", "Cut", "9.99", "", "1", "1 | Cut-33.333% | 6.66 | A",
       "6.66"},
      // 19.99 less 49.75 % is 10.044975: the amount off is not rounded first.
      {"a percent whose amount off has six places", "", "49.75", "Cut", "19.99", "", "1",
       "1 | Cut-49.75% | 10.04 | A", "10.04"},
      {"a quarter percent of a small price", "", "12.75", "Cut", "0.51", "", "1", "1 | Cut-12.75% | 0.44 | A",
       "0.44"},
      {"a size word", "", "", "Cut", "20.00", "M-", "1", "1 | Small Cut | 20.00 | A", "20.00"},
      {"a size word and percent", "", "10", "Cut", "20.00", "M-", "1", "1 | Small Cut-10% | 18.00 | A",
       "18.00"},
      {"an option without size", "", "", "Cut /Wash", "32", "", "1", "1 | Cut /Wash | 32.00 | A", "32.00"},
      {"an option and a percent", "", "10", "Cut /Wash", "32", "", "1", "1 | Cut /Wash-10% | 28.80 | A",
       "28.80"},
      {"an option after the size word", "", "", "Cut /Wash", "32", "XL-", "1",
       "1 | Big Cut /Wash | 32.00 | A", "32.00"},
      {"no price", "", "", "Cut", "", "", "1", "1 | Cut |  | A", ""},
      // A quantity or percent is read once, by typedNumber, for what the
      // line shows and what it charges: one it does not read counts as none.
      {"a decimal quantity", "1.5", "", "Cut", "12.50", "", "1", "1.5 | Cut | 18.75 | A", "18.75"},
      {"a decimal percent", "", "12.5", "Cut", "20.00", "", "1", "1 | Cut-12.5% | 17.50 | A", "17.50"},
      {"a decimal comma in the quantity", "1,5", "", "Cut", "12.50", "", "1", "1 | Cut | 12.50 | A", "12.50"},
      {"a decimal comma in the percent", "", "12,5", "Cut", "20.00", "", "1", "1 | Cut | 20.00 | A", "20.00"},
      {"a quantity that is no number", "x", "", "Cut", "20.00", "", "1", "1 | Cut | 20.00 | A", "20.00"},
      {"a percent that is no number", "", "x", "Cut", "20.00", "", "1", "1 | Cut | 20.00 | A", "20.00"},
      {"a percent of 100", "", "100", "Cut", "20.00", "", "1", "1 | Cut-100% | 0.00 | A", "0.00"},
      {"a percent of 0", "", "0", "Cut", "20.00", "", "1", "1 | Cut-0% | 20.00 | A", "20.00"},
      {"a percent over 100 counts as none", "", "150", "Cut", "8.00", "", "1", "1 | Cut | 8.00 | A", "8.00"},
  };
  for (const LineCase& c : cases) {
    TicketGrid t;
    sales::LineEntry e{c.qty, "", c.percent, c.menu, c.price, c.prefix, "A", ""};
    sales::LineSettings s{c.menuQty, {"Small ", "Medium ", "Big "}, true};
    EXPECT_EQ(sales::buildOrderLine(e, s, t.grid()).toStdString(), c.added) << c.what;
    EXPECT_EQ(t.lines(), QStringList{c.line}) << c.what;
    EXPECT_EQ(t.control().Row(), 1) << c.what;  // one row down from the header
    EXPECT_TRUE(e.qty.isEmpty() && e.pending.isEmpty() && e.menu.isEmpty()) << c.what;
  }
}

// What the quantity and percent boxes hold is a number only when it is
// digits with at most one point; anything else refuses the item, by its box.
TEST(LineRules, AQuantityOrPercentIsDigitsWithAPoint) {
  const struct {
    const char* text;
    std::optional<double> number;
  } numbers[] = {{"3", 3},   {"03", 3},  {"1.5", 1.5}, {".5", 0.5},   {"12.", 12},
                 {"0", 0},   {"", {}},   {"1,5", {}},  {"12,5", {}},  {"ab", {}},
                 {"-2", {}}, {" 3", {}}, {"1e2", {}},  {"1.2.5", {}}, {".", {}}};
  for (const auto& n : numbers) EXPECT_EQ(sales::typedNumber(n.text), n.number) << n.text;

  const struct {
    const char* qty;
    const char* percent;
    const char* refused;  // nullptr: rung up
  } entries[] = {
      {"", "", nullptr},
      {"02", "12.5", nullptr},
      {"1,5", "",
       "The quantity \"1,5\" is not a number (a decimal is written with a point, as in 1.5); the item is not "
       "rung up."},
      {"", "12,5",
       "The percent \"12,5\" is not a number (a decimal is written with a point, as in 1.5); the item is not "
       "rung up."},
      {"ab", "10",
       "The quantity \"ab\" is not a number (a decimal is written with a point, as in 1.5); the item is not "
       "rung up."},
      // A percent is 0 to 100: 150 % would ring up a price below nothing.
      {"", "100", nullptr},
      {"", "0", nullptr},
      {"", "150", "The percent \"150\" is outside 0 to 100; the item is not rung up."},
      {"", "100.5", "The percent \"100.5\" is outside 0 to 100; the item is not rung up."},
      {"", "-1", "The percent \"-1\" is outside 0 to 100; the item is not rung up."},
  };
  for (const auto& e : entries) {
    const std::optional<QString> refused = sales::typedEntryRefusal(e.qty, e.percent);
    EXPECT_EQ(refused.value_or("<rung up>").toStdString(), e.refused ? e.refused : "<rung up>")
        << e.qty << " / " << e.percent;
  }
}

// Rings the item `menu` at `price` into the grid as the window does.
QString ring(TicketGrid& t, const QString& menu, const QString& price, const QString& qty = "",
             bool merge = true, const QString& code = "A") {
  sales::LineEntry e{qty, "", "", menu, price, "", code, ""};
  sales::LineSettings s{Field("1"), {}, merge};
  return sales::buildOrderLine(e, s, t.grid());
}

TEST(LineRules, EqualLinesMerge) {
  {
    // The new unit's price is added to the line as it is: 60.00 and 48.00
    // give 108.00, and the subtotal grows by the 48.00 rung up.
    TicketGrid t;
    EXPECT_EQ(ring(t, "Women's Cut", "60"), "60.00");
    EXPECT_EQ(ring(t, "Women's Cut", "48"), "48.00");
    EXPECT_EQ(t.lines(), QStringList{"2 | Women's Cut | 108.00 | A"});
  }
  {
    TicketGrid t;  // "Sort Receipt" ticked: every line stands alone
    ring(t, "Cut", "20", "", false);
    ring(t, "Cut", "20", "", false);
    EXPECT_EQ(t.lines(), QStringList({"1 | Cut | 20.00 | A", "1 | Cut | 20.00 | A"}));
  }
  {
    TicketGrid t;  // a typed quantity adds its units and their price
    ring(t, "Cut", "12.50");
    EXPECT_EQ(ring(t, "Cut", "12.50", "03"), "37.50");
    EXPECT_EQ(t.lines(), QStringList{"4 | Cut | 50.00 | A"});
  }
  {
    TicketGrid t;  // an empty price no longer wipes the line's price
    ring(t, "Cut", "20");
    ring(t, "Cut", "");
    EXPECT_EQ(t.lines(), QStringList{"2 | Cut | 20.00 | A"});
  }
  {
    TicketGrid t;  // a recalled line (no routing code) is never merged into
    t.add("1", "Cut", "20.00", "");
    ring(t, "Cut", "20");
    EXPECT_EQ(t.lines(), QStringList({"1 | Cut | 20.00 | ", "1 | Cut | 20.00 | A"}));
  }
  {
    TicketGrid t;  // one unit does not merge into a half portion
    t.add("1/2", "Cut", "24.00", "A");
    ring(t, "Cut", "12");
    EXPECT_EQ(t.lines(), QStringList({"1/2 | Cut | 24.00 | A", "1 | Cut | 12.00 | A"}));
  }
}

TEST(LineRules, AMergedLineTakesItsSubLinesToTheEnd) {
  TicketGrid t;
  ring(t, "Cut", "20");
  t.add("+", "1.  Foil", "5.00", "A");
  t.add("+", "1. No Gel", "", "A");
  ring(t, "Wax", "10");
  ring(t, "Cut", "20");
  EXPECT_EQ(t.lines(), QStringList({"1 | Wax | 10.00 | A", "2 | Cut | 40.00 | A", "+ | 1.  Foil | 5.00 | A",
                                    "+ | 1. No Gel |  | A"}));
}

// The grid's current row starts at the header and lags one row behind the
// last line. Merging moves it up each time; a third merge used to move it
// above the grid and stop, leaving the sub-lines under the wrong line.
TEST(LineRules, AThirdMergeStillMovesItsSubLines) {
  TicketGrid t;
  ring(t, "Cut", "20");
  t.add("+", "1.  Foil", "5.00", "A");
  ring(t, "Wax", "10");
  ring(t, "Cut", "20");
  ring(t, "Wax", "10");
  ring(t, "Cut", "20");
  EXPECT_EQ(t.lines(),
            QStringList({"2 | Wax | 20.00 | A", "3 | Cut | 60.00 | A", "+ | 1.  Foil | 5.00 | A"}));
  EXPECT_EQ(t.control().Row(), 0);
}

// A line whose quantity reads 0 was merged and then appended again, so its
// unit showed twice on the ticket.
TEST(LineRules, ALineWithQuantityZeroIsNotAddedTwice) {
  TicketGrid t;
  t.add("0", "Cut", "0.00", "A");
  EXPECT_EQ(ring(t, "Cut", "20"), "20.00");
  EXPECT_EQ(t.lines(), QStringList{"1 | Cut | 20.00 | A"});
}

// Two equal lines (rung up while merging was off) take the new unit once.
TEST(LineRules, ANewUnitMergesIntoOneLineOnly) {
  TicketGrid t;
  t.add("1", "Cut", "20.00", "A");
  t.add("1", "Cut", "20.00", "A");
  ring(t, "Cut", "20", "02");
  EXPECT_EQ(t.lines(), QStringList({"1 | Cut | 20.00 | A", "3 | Cut | 60.00 | A"}));
}

TEST(LineRules, TextsWithTabsOrLineBreaksStayInTheirCell) {
  EXPECT_EQ(sales::gridRow("+", "1. No\tOnion\r\nOnly", "1.00", "A"), "+\t1. No Onion  Only\t1.00\tA");
}

// The four columns fill the room beside the grid's scroll bar exactly, in
// the shares 7 : 71 : 18 : 6.
TEST(LineRules, TicketColumnsFillTheRoomInTheirShares) {
  const struct {
    int room;
    std::array<int, 4> widths;
  } cases[] = {
      {6450, {443, 4489, 1139, 379}},
      {6720, {461, 4678, 1186, 395}},
      {102, {7, 71, 18, 6}},
      {0, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const std::array<int, 4> widths = sales::orderColumnWidths(c.room);
    EXPECT_EQ(widths, c.widths) << c.room;
    EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[3], c.room) << c.room;
  }
}

// ---- totals

TEST(TotalRules, TaxesAndTotal) {
  const struct {
    const char* subtotal;
    double rate1;
    std::optional<double> rate2;
    const char* expected;  // subtotal | tax 1 | tax 2 | total
  } cases[] = {
      {"31", 0.075, std::nullopt, "31.00 | 2.33 | - | 33.33"},  // 2.325 rounds up, as the decimal value does
      {"75.00", 0.075, std::nullopt, "75.00 | 5.63 | - | 80.63"},
      {"20.00", 0.0825, std::nullopt, "20.00 | 1.65 | - | 21.65"},
      {"100.00", 0.05, 0.07, "100.00 | 5.00 | 7.35 | 112.35"},
      {"1234.5", 0, std::nullopt, "1,234.50 | 0.00 | - | 1,234.50"},
      {"0.00", 0.075, 0.075, "0.00 | 0.00 | 0.00 | 0.00"},
  };
  for (const auto& c : cases) {
    const std::optional<sales::TicketTotals> t = sales::ticketTotals(c.subtotal, c.rate1, c.rate2);
    ASSERT_TRUE(t) << c.subtotal;
    EXPECT_EQ(QStringList({t->subtotal, t->tax1, t->tax2.value_or("-"), t->total}).join(" | ").toStdString(),
              c.expected);
  }
  EXPECT_FALSE(sales::ticketTotals("abc", 0.075, std::nullopt));

  EXPECT_EQ(sales::readTaxRate("0.075").value, 0.075);
  EXPECT_FALSE(sales::readTaxRate("").bad);
  EXPECT_EQ(sales::readTaxRate("").value, 0);
  EXPECT_TRUE(sales::readTaxRate("7.5%").bad);
  EXPECT_EQ(sales::readTaxRate("7.5%").value, 0);
}

TEST(TotalRules, AnAmountIsWrittenAsTheWindowsWriteIt) {
  const struct {
    const char* text;
    bool amount;
  } cases[] = {{"25.50", true},     {"1,234.50", true}, {"-5.00", true},    {"0.00", true},
               {"25.50.00", false}, {"1.5.00", false},  {"1250.00", false}, {"25.5", false},
               {"0", false},        {"", false},        {"VISA", false},    {" 25.50", false}};
  for (const auto& c : cases) EXPECT_EQ(sales::isMoneyText(c.text), c.amount) << c.text;
}

// ---- the modifier pad

TEST(PadRules, KeysWordsAndAddOnPrices) {
  const struct {
    int n;
    const char* key;
  } keys[] = {{7, nullptr}, {9, "1"},  {11, "3"},     {14, "4"},    {21, "9"},
              {24, "."},    {25, "0"}, {26, "Clear"}, {27, nullptr}};
  for (const auto& k : keys) {
    const std::optional<QString> key = sales::keyText(k.n);
    EXPECT_EQ(key.value_or("<none>").toStdString(), k.key ? k.key : "<none>") << k.n;
  }
  QString modifier;
  modifier += sales::padWord(4);
  modifier = sales::withAddOn(modifier, "Onion");
  modifier += sales::padWord(1);
  modifier = sales::withAddOn(modifier, "Garlic");
  EXPECT_EQ(modifier, "No  OnionAdd  Garlic");

  // Each priced add-on adds its price to what the price box holds.
  const struct {
    const char* box;
    const char* tag;
    const char* after;
  } prices[] = {
      {"", "5.00", "5.00"},      {"5.00", "3.00", "8.00"},
      {"", ".50", "0.50"},       {"5", "2.00", "7.00"},
      {"0.50", " 1.00", "1.50"}, {"999.99", "10.00", "1,009.99"},
      {"5", "0.00", "5"},        {"5", "", "5"},
      {"5", "-1.00", "5"},       {"5", "-", "5"},
      {"1.2.", "2.00", "1.2."},  {"8,50", "1.00", "8,50"},
  };
  for (const auto& p : prices)
    EXPECT_EQ(sales::priceWithAddOn(p.box, p.tag).toStdString(), p.after) << p.box << " + " << p.tag;
  EXPECT_EQ(
      sales::addOnRefusal("Serum", "3.o0").value_or("<added>"),
      "The add-on \"Serum\" is not added: its price \"3.o0\" is not an amount. Correct the price in the "
      "menu.");
  EXPECT_EQ(
      sales::addOnRefusal("Serum", "-1.00").value_or("<added>"),
      "The add-on \"Serum\" is not added: its price \"-1.00\" is below zero. Correct the price in the menu.");
  for (const char* added : {"", "0.00", "-", ".50"})
    EXPECT_FALSE(sales::addOnRefusal("Serum", added)) << added;
}

TEST(PadRules, EnterWritesTheModifierIntoTheTicket) {
  const struct {
    const char* what;
    const char* lastRow;  // qty|text|price|code of the last line before Enter
    int row;              // the grid's current row before Enter
    sales::PadEntry pad;
    sales::PadCommit outcome;
    const char* lines;     // the ticket afterwards, lines joined with " / "
    const char* subtotal;  // "31.00" before Enter
    int rowAfter;
  } cases[] = {
      {"priced",
       "1|Men's Cut|25.00|A",
       1,
       {" Hot Towel", "6.00", "1", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Men's Cut | 25.00 | A / + | 1.  Hot Towel | 6.00 | B",
       "37",
       1},
      {"priced with a count",
       "1|Men's Cut|25.00|A",
       1,
       {" Hot Towel", "6.00", "3", "UpLine"},
       sales::PadCommit::PricedLine,
       "1 | Men's Cut | 25.00 | A / + | 3.  Hot Towel | 18.00 | B",
       "49",
       1},
      {"a count of two at a price typed on the keypad",
       "1|Men's Cut|25.00|A",
       1,
       {"Add  Soothing Gel", "5", "2", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Men's Cut | 25.00 | A / + | 2. Add  Soothing Gel | 10.00 | B",
       "41",
       1},
      {"a count of nought",
       "1|Men's Cut|25.00|A",
       1,
       {" Hot Towel", "6.00", "0", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Men's Cut | 25.00 | A / + | 0.  Hot Towel | 0.00 | B",
       "31",
       1},
      {"a count that is no number",
       "1|Men's Cut|25.00|A",
       1,
       {" Hot Towel", "6.00", "x", "Default"},
       sales::PadCommit::InvalidCount,
       "1 | Men's Cut | 25.00 | A",
       "31.00",
       1},
      {"a tenth of a cent shows as the cent it charges",
       "1|Men's Cut|25.00|A",
       1,
       {" Hot Towel", "1.005", "1", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Men's Cut | 25.00 | A / + | 1.  Hot Towel | 1.01 | B",
       "32.01",
       1},
      {"an amount with separators",
       "1|Cut|25.00|A",
       1,
       {" Gift", "1,200.00", "1", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Cut | 25.00 | A / + | 1.  Gift | 1,200.00 | B",
       "1231",
       1},
      {"unpriced after a line of 1",
       "1|Cut|25.00|A",
       2,
       {"No  Onion", "", "1", "Default"},
       sales::PadCommit::UnpricedLine,
       "1 | Cut | 25.00 | A / + | . No  Onion |  | B",
       "31.00",
       3},
      {"unpriced after a half portion",
       "1/2|Cut|25.00|A",
       2,
       {"No  Onion", "", "1", "Default"},
       sales::PadCommit::UnpricedLine,
       "1/2 | Cut | 25.00 | A / + | 1. No  Onion |  | B",
       "31.00",
       3},
      {"UpLine joins the last line",
       "1|Shampoo|12.00|A",
       1,
       {" Long", "", "1", "UpLine"},
       sales::PadCommit::JoinedLine,
       "1 | Shampoo Long | 12.00 | A",
       "31.00",
       1},
      {"UpLine after a word",
       "1|Shampoo|12.00|A",
       1,
       {"No  Long", "", "1", "UpLine"},
       sales::PadCommit::JoinedLine,
       "1 | ShampooNo  Long | 12.00 | A",
       "31.00",
       1},
      {"UpLine on a sub-line",
       "+|1.  Foil|5.00|A",
       1,
       {" Long", "", "1", "UpLine"},
       sales::PadCommit::JoinedLine,
       "+ | 1.  Foil Long | 5.00 | A",
       "31.00",
       1},
      {"no modifier text",
       "1|Cut|25.00|A",
       1,
       {"", "6.00", "1", "Default"},
       sales::PadCommit::Nothing,
       "1 | Cut | 25.00 | A",
       "31.00",
       1},
      {"a price that is no amount",
       "1|Cut|25.00|A",
       1,
       {" Foil", "1.2.5", "1", "Default"},
       sales::PadCommit::InvalidPrice,
       "1 | Cut | 25.00 | A",
       "31.00",
       1},
      {"a decimal comma",
       "1|Cut|25.00|A",
       1,
       {" Foil", "1,5", "1", "Default"},
       sales::PadCommit::InvalidPrice,
       "1 | Cut | 25.00 | A",
       "31.00",
       1},
      {"a typed tab",
       "1|Cut|25.00|A",
       1,
       {"No\tOnion", "1.00", "1", "Default"},
       sales::PadCommit::PricedLine,
       "1 | Cut | 25.00 | A / + | 1. No Onion | 1.00 | B",
       "32",
       1},
  };
  for (const auto& c : cases) {
    TicketGrid t;
    const QStringList last = QString(c.lastRow).split('|');
    t.add(last[0], last[1], last[2], last[3]);
    t.control().setRow(c.row);
    sales::PadEntry pad = c.pad;
    sales::SavedRow saved;
    QString subtotal = "31.00";
    EXPECT_EQ(sales::commitModifier(pad, saved, t.grid(), "B", subtotal), c.outcome) << c.what;
    EXPECT_EQ(t.lines().join(" / ").toStdString(), c.lines) << c.what;
    EXPECT_EQ(subtotal.toStdString(), c.subtotal) << c.what;
    EXPECT_EQ(t.control().Row(), c.rowAfter) << c.what;
  }
}

TEST(PadRules, UpLineWithoutATicketLineActsAsDefault) {
  TicketGrid t;
  sales::PadEntry pad{" Long", "", "1", "UpLine"};
  sales::SavedRow saved;
  QString subtotal = "0.00";
  EXPECT_EQ(sales::commitModifier(pad, saved, t.grid(), "B", subtotal), sales::PadCommit::UnpricedLine);
  EXPECT_EQ(t.lines(), QStringList{"+ | 1.  Long |  | B"});
}

}  // namespace
