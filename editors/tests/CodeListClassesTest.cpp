// The window-free parts of the code-list frame: the mode rules of both ways
// of keeping a record, and the rename statements into PRODUCTS.
#include <gtest/gtest.h>

#include "CodeListModeClass.h"
#include "KvDb.h"
#include "KvTestSupport.h"
#include "ProductsRenameClass.h"

namespace {

using Keeping = TCodeListModeClass::Keeping;

TEST(CodeListMode, CaptionKeepingMovesBetweenItsThreeModes) {
  TCodeListModeClass m(Keeping::Caption);
  EXPECT_EQ(m.Mode(), "View");
  EXPECT_FALSE(m.HasRecord());
  EXPECT_FALSE(m.StartEdit());  // nothing loaded: Edit asks for an entry
  EXPECT_EQ(m.Mode(), "View");
  EXPECT_FALSE(m.CancelReloads());

  m.SetCurrentID("12");
  ASSERT_TRUE(m.StartEdit());
  EXPECT_EQ(m.Mode(), "Edit");
  EXPECT_EQ(m.CurrentID(), "12");
  EXPECT_TRUE(m.CancelReloads());
  const TCodeListModeClass::Controls editing = m.Shown();
  EXPECT_TRUE(!editing.listsEnabled && editing.fieldsWritable && !editing.viewButtons && editing.editButtons);

  m.StartAdd();
  EXPECT_EQ(m.Mode(), "Add");
  EXPECT_TRUE(m.Adding());
  EXPECT_EQ(m.CurrentID(), "");  // a new entry has no id yet
  m.SetView();
  const TCodeListModeClass::Controls view = m.Shown();
  EXPECT_TRUE(view.listsEnabled && !view.fieldsWritable && view.viewButtons && !view.editButtons);
  // The caption-keeping editors rename products only after an Edit.
  EXPECT_FALSE(m.RenamesProducts(true));
  EXPECT_TRUE(m.RenamesProducts(false));
  EXPECT_TRUE(m.ReselectsSavedName());
  EXPECT_FALSE(m.ShowsSaveProgress());
}

TEST(CodeListMode, MemberKeepingHoldsTheIdAsANumber) {
  TCodeListModeClass m(Keeping::Member);
  m.SetCurrentID("no number");
  EXPECT_EQ(m.CurrentIntID(), 0);
  EXPECT_EQ(m.CurrentID(), "0");
  EXPECT_FALSE(m.HasRecord());
  EXPECT_FALSE(m.StartEdit());
  m.SetCurrentID("7");
  EXPECT_TRUE(m.StartEdit());
  m.StartAdd();
  EXPECT_EQ(m.CurrentIntID(), 0);
  // Every save renames, Cancel reloads even in View, and the save shows its progress.
  EXPECT_TRUE(m.RenamesProducts(true));
  m.SetView();
  EXPECT_TRUE(m.CancelReloads());
  EXPECT_TRUE(m.ShowsSaveProgress());
  EXPECT_FALSE(m.ReselectsSavedName());
}

TEST(ProductsRename, NamesAreQuotedAndOnlyRowsThatDifferAreWritten) {
  EXPECT_EQ(TProductsRenameClass::CopyStatement("SUPPLIER_ID", "42", {{"SUPPLIER_NAME", "O'NEILL & SONS"}}),
            "UPDATE PRODUCTS SET SUPPLIER_NAME = 'O''NEILL & SONS' WHERE SUPPLIER_ID = 42 AND "
            "(SUPPLIER_NAME IS NULL OR SUPPLIER_NAME <> 'O''NEILL & SONS')");
  // A colour carries its display value as a bare number beside its name.
  EXPECT_EQ(TProductsRenameClass::CopyStatement("COLOUR_ID", "5", {{"COLOUR_NAME", "RED"}, {"COLOUR_VALUE", 255}}),
            "UPDATE PRODUCTS SET COLOUR_NAME = 'RED', COLOUR_VALUE = 255 WHERE COLOUR_ID = 5 AND "
            "(COLOUR_NAME IS NULL OR COLOUR_NAME <> 'RED' OR COLOUR_VALUE IS NULL OR COLOUR_VALUE <> 255)");
  // An id is never anything but a number in the statement.
  EXPECT_THROW(TProductsRenameClass::CopyStatement("SUPPLIER_ID", "1 OR 1=1", {{"SUPPLIER_NAME", "X"}}),
               kdb::DbError);
  EXPECT_THROW(TProductsRenameClass::CopyFromStatement("SIZE_NAME", "SIZES", "NAME", "SIZE_ID", "SIZESSCALE_ID", "3;"),
               kdb::DbError);
  EXPECT_THROW(TProductsRenameClass::CopyWhereCopiedStatement({{"SIZESSCALE_NAME", "X"}}, "SIZE_NAME", "SIZES", "NAME",
                                                              "SIZE_ID", "SIZESSCALE_ID", "3 OR 1=1"),
               kdb::DbError);
  EXPECT_THROW(TProductsRenameClass::CountStatement("SIZESSCALE_ID", "3;"), kdb::DbError);
}

}  // namespace
