// The ratio fill's quantity prompt: "1" at every showing, digits only, and
// no OK without a quantity.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "KvEdit.h"
#include "ModalSeam.h"
#include "RatioQtyForm.h"

namespace {

TEST(RatioQtyFormTest, EveryShowingStartsAtOneAndTakesFourDigits) {
  TFormRatioQty form;
  EXPECT_EQ(FormRatioQty, &form);
  int shown = 0;
  kui::ScopedAnswerer answer([&shown](QDialog& d) {
    auto& prompt = static_cast<TFormRatioQty&>(d);
    ++shown;
    EXPECT_EQ(prompt.EditQty->text(), "1");
    QTest::keyClicks(prompt.EditQty, "7a-.8916");
    EXPECT_EQ(prompt.EditQty->text(), "7891");  // four digits at most, nothing else
    prompt.EditQty->clear();
    EXPECT_FALSE(prompt.BitBtn1->isEnabled());  // nothing to fill with
    QTest::keyClicks(prompt.EditQty, "12");
    prompt.BitBtn1->click();
  });
  ASSERT_TRUE(form.Execute());
  EXPECT_EQ(form.Quantity(), 12);
  ASSERT_TRUE(form.Execute());  // the last text is not kept for the next fill
  EXPECT_EQ(shown, 2);
}

TEST(RatioQtyFormTest, CancelClosesWithoutAQuantity) {
  TFormRatioQty form;
  kui::ScopedAnswerer answer([](QDialog& d) { static_cast<TFormRatioQty&>(d).BitBtn2->click(); });
  EXPECT_FALSE(form.Execute());
}

}  // namespace
