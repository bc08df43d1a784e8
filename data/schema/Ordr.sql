-- Ordr.mdb (live tickets), TOrdr.mdb (training tickets) and BpOrdr.mdb (the
-- empty template that resets the training file) all have this layout and
-- start without rows. Amounts are the texts the sales window shows
-- ("1,234.50"); dates and times are ISO texts.

-- One ticket header per stored ticket. TO_Ord_ID is the automatic number that
-- becomes the ticket number in Inv. Receive stays "0" until a tender is
-- stored, which marks the ticket as not paid. The sales window leaves an
-- amount that reads "0.00" unwritten, so the amounts default to "0.00" and a
-- stored ticket reads back what its boxes showed.
CREATE TABLE "tblDy_Order" (
  "TO_Ord_ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Inv" TEXT,
  "SubTotal" TEXT DEFAULT '0.00', "Tax" TEXT DEFAULT '0.00', "Total" TEXT DEFAULT '0.00',
  "Time" TEXT, "Date" TEXT,
  "ID" TEXT,
  "5" TEXT,
  "Method" TEXT,
  "szCard_amt" TEXT, "szType_Card" TEXT,
  "Receive" TEXT DEFAULT '0',
  "szCoupon_amt" TEXT, "szNumber_Card" TEXT, "szExp_Card" TEXT,
  "1" TEXT
);
CREATE INDEX "tblDy_Order_Inv" ON "tblDy_Order" ("Inv");
CREATE INDEX "tblDy_Order_Date" ON "tblDy_Order" ("Date");

-- One row per line of a stored ticket, keyed by the ticket number.
CREATE TABLE "tblDetail" (
  "Invoice" TEXT,
  "Date" TEXT, "Time" TEXT,
  "ID" TEXT,
  "Method" TEXT,
  "Qty" TEXT, "szOrder" TEXT, "Price" TEXT
);
CREATE INDEX "tblDetail_Invoice" ON "tblDetail" ("Invoice");
