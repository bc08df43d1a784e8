-- Duzo98HS.mdb: this station's own settings. It always lies in the install
-- folder; each station keeps its own copy.
--
-- Check-box fields hold the box's value: 0 unticked, 1 ticked.

-- The station-settings row. Readers take the first row by ID.
CREATE TABLE "tbSet" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  -- Data placement: mode, server path ("-" = never set), data folder.
  "SetC" TEXT COLLATE NOCASE, "SetP" TEXT COLLATE NOCASE DEFAULT '-', "SetO" TEXT COLLATE NOCASE,
  -- Taxes and country; SetB is the tax-rate option "A" or "O".
  "Tax" TEXT COLLATE NOCASE, "TaxFed" TEXT COLLATE NOCASE, "setL" TEXT COLLATE NOCASE, "SetB" TEXT COLLATE NOCASE,
  -- Receipt options: notes mode ("-" = never set), sort receipt, second
  -- language switched off (inverted), delivery fee, "Over $" amount, and the
  -- store-only boxes.
  "SetM" TEXT COLLATE NOCASE DEFAULT '-', "szSort" INTEGER DEFAULT 0, "cmdEtoC" INTEGER DEFAULT 0,
  "setF" TEXT COLLATE NOCASE, "Plan" TEXT COLLATE NOCASE,
  "szSectnAuto" INTEGER DEFAULT 0, "szMsg" INTEGER DEFAULT 0, "KB" INTEGER DEFAULT 0,
  -- Ports of the five printers and of the cash drawer.
  "Port" TEXT COLLATE NOCASE, "Port2" TEXT COLLATE NOCASE, "Port3" TEXT COLLATE NOCASE, "Port4" TEXT COLLATE NOCASE, "Port5" TEXT COLLATE NOCASE, "Port6" TEXT COLLATE NOCASE,
  -- Printer device-name patterns and network paths.
  "szType" TEXT COLLATE NOCASE, "szType2" TEXT COLLATE NOCASE, "szType3" TEXT COLLATE NOCASE, "szType4" TEXT COLLATE NOCASE, "szType5" TEXT COLLATE NOCASE,
  "szPath1" TEXT COLLATE NOCASE, "szPath2" TEXT COLLATE NOCASE, "szPath3" TEXT COLLATE NOCASE, "szPath4" TEXT COLLATE NOCASE, "szPath5" TEXT COLLATE NOCASE,
  -- Screen or printer for the routing codes A, B, D and S, and "Print Price".
  "szScrnA" TEXT COLLATE NOCASE, "szScrnB" TEXT COLLATE NOCASE, "szScrnD" TEXT COLLATE NOCASE, "szScrnS" TEXT COLLATE NOCASE,
  "chkPtr2" INTEGER DEFAULT 0, "chkPtr3" INTEGER DEFAULT 0, "chkPtr4" INTEGER DEFAULT 0,
  "chkPtr5" INTEGER DEFAULT 0,
  -- "Open drawer with password:" (stored only).
  "ecd" INTEGER DEFAULT 0,
  -- Size words put in front of an item rung up as S ("M-"), M ("L-") or
  -- XL ("XL-"); each brings its own trailing blank.
  "szSize1" TEXT COLLATE NOCASE, "szSize2" TEXT COLLATE NOCASE, "szSize3" TEXT COLLATE NOCASE
);

-- Check-book mode (one row): "Check Book" is live, any other text training.
CREATE TABLE "tbReset" (
  "Reset_txt" TEXT COLLATE NOCASE
);

-- Security switches (one row): receipt without a stylist, manager needed to
-- delete a line of a recalled ticket.
CREATE TABLE "tabPword" (
  "szID_nu" INTEGER DEFAULT 0,
  "ItmDeSecl" INTEGER DEFAULT 0
);

-- Phone list (one row of fifteen short entries).
CREATE TABLE "tbTel" (
  "t0" TEXT COLLATE NOCASE, "t1" TEXT COLLATE NOCASE, "t2" TEXT COLLATE NOCASE, "t3" TEXT COLLATE NOCASE, "t4" TEXT COLLATE NOCASE,
  "t5" TEXT COLLATE NOCASE, "t6" TEXT COLLATE NOCASE, "t7" TEXT COLLATE NOCASE, "t8" TEXT COLLATE NOCASE, "t9" TEXT COLLATE NOCASE,
  "t10" TEXT COLLATE NOCASE, "t11" TEXT COLLATE NOCASE, "t12" TEXT COLLATE NOCASE, "t13" TEXT COLLATE NOCASE, "t14" TEXT COLLATE NOCASE
);

-- The twelve stored removal reasons (one row; only read).
CREATE TABLE "tbRemov" (
  "R1" TEXT COLLATE NOCASE, "R2" TEXT COLLATE NOCASE, "R3" TEXT COLLATE NOCASE, "R4" TEXT COLLATE NOCASE, "R5" TEXT COLLATE NOCASE, "R6" TEXT COLLATE NOCASE,
  "R7" TEXT COLLATE NOCASE, "R8" TEXT COLLATE NOCASE, "R9" TEXT COLLATE NOCASE, "R10" TEXT COLLATE NOCASE, "R11" TEXT COLLATE NOCASE, "R12" TEXT COLLATE NOCASE
);

-- First-install rows.

-- A new station works on its own ("Single"); the server path is unset until
-- the placement window fills in its default; tax rates start at 7.5 %. The
-- second-language box is ticked, which turns the second language off: the
-- station shows English only until the salon turns it on in the store
-- settings.
INSERT INTO "tbSet" ("ID", "SetC", "SetP", "SetO", "Tax", "TaxFed", "SetM", "cmdEtoC",
                     "szSize1", "szSize2", "szSize3")
  VALUES (1, 'Single', '-', 'Dovrel POS 4\', '0.075', '0.075', '-', 1,
          'Short ', 'Medium ', 'Extra Long ');

INSERT INTO "tbReset" ("Reset_txt") VALUES ('Check Book');

INSERT INTO "tabPword" ("szID_nu", "ItmDeSecl") VALUES (0, 0);

INSERT INTO "tbTel" DEFAULT VALUES;

INSERT INTO "tbRemov" ("R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "R10", "R11", "R12")
  VALUES ('Client Changed Mind', 'Wrong Service Rung', 'Wrong Stylist', 'Service Not Done',
          'Duplicate Line', 'Price Adjustment', 'Client Complaint', 'Redo Free of Charge',
          'Appointment Cancelled', 'Out of Stock', 'Manager Comp', 'Training Entry');
