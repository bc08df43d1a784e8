// The flexible grid: rows from tab-separated text, the current cell held
// inside the grid, clicks that make a cell current.
#include "platform/forms/flexgrid.h"

#include <QScrollBar>
#include <QTableWidget>
#include <functional>

#include "tests/forms/drive.h"
#include "tests/forms/support.h"

namespace {

class frmGrid : public forms::Form {
 public:
  frmGrid() : Form("frmGrid") {
    Move(0, 0, 6000, 4000);
    grid.Move(0, 0, 6000, 4000);
    grid.setCols(4);
    grid.onClick = [this] { clicks.push_back({grid.MouseRow(), grid.Row()}); };
  }
  forms::MSFlexGrid grid{this, "grid"};
  std::vector<std::pair<int, int>> clicks;  // MouseRow, Row at each click
};

using FlexGridTest = FormsTest;

// Each step acts on the grid left by the steps before it.
TEST_F(FlexGridTest, OperationsKeepTheCurrentRowInsideTheGrid) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  const struct {
    const char* what;
    std::function<void()> step;
    int rows;
    int row;
    const char* lastRow;  // the last row's cells joined with "|"
  } steps[] = {
      {"created with two rows, the first fixed", [] {}, 2, 1, "|||"},
      {"append leaves the current row", [&] { g.AddItem("1\tCut\t48.00\tA"); }, 3, 1, "1|Cut|48.00|A"},
      {"short text fills the first cells", [&] { g.AddItem("+\t1. Foil"); }, 4, 1, "+|1. Foil||"},
      {"extra parts are dropped", [&] { g.AddItem("2\tWax\t10.00\tB\tspare"); }, 5, 1, "2|Wax|10.00|B"},
      {"down past the end stops at the last row", [&] { g.setRow(9); }, 5, 4, "2|Wax|10.00|B"},
      {"removing a row above pulls the current row up", [&] { g.RemoveItem(2); }, 4, 3, "2|Wax|10.00|B"},
      {"removing the current last row keeps it inside", [&] { g.RemoveItem(3); }, 3, 2, "+|1. Foil||"},
      {"a fixed row is never removed", [&] { g.RemoveItem(0); }, 3, 2, "+|1. Foil||"},
      {"a row that is not there is not removed", [&] { g.RemoveItem(7); }, 3, 2, "+|1. Foil||"},
      {"up past the start stops at row 0", [&] { g.setRow(g.Row() - 5); }, 3, 0, "+|1. Foil||"},
      {"more rows are empty ones", [&] { g.setRows(5); }, 5, 0, "|||"},
      {"fewer rows cut from the end", [&] { g.setRow(4), g.setRows(2); }, 2, 1, "|||"},
  };
  for (const auto& s : steps) {
    s.step();
    EXPECT_EQ(g.Rows(), s.rows) << s.what;
    EXPECT_EQ(g.Row(), s.row) << s.what;
    const int last = g.Rows() - 1;
    EXPECT_EQ(QStringList({g.TextMatrix(last, 0), g.TextMatrix(last, 1), g.TextMatrix(last, 2),
                           g.TextMatrix(last, 3)})
                  .join('|')
                  .toStdString(),
              s.lastRow)
        << s.what;
    ASSERT_NE(g.widget(), nullptr);
    auto* table = qobject_cast<QTableWidget*>(g.widget());
    EXPECT_EQ(table->rowCount(), s.rows) << s.what;
  }
}

TEST_F(FlexGridTest, TheCurrentCellAndItsText) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  g.AddItem("1\tCut\t48.00\tA");
  g.setRow(2);
  g.setColSel(0);
  g.setCol(2);
  EXPECT_EQ(g.ColSel(), 2);
  EXPECT_EQ(g.Text(), "48.00");
  g.setText("50.00");
  EXPECT_EQ(g.TextMatrix(2, 2), "50.00");
  g.setCol(10);
  EXPECT_EQ(g.Col(), 3);
  EXPECT_THROW(g.TextMatrix(3, 0), forms::Error);
  EXPECT_THROW(g.setTextMatrix(0, 4, "x"), forms::Error);
  g.setColWidth(1, 4771.2);
  EXPECT_EQ(g.ColWidth(1), 4771);
}

TEST_F(FlexGridTest, AClickMakesTheClickedCellCurrentBeforeClickRuns) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  g.AddItem("1\tCut\t48.00\tA");
  g.AddItem("1\tWax\t10.00\tB");
  g.setRow(0);
  w->Show();
  drive::clickCell(g, 3, 1);
  drive::clickCell(g, 0, 1);  // the header: reported, but not made current
  ASSERT_EQ(w->clicks.size(), 2u);
  EXPECT_EQ(w->clicks[0], std::make_pair(3, 3));
  EXPECT_EQ(w->clicks[1], std::make_pair(0, 3));
  EXPECT_EQ(g.Col(), 1);
}

// The cells of a row as one text, "a|b|c|d".
QString rowText(forms::MSFlexGrid& g, int row) {
  QStringList cells;
  for (int c = 0; c < g.Cols(); ++c) cells << g.TextMatrix(row, c);
  return cells.join('|');
}

