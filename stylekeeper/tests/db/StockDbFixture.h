#pragma once
// The style editor on JEAN01 for the tests of its stock and branch price
// pages: the grids hold BLACK (00000043) in row 1 and DENIM (00000042) in
// row 2, in colour-name order, and the sizes 30, 32 and 34 in columns 3 to 5.
// The pages offer MAIN STORE only, as the single-user edition's settings do.
#include <QComboBox>

#include "StyleKeeperDbFixture.h"

namespace sktest {

class StockDbFixture : public StyleKeeperDbFixture {
 protected:
  static constexpr int kBlack = 1;
  static constexpr int kDenim = 2;

  // The window showing JEAN01 in its DENIM colour.
  TForm1& StartOnStyle() {
    // The colour names are painted in their colours.
    Exec("UPDATE PRODUCTS SET COLOUR_VALUE = (SELECT CAST(RATE AS INTEGER) FROM PARAMETERS"
         " WHERE PARAMETERS.ID = PRODUCTS.COLOUR_ID)");
    TForm1& f = Start({"", "00000042"});
    DMDB->Setup->LOBranchID = BranchId("MAIN STORE").toInt();
    return f;
  }

  // Chooses a branch in a branch combo as a person does.
  static void ChooseBranch(QComboBox* combo, const QString& name) {
    const int i = TForm1::IndexOfName(combo, name);
    ASSERT_GE(i, 0) << name.toStdString();
    combo->setCurrentIndex(i);
    emit combo->activated(i);
  }

  QString BranchId(const QString& name) {
    return Column("SELECT ID FROM BRANCHES WHERE NAME=" + kdb::sql::Quote(name)).value(0);
  }

  // A BRANCHSTOCK row of the PLU at the branch with one column set.
  void PutRow(const QString& plu, const QString& branch, const QString& column, const QString& value) {
    using kdb::sql::Quote;
    Exec("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, BRANCH_NAME, " + column + ") VALUES (" + Quote(plu) +
         ", " + Quote(plu.left(8)) + ", " + BranchId(branch) + ", " + Quote(branch) + ", " + value + ")");
  }

  // A column of the PLU's row at the branch, as text ("" for NULL); "none"
  // when the row is missing.
  QString Stored(const QString& plu, const QString& branch, const QString& column) {
    const QStringList v = Column("SELECT COALESCE(CAST(" + column + " AS VARCHAR(40)), '') FROM BRANCHSTOCK WHERE PLU=" +
                                 kdb::sql::Quote(plu) + " AND BRANCH_ID=" + BranchId(branch));
    return v.isEmpty() ? QStringLiteral("none") : v.first();
  }

  int Rows(const QString& where = "1=1") {
    return Column("SELECT COUNT(*) FROM BRANCHSTOCK WHERE " + where).value(0).toInt();
  }

  // The texts shown since the last call.
  QStringList TakeShown() {
    const QStringList shown = ShownTexts();
    ClearShownTexts();
    return shown;
  }
};

}  // namespace sktest
