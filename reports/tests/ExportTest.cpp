// The comma-separated export of a grid: the exact bytes of the file, the
// file name, and the export command with its messages.
#include "ReportsTestUtil.h"

#include "KVExportClass.h"

#include <QFileInfo>

namespace {

using reptest::ReadAll;

class GridExport : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;
  QString dir = reptest::FreshFolder("csv");

  QByteArray Exported(const QString& name = "out.csv") {
    KVExportSGridClass exporter;
    exporter.Grid = &grid;
    exporter.Export(dir + name);
    return ReadAll(dir + name);
  }
};

TEST_F(GridExport, ThreeColumnsTwoRowsGiveTwoLinesEachEndedByCrLf) {
  reptest::FillGrid(grid, {{"a", "b", "c"}, {"d", "", "f"}});
  EXPECT_EQ(Exported(), QByteArray("a,b,c\r\nd,,f\r\n"));
}

TEST_F(GridExport, EveryRowFromRowZeroAndEveryColumnHiddenOnesIncluded) {
  // Header row, block header, data, totals and a blank row, as a stock report leaves them.
  reptest::FillGrid(grid, {{"Root PLU", "Brand", "Style", "Total"},
                           {"Root PLU", "Brand", "Style", "Total"},
                           {"00000012", "ACME", "DRESS 1", "7"},
                           {"", "", "Totals", "7"},
                           {}});
  grid.SetColWidth(1, -1);   // hidden on screen
  grid.SetRowHeight(2, -1);  // a hidden row is still a row of the grid
  EXPECT_EQ(Exported(), QByteArray("Root PLU,Brand,Style,Total\r\n"
                                   "Root PLU,Brand,Style,Total\r\n"
                                   "00000012,ACME,DRESS 1,7\r\n"
                                   ",,Totals,7\r\n"
                                   ",,,\r\n"));
}

TEST_F(GridExport, OnlyCellsThatWouldBreakTheLineAreQuoted) {
  reptest::FillGrid(grid, {{"SMITH, J", "5\" HEEL", "two\r\nlines", "a\nb", "plain text", " spaced "}});
  EXPECT_EQ(Exported(), QByteArray("\"SMITH, J\",\"5\"\" HEEL\",\"two\r\nlines\",\"a\nb\",plain text, spaced \r\n"));
}

TEST_F(GridExport, Utf8WithoutByteOrderMark) {
  reptest::FillGrid(grid, {{"Café", "£12.00"}});
  const QByteArray bytes = Exported();
  EXPECT_EQ(bytes, QByteArray("Caf\xC3\xA9,\xC2\xA3" "12.00\r\n"));
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST_F(GridExport, AnExistingFileIsReplacedWhole) {
  reptest::WriteFile(dir + "out.csv", QByteArray(500, 'x'));
  reptest::FillGrid(grid, {{"a", "b"}});
  EXPECT_EQ(Exported(), QByteArray("a,b\r\n"));
}

TEST_F(GridExport, WithoutAGridNothingIsWritten) {
  KVExportSGridClass exporter;
  exporter.Export(dir + "none.csv");
  EXPECT_FALSE(QFileInfo::exists(dir + "none.csv"));
}

TEST_F(GridExport, AFileThatCannotBeCreatedThrowsWithTheReason) {
  reptest::FillGrid(grid, {{"a"}});
  KVExportSGridClass exporter;
  exporter.Grid = &grid;
  try {
    exporter.Export(dir + "no/such/folder/out.csv");
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_FALSE(QString::fromUtf8(e.what()).isEmpty());
  }
  EXPECT_FALSE(exporter.FileOpen());
}

TEST(ExportFileName, CsvIsAddedOnlyToANameWithoutExtension) {
  EXPECT_EQ(KVExportDialogClass::WithCsvExtension("/home/u/stock"), "/home/u/stock.csv");
  EXPECT_EQ(KVExportDialogClass::WithCsvExtension("/home/u/stock.txt"), "/home/u/stock.txt");
  EXPECT_EQ(KVExportDialogClass::WithCsvExtension("/home/u/stock."), "/home/u/stock.");
  EXPECT_EQ(KVExportDialogClass::WithCsvExtension("/home/u.v/stock"), "/home/u.v/stock.csv");
}

class ExportCommand : public kvfwtest::ModuleTest<> {
 protected:
  kui::KvStringGrid grid;
  QString dir = reptest::FreshFolder("cmd");

  void SetUp() override {
    ModuleTest::SetUp();
    SingleUserEdition();
    dm = Module("ItemStockReport");
    ASSERT_TRUE(dm->Init());
    reptest::FillGrid(grid, {{"PLU", "Qty"}, {"0000001200", "3"}});
  }
};

TEST_F(ExportCommand, WritesTheChosenFileWithCsvAddedAndSaysSo) {
  fileChoice = dir + "stock";
  EXPECT_TRUE(KVExportGridCommand(&grid, "TMainForm::SpButExportClick"));
  EXPECT_EQ(fileDialogs, 1);
  EXPECT_TRUE(fileFilter.startsWith("CSV files (*.csv)"));
  EXPECT_EQ(ReadAll(dir + "stock.csv"), QByteArray("PLU,Qty\r\n0000001200,3\r\n"));
  EXPECT_FALSE(QFileInfo::exists(dir + "stock"));
  EXPECT_EQ(messages, QStringList{"Export complete."});
}

TEST_F(ExportCommand, CancelledDialogWritesNothingAndSaysNothing) {
  fileChoice.clear();
  EXPECT_FALSE(KVExportGridCommand(&grid, "TMainForm::SpButExportClick"));
  EXPECT_EQ(fileDialogs, 1);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(QDir(dir).isEmpty());
}

TEST_F(ExportCommand, AFileThatCannotBeWrittenIsReportedAndLogged) {
  fileChoice = dir + "missing/stock.csv";
  EXPECT_FALSE(KVExportGridCommand(&grid, "TMainForm::SpButExportClick"));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("The file " + fileChoice + " could not be written.\n")) << messages[0].toStdString();
  EXPECT_GT(messages[0].size(), QString("The file " + fileChoice + " could not be written.\n").size());  // the reason
  EXPECT_TRUE(LogText().contains("TMainForm::SpButExportClick"));
}

}  // namespace