// A row inserted at an index pushes the rows from there down, and a current
// row among them moves with its row; the widget shows the same rows.
TEST_F(FlexGridTest, ARowInsertedAtAnIndex) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  w->Show();
  g.AddItem("1\tCut\t30.00\tA");
  g.AddItem("1\tWax\t10.00\tB");
  g.setRow(3);
  const struct {
    const char* what;
    const char* item;
    int index;
    int row;           // the current row afterwards
    const char* rows;  // rows 1 on, "/" between them
  } steps[] = {
      {"above the current row", "+\tFoil\t5.00", 3, 4, "|||/1|Cut|30.00|A/+|Foil|5.00|/1|Wax|10.00|B"},
      {"below the current row", "+\tTip", 5, 4, "|||/1|Cut|30.00|A/+|Foil|5.00|/1|Wax|10.00|B/+|Tip||"},
      {"over the fixed row: just under it", "", 0, 5,
       "|||/|||/1|Cut|30.00|A/+|Foil|5.00|/1|Wax|10.00|B/+|Tip||"},
      {"past the end: at the end", "9\tEnd", 99, 5,
       "|||/|||/1|Cut|30.00|A/+|Foil|5.00|/1|Wax|10.00|B/+|Tip||/9|End||"},
  };
  auto* table = qobject_cast<QTableWidget*>(g.widget());
  ASSERT_NE(table, nullptr);
  for (const auto& s : steps) {
    g.AddItem(s.item, s.index);
    QStringList rows;
    for (int r = 1; r < g.Rows(); ++r) rows << rowText(g, r);
    EXPECT_EQ(rows.join('/').toStdString(), s.rows) << s.what;
    EXPECT_EQ(g.Row(), s.row) << s.what;
    ASSERT_EQ(table->rowCount(), g.Rows()) << s.what;
    for (int r = 0; r < g.Rows(); ++r)
      EXPECT_EQ(table->item(r, 1)->text(), g.TextMatrix(r, 1)) << s.what << " row " << r;
  }
  EXPECT_EQ(g.TextMatrix(g.Row(), 1), "Wax");
}

// The current cell shows highlighted, alone or with its whole row; with
// Redraw off the grid keeps its changes unpainted.
TEST_F(FlexGridTest, HighlightAndRedraw) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  w->Show();
  g.AddItem("1\tCut\t30.00\tA");
  g.AddItem("1\tWax\t10.00\tB");
  g.setRow(2);
  g.setCol(1);
  auto* table = qobject_cast<QTableWidget*>(g.widget());
  ASSERT_NE(table, nullptr);
  const QBrush highlight = table->palette().highlight();
  const auto lit = [&](int row) {
    QString cells;
    for (int c = 0; c < 4; ++c) cells += table->item(row, c)->background() == highlight ? '#' : '.';
    return cells.toStdString();
  };
  EXPECT_EQ(g.SelectionMode(), 0);
  EXPECT_EQ(lit(2), ".#..");
  g.setSelectionMode(1);
  EXPECT_EQ(lit(2), "####");
  g.setRow(3);
  EXPECT_EQ(lit(2), "....");
  EXPECT_EQ(lit(3), "####");
  g.setSelectionMode(0);
  EXPECT_EQ(lit(3), ".#..");

  EXPECT_TRUE(g.Redraw());
  g.setRedraw(false);
  EXPECT_FALSE(table->viewport()->updatesEnabled());
  g.AddItem("1\tTip");
  EXPECT_EQ(table->rowCount(), 5) << "the rows are kept while not painted";
  g.setRedraw(true);
  EXPECT_TRUE(table->viewport()->updatesEnabled());
  g.setRedraw(false);
  g.setSelectionMode(1);
  w->Unload();
  EXPECT_TRUE(g.Redraw());
  EXPECT_EQ(g.SelectionMode(), 0);
}

// Columns whose twips fill the client width fit beside the vertical scroll
// bar however their pixels round: three columns of a pixel and a half each
// and a fourth of the rest scroll down, never sideways.
TEST_F(FlexGridTest, ColumnsThatFillTheClientWidthFitBesideTheScrollBar) {
  forms::Instance<frmGrid> w;
  forms::MSFlexGrid& g = w->grid;
  for (int r = 0; r < 40; ++r) g.AddItem("1\tCut\t48.00\tA");
  const int room = g.ClientWidth();
  for (int c = 0; c < 3; ++c) g.setColWidth(c, 23);
  g.setColWidth(3, room - 69);
  w->Show();
  QCoreApplication::processEvents();
  auto* table = qobject_cast<QTableWidget*>(g.widget());
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->verticalScrollBar()->isVisible());
  EXPECT_EQ(forms::pixelsToTwipsX(table->viewport()->width()), room);
  int pixels = 0;
  for (int c = 0; c < 4; ++c) pixels += table->columnWidth(c);
  EXPECT_EQ(pixels, table->viewport()->width());
  EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
}

TEST_F(FlexGridTest, UnloadPutsTheDesignGridBack) {
  forms::Instance<frmGrid> w;
  w->grid.AddItem("1\tCut\t48.00\tA");
  w->grid.setRow(2);
  w->Unload();
  EXPECT_EQ(w->grid.Rows(), 2);
  EXPECT_EQ(w->grid.Row(), 1);
  EXPECT_EQ(w->grid.TextMatrix(1, 1), "");
}

}  // namespace
