-- Ordr.mdb (live tickets), TOrdr.mdb (training tickets) and BpOrdr.mdb (the
-- empty template that resets the training file) all have this layout and
-- start without rows. Amounts are the texts the sales window shows
-- ("1,234.50"); dates and times are ISO texts.

-- One ticket header per stored ticket. TO_Ord_ID is the automatic number that
-- becomes the ticket number in Inv. Receive stays "0" until a tender is
-- stored, which marks the ticket as not paid; then it holds what was received
-- (handed over less the change), and each tender has a field of its own:
-- szCard_amt what the card was charged (the tip included), szCoupon_amt,
-- szGift_amt (taken off a gift card) and szTip_amt. Tax is the whole tax.
-- szGift_amt and szTip_amt come last: the program adds them to the files of
-- earlier builds. The sales window leaves an
-- amount that reads "0.00" unwritten, so the amounts default to "0.00" and a
-- stored ticket reads back what its boxes showed.
CREATE TABLE "tblDy_Order" (
  "TO_Ord_ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Inv" TEXT COLLATE NOCASE,
  "SubTotal" TEXT COLLATE NOCASE DEFAULT '0.00', "Tax" TEXT COLLATE NOCASE DEFAULT '0.00', "Total" TEXT COLLATE NOCASE DEFAULT '0.00',
  "Time" TEXT COLLATE NOCASE, "Date" TEXT COLLATE NOCASE,
  "ID" TEXT COLLATE NOCASE,
  "5" TEXT COLLATE NOCASE,
  "Method" TEXT COLLATE NOCASE,
  "szCard_amt" TEXT COLLATE NOCASE, "szType_Card" TEXT COLLATE NOCASE,
  "Receive" TEXT COLLATE NOCASE DEFAULT '0',
  "szCoupon_amt" TEXT COLLATE NOCASE, "szNumber_Card" TEXT COLLATE NOCASE, "szExp_Card" TEXT COLLATE NOCASE,
  "1" TEXT COLLATE NOCASE,
  "szGift_amt" TEXT COLLATE NOCASE, "szTip_amt" TEXT COLLATE NOCASE
);
CREATE INDEX "tblDy_Order_Inv" ON "tblDy_Order" ("Inv");
CREATE INDEX "tblDy_Order_Date" ON "tblDy_Order" ("Date");

-- One row per line of a stored ticket, keyed by the ticket number.
CREATE TABLE "tblDetail" (
  "Invoice" TEXT COLLATE NOCASE,
  "Date" TEXT COLLATE NOCASE, "Time" TEXT COLLATE NOCASE,
  "ID" TEXT COLLATE NOCASE,
  "Method" TEXT COLLATE NOCASE,
  "Qty" TEXT COLLATE NOCASE, "szOrder" TEXT COLLATE NOCASE, "Price" TEXT COLLATE NOCASE
);
CREATE INDEX "tblDetail_Invoice" ON "tblDetail" ("Invoice");
