-- Duzo98HS.mdb: this station's own settings. It always lies in the install
-- folder; each station keeps its own copy.
--
-- Check-box fields hold the box's value: 0 unticked, 1 ticked.

-- The station-settings row. Readers take the first row by ID.
CREATE TABLE "tbSet" (
  "ID" INTEGER PRIMARY KEY AUTOINCREMENT,
  -- Data placement: mode, server path ("-" = never set), data folder.
  "SetC" TEXT, "SetP" TEXT DEFAULT '-', "SetO" TEXT,
  -- Taxes and country; SetB is the tax-rate option "A" or "O".
  "Tax" TEXT, "TaxFed" TEXT, "setL" TEXT, "SetB" TEXT,
  -- Receipt options: notes mode ("-" = never set), sort receipt, second
  -- language switched off (inverted), delivery fee, "Over $" amount, and the
  -- store-only boxes.
  "SetM" TEXT DEFAULT '-', "szSort" INTEGER DEFAULT 0, "cmdEtoC" INTEGER DEFAULT 0,
  "setF" TEXT, "Plan" TEXT,
  "szSectnAuto" INTEGER DEFAULT 0, "szMsg" INTEGER DEFAULT 0, "KB" INTEGER DEFAULT 0,
  -- Ports of the five printers and of the cash drawer.
  "Port" TEXT, "Port2" TEXT, "Port3" TEXT, "Port4" TEXT, "Port5" TEXT, "Port6" TEXT,
  -- Printer device-name patterns and network paths.
  "szType" TEXT, "szType2" TEXT, "szType3" TEXT, "szType4" TEXT, "szType5" TEXT,
  "szPath1" TEXT, "szPath2" TEXT, "szPath3" TEXT, "szPath4" TEXT, "szPath5" TEXT,
  -- Screen or printer for the routing codes A, B, D and S, and "Print Price".
  "szScrnA" TEXT, "szScrnB" TEXT, "szScrnD" TEXT, "szScrnS" TEXT,
  "chkPtr2" INTEGER DEFAULT 0, "chkPtr3" INTEGER DEFAULT 0, "chkPtr4" INTEGER DEFAULT 0,
  "chkPtr5" INTEGER DEFAULT 0,
  -- "Open drawer with password:" (stored only).
  "ecd" INTEGER DEFAULT 0,
  -- Size words put in front of an item rung up as S ("M-"), M ("L-") or
  -- XL ("XL-"); each brings its own trailing blank.
  "szSize1" TEXT, "szSize2" TEXT, "szSize3" TEXT
);

-- Check-book mode (one row): "Check Book" is live, any other text training.
CREATE TABLE "tbReset" (
  "Reset_txt" TEXT
);

-- Security switches (one row): receipt without a stylist, manager needed to
-- delete a line of a recalled ticket.
CREATE TABLE "tabPword" (
  "szID_nu" INTEGER DEFAULT 0,
  "ItmDeSecl" INTEGER DEFAULT 0
);

-- Phone list (one row of fifteen short entries).
CREATE TABLE "tbTel" (
  "t0" TEXT, "t1" TEXT, "t2" TEXT, "t3" TEXT, "t4" TEXT,
  "t5" TEXT, "t6" TEXT, "t7" TEXT, "t8" TEXT, "t9" TEXT,
  "t10" TEXT, "t11" TEXT, "t12" TEXT, "t13" TEXT, "t14" TEXT
);

-- The twelve stored removal reasons (one row; only read).
CREATE TABLE "tbRemov" (
  "R1" TEXT, "R2" TEXT, "R3" TEXT, "R4" TEXT, "R5" TEXT, "R6" TEXT,
  "R7" TEXT, "R8" TEXT, "R9" TEXT, "R10" TEXT, "R11" TEXT, "R12" TEXT
);

-- First-install rows.

-- A new station works on its own ("Single"); the server path is unset until
-- the placement window fills in its default; tax rates start at 7.5 %.
INSERT INTO "tbSet" ("ID", "SetC", "SetP", "SetO", "Tax", "TaxFed", "SetM",
                     "szSize1", "szSize2", "szSize3")
  VALUES (1, 'Single', '-', 'Dovrel POS 4\', '0.075', '0.075', '-',
          'Short ', 'Medium ', 'Extra Long ');

INSERT INTO "tbReset" ("Reset_txt") VALUES ('Check Book');

INSERT INTO "tabPword" ("szID_nu", "ItmDeSecl") VALUES (0, 0);

INSERT INTO "tbTel" DEFAULT VALUES;

INSERT INTO "tbRemov" ("R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "R10", "R11", "R12")
  VALUES ('Client Changed Mind', 'Wrong Service Rung', 'Wrong Stylist', 'Service Not Done',
          'Duplicate Line', 'Price Adjustment', 'Client Complaint', 'Redo Free of Charge',
          'Appointment Cancelled', 'Out of Stock', 'Manager Comp', 'Training Entry');
