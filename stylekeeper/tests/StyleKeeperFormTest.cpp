// The style window without a database: start-up without settings, how its
// panels look, and boxes that hold no more than their columns.
#include "SkTestUtil.h"

#include <QImage>
#include <QLabel>
#include <QTest>
#include <QLineEdit>
#include <QComboBox>

#include "KvEdit.h"

namespace {

class StyleKeeperFormTest : public sktest::FormTest {};

TEST_F(StyleKeeperFormTest, WithoutSettingsTheToolStillTriesItsDatabase) {
  // The tool goes on with the built-in defaults after the message; here no
  // database answers there, so it ends at the connection, quietly.
  EXPECT_EQ(ShownTexts(), QStringList{"Error: There are no settings available."});
  EXPECT_TRUE(form->TerminateRequested());
  EXPECT_FALSE(dm->LastError.isEmpty()) << "no connection was attempted";
}

TEST_F(StyleKeeperFormTest, PanelsShowAllFourEdges) {
  form->show();
  QApplication::processEvents();
  for (QLabel* panel : {form->PanelMarkup, form->PanelSizes}) {
    const QImage img = panel->grab().toImage();
    const int w = img.width(), h = img.height();
    ASSERT_GT(w, 4);
    const QRgb back = form->palette().color(QPalette::Window).rgb();
    for (const QPoint edge : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w / 2, h - 1), QPoint(w - 1, h / 2)})
      EXPECT_NE(img.pixel(edge), back) << panel->objectName().toStdString() << " edge at " << edge.x() << ","
                                       << edge.y();
  }
}

TEST_F(StyleKeeperFormTest, TextBoxesTakeNoMoreThanTheirColumnsHold) {
  const std::pair<QLineEdit*, int> boxes[] = {
      {form->EditSupplierStyle, 50}, {form->EditStyleRef, 50}, {form->EditDescription, 120}};
  for (const auto& [box, column] : boxes) {
    box->clear();
    box->setFocus();
    QTest::keyClicks(box, QString(column + 10, QChar('w')));
    EXPECT_EQ(box->text(), QString(column, QChar('W'))) << box->objectName().toStdString();
  }
  QTest::keyClicks(form->ComboBoxRootPLU->lineEdit(), QString(20, QChar('1')));
  EXPECT_EQ(form->ComboBoxRootPLU->currentText().size(), 16);
}

}  // namespace
